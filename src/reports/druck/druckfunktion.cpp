#include "reports/druck/druckfunktion.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "data/dbtools/db_tools.h"
#include "dbcontrols/command_guard.h"
#include "engine/fs/file_system.h"
#include "reports/druck/memo_adjustment.h"
#include "reports/druck/report_file.h"
#include "reports/druck/vorschauform.h"
#include "shell/shell_services.h"

#include <QCoreApplication>
#include <QDate>
#include <QImage>

namespace trevo::reports {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The please-wait indication for the lifetime of the scope, or until off().
class BitteWartenAn {
public:
    explicit BitteWartenAn(shell::ShellServices& shell) : shell_(shell) { shell_.BitteWarten(0); }
    ~BitteWartenAn() { off(); }
    BitteWartenAn(const BitteWartenAn&) = delete;
    BitteWartenAn& operator=(const BitteWartenAn&) = delete;
    void off()
    {
        if (on_) shell_.BitteWarten(1);
        on_ = false;
    }

private:
    shell::ShellServices& shell_;
    bool on_ = true;
};

} // namespace

Druckfunktion::Druckfunktion(Druckumgebung& umgebung, shell::ShellServices& shell, QWidget* hauptfenster)
    : zeigeModal([](QDialog& d) { return d.exec(); }), umgebung_(umgebung), shell_(shell), hauptfenster_(hauptfenster)
{
    zeigeVorschau = [this](Report& report) {
        TVorschauform vorschau(report, hauptfenster_);
        vorschau.exec();
    };
}

Druckfunktion::~Druckfunktion()
{
    // A dialog without a parent is ours; after the application's end it is left alone.
    if (druckform_ && !druckform_->parent() && QCoreApplication::instance()) delete druckform_.data();
}

TDruckform& Druckfunktion::Druckform()
{
    if (!druckform_) druckform_ = new TDruckform(hauptfenster_);
    return *druckform_;
}

QString Druckfunktion::Reportdatei(const QString& option, const QString& standard) const
{
    return reportFileOfOption(umgebung_.optionen(), option, standard);
}

void Druckfunktion::DruckeAuswertung(const QString& reportFile)
{
    drucke({reportFile, umgebung_.datenordner() + "AUSWERTU.DBF", true});
}

void Druckfunktion::DruckeListe(const QString& reportFile, const QString& tablePath)
{
    drucke({reportFile, tablePath.toStdString(), false});
}

void Druckfunktion::DruckeSpielliste()
{
    const QString file = Reportdatei(QStringLiteral("Spielelistfilename"), QStringLiteral("SPIELELISTE.QR2"));
    drucke({file, umgebung_.datenordner() + "SPIELE.DBF", false});
}

void Druckfunktion::DruckeBlankoliste(const QString& reportFile)
{
    drucke({reportFile, std::nullopt, false});
}

bool Druckfunktion::keineDaten(const std::string& table)
{
    data::TDBTools tools(umgebung_.datenbank());
    if (tools.Datensatzanzahl(table) > 0) return false;
    common::dialogs().message(qs(common::MeldungsText(2014)));
    return true;
}

void Druckfunktion::drucke(const Auftrag& auftrag)
{
    controls::runGuarded([&] {
        if (auftrag.table && keineDaten(*auftrag.table)) return;
        TDruckform& form = Druckform();
        form.setResult(QDialog::Rejected);
        if (zeigeModal(form) != QDialog::Accepted) return;
        vorbereitenUndZeigen(auftrag, form.Exemplare());
    });
}

void Druckfunktion::vorbereitenUndZeigen(const Auftrag& auftrag, int exemplare)
{
    BitteWartenAn warten(shell_);
    const std::string ordner = umgebung_.datenordner();
    const auto fehler = [&warten](const QString& text) {
        warten.off();
        if (!text.isEmpty()) common::dialogs().error(text);
    };
    const std::string file = auftrag.reportFile.toStdString();
    const std::optional<std::string> path = findReportFile(umgebung_.datenbank().fs(), file, ordner);
    if (!path) {
        warten.off();
        common::dialogs().message(QStringLiteral("Die Reportdatei %1 ist nicht vorhanden").arg(qs(engine::fileNameOf(file))));
        return;
    }
    Report report(umgebung_.datenbank(), umgebung_.datenbank().session());
    report.setFolderFinder([ordner](const std::string&) { return ordner; });
    report.setAfterLoad(adjustMemos);
    if (!report.load(qs(*path))) return fehler(report.errorText());
    if (auftrag.auswertung)
        report.setLabelText(QStringLiteral("DATUMQRLABEL"), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    // Every layout's picture named "LOGO" shows the club's logo of the options.
    if (const QImage logo = QImage::fromData(umgebung_.logo()); !logo.isNull())
        report.setPicture(QStringLiteral("LOGO"), logo);
    report.setCopies(exemplare);
    if (!report.render()) return fehler(report.errorText());
    warten.off();
    if (zeigeVorschau) zeigeVorschau(report);
}

} // namespace trevo::reports
