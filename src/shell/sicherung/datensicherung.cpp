#include "shell/sicherung/datensicherung.h"

#include "common/dialogs/dialogs.h"
#include "data/sicherung/sicherung.h"
#include "engine/core/error.h"
#include "shell/sicherung/sicherung_auswahl_dlg.h"
#include "shell/sicherung/sicherungsumgebung.h"
#include "shell/stammdaten/modal.h"

#include <QDateTime>
#include <QDir>

#include <ctime>
#include <filesystem>

namespace trevo::shell {
namespace {

constexpr int kBehalten = 10;

std::string pfad(const QString& ordner) { return QDir::cleanPath(ordner).toStdString(); }

// Turns the please-wait indication off however the work ends.
class Warten {
public:
    explicit Warten(Sicherungsumgebung& u) : u_(u) { u_.bitteWarten(true); }
    ~Warten() { u_.bitteWarten(false); }

private:
    Sicherungsumgebung& u_;
};

} // namespace

QString sicherungsZeit(long long zeitpunkt)
{
    return QDateTime::fromSecsSinceEpoch(zeitpunkt).toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString Datensicherung::sicherungsordner() const
{
    QString option = umgebung_.backuppfad().trimmed();
    option.replace('\\', '/');
    if (option.isEmpty() || option == QStringLiteral(".") || option == QStringLiteral("./"))
        return QDir(umgebung_.programmordner()).filePath(QStringLiteral("Sicherungen")) + '/';
    const QString ordner = QDir::isAbsolutePath(option) ? option : QDir(umgebung_.programmordner()).filePath(option);
    return QDir::cleanPath(ordner) + '/';
}

static data::Sicherungsquelle quelleVon(const Sicherungsumgebung& u)
{
    // The folder's lock file belongs to the running programs, the journal to the engine's
    // commits (the program holds the folder: none is in progress); neither is backed up
    // nor replaced.
    return {pfad(u.datenordner()), u.optionsdatei().toStdString(), {"TREVO.LCK", "TREVO.JNL"}};
}

void Datensicherung::DatensicherungClick()
{
    const std::optional<QString> ordner = common::dialogs().chooseFolder(sicherungsordner());
    if (!ordner || ordner->trimmed().isEmpty()) return;
    umgebung_.setBackuppfad(QDir::toNativeSeparators(*ordner));
    std::string datei;
    {
        Warten warten(umgebung_);
        datei = data::sichern(quelleVon(umgebung_), pfad(*ordner), std::time(nullptr));
    }
    common::dialogs().message(QStringLiteral("Die Daten wurden gesichert in der Datei\n%1")
                                  .arg(QString::fromStdString(datei)));
}

void Datensicherung::ZurueckspielenClick()
{
    TSicherungAuswahlDlg dlg(sicherungsordner());
    if (stammdaten::zeigeModal(dlg) != QDialog::Accepted || !dlg.gewaehlt()) return;
    const data::Sicherung sicherung = *dlg.gewaehlt();
    const QString zeit = sicherungsZeit(static_cast<long long>(sicherung.zeitpunkt));
    if (!common::dialogs().yesNo(
            QStringLiteral("Die aktuellen Daten werden durch die Sicherung vom %1 ersetzt. Fortfahren ?").arg(zeit)))
        return;
    std::string vorher;
    try {
        Warten warten(umgebung_);
        vorher = data::zurueckspielen(sicherung.pfad, quelleVon(umgebung_), pfad(dlg.ordner()), false,
                                      std::time(nullptr));
    } catch (...) {
        // Whatever the files hold now, the tables show it.
        umgebung_.tabellenNeuOeffnen();
        throw;
    }
    umgebung_.tabellenNeuOeffnen();
    common::dialogs().message(QStringLiteral("Die Sicherung vom %1 wurde zurückgespielt.\n"
                                             "Die bisherigen Daten sind gesichert in der Datei\n%2")
                                  .arg(zeit, QString::fromStdString(vorher)));
}

Datensicherung::Stand Datensicherung::aktuellerStand() const
{
    Stand stand;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(pfad(umgebung_.datenordner()), ec)) {
        if (!e.is_regular_file(ec)) continue;
        const auto zeit = e.last_write_time(ec).time_since_epoch().count();
        stand[e.path().filename().string()] = {e.file_size(ec), static_cast<long long>(zeit)};
    }
    return stand;
}

void Datensicherung::startStand()
{
    start_ = aktuellerStand();
    startBekannt_ = true;
}

void Datensicherung::Programmende()
{
    if (!umgebung_.automatischSichern() || !startBekannt_) return;
    Stand jetzt = aktuellerStand();
    jetzt.erase("TREVO.LCK");
    Stand vorher = start_;
    vorher.erase("TREVO.LCK");
    if (jetzt == vorher) return;
    try {
        const QString ordner = sicherungsordner();
        data::sichern(quelleVon(umgebung_), pfad(ordner), std::time(nullptr));
        data::alteSicherungenLoeschen(pfad(ordner), kBehalten);
    } catch (const engine::EngineError& e) {
        common::dialogs().message(QStringLiteral("Die automatische Datensicherung ist nicht gelungen:\n%1")
                                      .arg(QString::fromStdString(e.what())));
    } catch (const std::exception& e) {
        common::dialogs().message(QStringLiteral("Die automatische Datensicherung ist nicht gelungen:\n%1")
                                      .arg(QString::fromLocal8Bit(e.what())));
    }
}

} // namespace trevo::shell
