// The evaluation window's commands: the three evaluations, printing, closing and the
// booking into the cash book.
#include "evaluation/auswerte_form.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "engine/dataset/table_data_set.h"
#include "evaluation/date_query_dlg.h"
#include "evaluation/kern/kegelkasse.h"
#include "evaluation/kern/nachschlagen.h"
#include "shell/druckdienst.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/modal.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>

namespace trevo::evaluation {

namespace {

// The please-wait indication for the lifetime of the object.
class Warten {
public:
    explicit Warten(shell::ShellServices& s) : s_(s) { s_.BitteWarten(0); }
    ~Warten() { aus(); }
    void aus()
    {
        if (an_) s_.BitteWarten(1);
        an_ = false;
    }

private:
    shell::ShellServices& s_;
    bool an_ = true;
};

void fehlerZeigen(const std::exception& e) { common::dialogs().error(controls::errorText(e)); }

} // namespace

Auswertung TAuswerteForm2::auswertung()
{
    return Auswertung(zugang_.datenbank(), zugang_.session(), zugang_.datenordner(), optionen_());
}

void TAuswerteForm2::AuswertungTermin(const std::string& terminNummer)
{
    beginnen(Termin);
    VerrechnenBtn->setEnabled(false);
    GesamtbetragLabel->clear();
    Warten warten(shell());
    try {
        auswertung().AuswertungTermin(terminNummer, termin_);
        GesamtbetragLabel->setText(QString::fromStdString(mitKomma(formatiert(termin_.gesamtbetrag, 8)) + " " +
                                                          termin_.kuerzel));
    } catch (const std::exception& e) {
        warten.aus();
        ergebnisZeigen();
        fehlerZeigen(e);
        return;
    }
    warten.aus();
    VerrechnenBtn->setEnabled(termin_.fertig);
    ergebnisZeigen();
}

bool TAuswerteForm2::anfragen(TDateQueryDlg_Auswertung& dlg, int seite, int nummer)
{
    dlg.InitAbfrage(seite, QString(), nummer, QString());
    dlg.setWindowTitle(QString());
    if (shell::stammdaten::zeigeModal(dlg) == QDialog::Accepted) return true;
    shell().FensterZurueck();
    return false;
}

QString TAuswerteForm2::zeitraumText(const TDateQueryDlg_Auswertung& dlg) const
{
    if (dlg.alle()) return QStringLiteral(" über alle Termine");
    return QStringLiteral(" für den Zeitraum von ") + dlg.von() + QStringLiteral(" bis ") + dlg.bis();
}

void TAuswerteForm2::AuswertungZeitraum()
{
    beginnen(Zeitraum);
    Auswertung a = auswertung();
    if (!controls::runGuarded([&] { a.ergebnisseLeeren(); })) return;
    TDateQueryDlg_Auswertung dlg(shell(), zugang_, this);
    if (!anfragen(dlg, 0, 0)) return;
    Zeitraumergebnis e;
    Warten warten(shell());
    try {
        a.AuswertungZeitraum(dlg.von().toStdString(), dlg.bis().toStdString(), dlg.nummer(), e);
    } catch (const std::exception& f) {
        warten.aus();
        if (e.begonnen) ergebnisZeigen();
        fehlerZeigen(f);
        return;
    }
    warten.aus();
    ZeitraumtitelLabel1->setText(QStringLiteral("Auswertung für ") + QString::fromStdString(e.name) + zeitraumText(dlg));
    ergebnisZeigen();
}

void TAuswerteForm2::AuswertungRangfolge()
{
    beginnen(Rangfolge, true);
    Auswertung a = auswertung();
    if (!controls::runGuarded([&] { a.ergebnisseLeeren(); })) return;
    TDateQueryDlg_Auswertung dlg(shell(), zugang_, this);
    if (!anfragen(dlg, 1, 1)) return;
    Rangergebnis e;
    int64_t nummer = 0;
    if (!controls::runGuarded([&] { nummer = dlg.nummer(); })) return;
    try {
        a.AuswertungRangfolge(dlg.von().toStdString(), dlg.bis().toStdString(), nummer, e);
    } catch (const std::exception& f) {
        RangfolgeTitelLabel->setText(QStringLiteral("Auswertung für ") + QString::fromStdString(e.bezeichnung) +
                                     zeitraumText(dlg));
        ergebnisZeigen();
        fehlerZeigen(f);
        return;
    }
    RangfolgeTitelLabel->setText(QStringLiteral("Auswertung für ") + QString::fromStdString(e.bezeichnung) +
                                 zeitraumText(dlg));
    ergebnisZeigen();
}

void TAuswerteForm2::DruckenBtnClick()
{
    shell::Druckdienst* druck = zugang_.druckdienst();
    if (!druck) return;
    QString option, standard;
    switch (seite()) {
    case Termin: option = QStringLiteral("Auswertungsreportfilename"), standard = QStringLiteral("ERGEBNISSE1.QR2"); break;
    case Zeitraum: option = QStringLiteral("ZeitraumAuswertungsreportfilename"), standard = QStringLiteral("ZEITRAUM.QR2"); break;
    case Rangfolge: option = QStringLiteral("RanglisteAuswertungsreportfilename"), standard = QStringLiteral("RANGLISTE.QR2"); break;
    default: return; // the empty start page prints nothing
    }
    druck->DruckeAuswertung(druck->Reportdatei(option, standard));
}

void TAuswerteForm2::SchliessenBtnClick() { shell().FensterZurueck(); }

// The cash book's own cursor is used unless the cash book window is entering a booking
// there; then its twin books, so that the entry is neither stored nor lost by this.
void TAuswerteForm2::VerrechnenBtnClick()
{
    if (!termin_.fertig) return;
    engine::TableDataSet* buchungen = zugang_.tabelle("KontoTable1");
    if (buchungen && buchungen->editing()) buchungen = zugang_.tabelle("KontolookupTable1");
    if (!buchungen) throw engine::EngineError("Die Konto-Tabelle ist nicht geoeffnet");
    Nachschlagen nachschlagen(zugang_.datenbank(), zugang_.datenordner());
    const QDate heute = QDate::currentDate();
    MitKegelkasseVerrechnen(*buchungen, nachschlagen, termin_, engine::daysFromCivil(heute.year(), heute.month(), heute.day()));
}

} // namespace trevo::evaluation
