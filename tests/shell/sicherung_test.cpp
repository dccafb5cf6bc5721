// The backup commands over a data folder made by the installation, with the program's
// surroundings recorded.
#include "common/dialogs/scripted_dialogs.h"
#include "data/sicherung/sicherung.h"
#include "data/store/installation.h"
#include "engine/database.h"
#include "shell/sicherung/datensicherung.h"
#include "shell/sicherung/sicherung_auswahl_dlg.h"
#include "shell/sicherung/sicherungsumgebung.h"
#include "shell/stammdaten/modal.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace trevo::shell {
namespace {

std::string lesen(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void schreiben(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

class Umgebung : public Sicherungsumgebung {
public:
    QString datenordner() const override { return daten; }
    QString programmordner() const override { return programm; }
    QString optionsdatei() const override { return programm + QStringLiteral("KEGELCFG.DB"); }
    QString backuppfad() const override { return pfad; }
    void setBackuppfad(const QString& p) override { pfad = p; }
    bool automatischSichern() const override { return automatisch; }
    void setAutomatischSichern(bool an) override { automatisch = an; }
    void tabellenNeuOeffnen() override { ++neuGeoeffnet; }
    void bitteWarten(bool an) override { warten << an; }

    QString daten, programm, pfad = QStringLiteral(".\\");
    bool automatisch = true;
    int neuGeoeffnet = 0;
    QList<bool> warten;
};

class Datensicherungen : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString root = tmp.path() + '/';
        u.programm = root + QStringLiteral("Programm/");
        u.daten = root + QStringLiteral("Daten/");
        QDir().mkpath(u.programm);
        QDir().mkpath(u.daten);
        engine::Database db;
        data::installDataFolder(db, u.daten.toStdString(), 46000);
        schreiben(u.optionsdatei().toStdString(), "Optionen");
    }

    fs::path daten(const char* name) const { return fs::path(u.daten.toStdString()) / name; }
    std::vector<data::Sicherung> sicherungen(const QString& ordner) const
    {
        return data::sicherungenIn(QDir::cleanPath(ordner).toStdString());
    }

    QTemporaryDir tmp;
    Umgebung u;
    Datensicherung sicherung{u};
    common::ScriptedDialogs dialoge;
    common::DialogsScope scope{dialoge};
};

TEST_F(Datensicherungen, TheBackupFolderFollowsTheStoredOption)
{
    EXPECT_EQ(sicherung.sicherungsordner(), u.programm + QStringLiteral("Sicherungen/"));
    u.pfad = QStringLiteral("Backups\\2026");
    EXPECT_EQ(sicherung.sicherungsordner(), u.programm + QStringLiteral("Backups/2026/"));
    u.pfad = QStringLiteral("/mnt/usb/");
    EXPECT_EQ(sicherung.sicherungsordner(), QStringLiteral("/mnt/usb/"));
}

TEST_F(Datensicherungen, ABackupGoesIntoTheChosenFolderWhichIsRemembered)
{
    const QString ziel = tmp.path() + QStringLiteral("/USB");
    dialoge.choose(ziel);
    sicherung.DatensicherungClick();
    EXPECT_EQ(dialoge.choosers(), QStringList{u.programm + QStringLiteral("Sicherungen/")});
    ASSERT_EQ(sicherungen(ziel).size(), 1u);
    EXPECT_EQ(u.pfad, ziel);
    EXPECT_EQ(u.warten, (QList<bool>{true, false}));
    ASSERT_EQ(dialoge.texts().size(), 1);
    EXPECT_TRUE(dialoge.texts()[0].startsWith(QStringLiteral("Die Daten wurden gesichert in der Datei\n") + ziel));

    // Cancelling the folder chooser writes nothing.
    dialoge.clear();
    dialoge.choose(std::nullopt);
    sicherung.DatensicherungClick();
    EXPECT_EQ(sicherungen(ziel).size(), 1u);
    EXPECT_TRUE(dialoge.texts().isEmpty());
}

TEST_F(Datensicherungen, RestoringAsksWithTheBackupsDateThenReplacesAndReopens)
{
    const QString ziel = sicherung.sicherungsordner();
    const std::string kegler = lesen(daten("KEGLER.DBF"));
    data::sichern({QDir::cleanPath(u.daten).toStdString(), {}, {}}, ziel.toStdString(), 1765290600); // 09.12.2025 14:30 UTC
    schreiben(daten("KEGLER.DBF"), "verändert");

    stammdaten::ModalSkript skript;
    QString gezeigt;
    auto waehleErste = [&gezeigt](QDialog& d) {
        auto& dlg = dynamic_cast<TSicherungAuswahlDlg&>(d);
        gezeigt = dlg.SicherungenListe->item(0)->text();
        dlg.OKBtn->click();
    };
    // First answered No: nothing changes.
    skript.then(waehleErste);
    dialoge.answer(common::Answer::No);
    sicherung.ZurueckspielenClick();
    EXPECT_EQ(lesen(daten("KEGLER.DBF")), "verändert");
    EXPECT_EQ(u.neuGeoeffnet, 0);
    const QString zeit = sicherungsZeit(1765290600);
    EXPECT_TRUE(gezeigt.startsWith(QStringLiteral("Sicherung vom ") + zeit)) << gezeigt.toStdString();
    EXPECT_EQ(dialoge.texts()[0],
              QStringLiteral("Die aktuellen Daten werden durch die Sicherung vom %1 ersetzt. Fortfahren ?").arg(zeit));

    dialoge.clear();
    skript.then(waehleErste);
    dialoge.answer(common::Answer::Yes);
    sicherung.ZurueckspielenClick();
    EXPECT_EQ(lesen(daten("KEGLER.DBF")), kegler);
    EXPECT_EQ(u.neuGeoeffnet, 1);
    EXPECT_EQ(sicherungen(ziel).size(), 2u) << "the replaced state is kept";
    EXPECT_TRUE(dialoge.texts().last().startsWith(QStringLiteral("Die Sicherung vom %1 wurde zurückgespielt.").arg(zeit)));
    EXPECT_TRUE(skript.problems().isEmpty()) << skript.problems().join('|').toStdString();
}

TEST_F(Datensicherungen, AFailedRestoreStillReopensTheTables)
{
    const QString ziel = sicherung.sicherungsordner();
    QDir().mkpath(ziel);
    schreiben((ziel + QStringLiteral("Trevo-Sicherung-2026-01-01-1000.zip")).toStdString(), "kein zip");
    stammdaten::ModalSkript skript;
    skript.then([](QDialog& d) { dynamic_cast<TSicherungAuswahlDlg&>(d).OKBtn->click(); });
    dialoge.answer(common::Answer::Yes);
    EXPECT_THROW(sicherung.ZurueckspielenClick(), std::exception);
    EXPECT_EQ(u.neuGeoeffnet, 1);
    EXPECT_TRUE(fs::exists(daten("KEGLER.DBF")));
}

TEST_F(Datensicherungen, AtTheEndOnlyARunThatChangedDataIsBackedUpKeepingTheNewestTen)
{
    const QString ziel = sicherung.sicherungsordner();
    sicherung.startStand();
    sicherung.Programmende();
    EXPECT_TRUE(sicherungen(ziel).empty()) << "nothing changed";

    // The lock file of the running program is no change.
    schreiben(daten("TREVO.LCK"), "x");
    sicherung.Programmende();
    EXPECT_TRUE(sicherungen(ziel).empty());

    schreiben(daten("KONTO.DBF"), lesen(daten("KONTO.DBF")) + "x");
    u.automatisch = false;
    sicherung.Programmende();
    EXPECT_TRUE(sicherungen(ziel).empty()) << "switched off";
    u.automatisch = true;
    for (int i = 0; i < 12; ++i) data::sichern({QDir::cleanPath(u.daten).toStdString(), {}, {}}, ziel.toStdString(),
                                               1700000000 + i * 3600);
    sicherung.Programmende();
    const auto liste = sicherungen(ziel);
    ASSERT_EQ(liste.size(), 10u);
    EXPECT_GT(liste[0].zeitpunkt, 1700000000 + 11 * 3600) << "the new one is among them";
    EXPECT_TRUE(dialoge.texts().isEmpty()) << dialoge.texts().join('|').toStdString();
}

} // namespace
} // namespace trevo::shell
