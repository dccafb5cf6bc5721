// The evening window's edit modes: new evening, change, "Beenden", "Neuer Termin",
// "Abbruch", saving and deleting an evening, the two pages and the menu rule.
#include "evenings/terminform.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/dbtools/db_tools.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "data/store/schema.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/data_link.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "engine/storage/session.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"

#include <QLineEdit>

namespace trevo::evenings {

using engine::Value;
using shell::Eingabemodus;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The please-wait indication for the lifetime of the scope, also when an error ends it.
struct BitteWartenScope {
    explicit BitteWartenScope(shell::ShellServices& s) : shell(s) { shell.BitteWarten(0); }
    ~BitteWartenScope() { shell.BitteWarten(1); }
    shell::ShellServices& shell;
};

} // namespace

engine::TableDataSet& TTerminform::termine() const { return daten_.modul().d().TerminTable1; }
engine::TableDataSet& TTerminform::teilnehmer() const { return daten_.modul().d().KeglerTerminTable1; }
int TTerminform::abschnitt() const { return daten_.modul().aktuellerAbschnitt; }

void TTerminform::befehl(const std::function<void()>& command)
{
    controls::runGuarded([&] {
        if (termine().active()) controls::updateRecord(termine());
        command();
    });
}

void TTerminform::Neueingabe1Click() { befehl([this] { neueingabe(); }); }
void TTerminform::ndern1Click() { befehl([this] { aendern(); }); }
void TTerminform::OKBtnClick() { befehl([this] { beenden(); }); }
void TTerminform::NeuerSatzBtn1Click() { befehl([this] { neuerTermin(); }); }
void TTerminform::CancelBtnClick() { befehl([this] { abbrechen(); }); }
void TTerminform::TerminLoeschen1Click() { befehl([this] { loeschen(); }); }

// The price lists' items and the bowlers should exist before the first evening; the
// user may go and enter them. True when he was sent to another window.
bool TTerminform::stammdatenPruefen()
{
    data::TDBTools& tools = daten_.modul().tools();
    const std::string ordner = daten_.zugang().datenordner();
    auto hinschicken = [this](int code) {
        shell().FensterAktivieren(code);
        if (shell::ChildWindow* w = shell().Fensterobjekt(code)) w->Lotsenbefehl(shell::Lotsencode::Neueingabe);
        return true;
    };
    if (tools.Datensatzanzahl(ordner + data::tables::Sonstype) == 0 &&
        common::dialogs().yesNo(QStringLiteral("Vor der Eingabe von Kegelterminen sollten Preise für Pudel, Stinas etc. "
                                               "eingegeben werden. Daten jetzt eingeben ?")))
        return hinschicken(common::Fenster::Sonstige);
    if (tools.Datensatzanzahl(ordner + data::tables::Kegler) == 0 &&
        common::dialogs().yesNo(QStringLiteral("Vor der Eingabe von Kegelterminen sollten Daten von "
                                               "Mitglieder/Gastkeglern eingegeben werden. Daten jetzt eingeben ?")))
        return hinschicken(common::Fenster::Mitglieder);
    return false;
}

void TTerminform::neueingabe()
{
    if (stammdatenPruefen()) return;
    if (termine().editing()) terminSpeichern();
    setTag(Eingabemodus::Neu);
    detailZeigen();
    try {
        termine().append();
    } catch (const engine::EngineError&) {
        common::dialogs().message(q(common::MeldungsText(2002)));
        setTag(Eingabemodus::Blaettern);
        detailVerlassen();
        return;
    }
    DatumDBEdit->setFocus();
}

void TTerminform::aendern()
{
    if (termine().recordCount() <= 1 && stammdatenPruefen()) return;
    if (termine().editing()) terminSpeichern();
    daten_.modul().TerminTransaktionNeu();
    termine().edit(); // on an empty table a new evening
    setTag(termine().state() == engine::DataSetState::Insert ? Eingabemodus::Neu : Eingabemodus::Aendern);
    detailZeigen();
    gitterLaden();
}

int TTerminform::vollstaendig()
{
    const Value datum = termine().value("DATUM");
    if (!datum.isDate() || datum.date() == 0) return 1;
    if (termine().value("PREISLISTE").isNull()) return 2;
    return 0;
}

void TTerminform::beenden()
{
    if (imEingabemodus()) {
        const int fehlt = vollstaendig();
        if (fehlt == 1) {
            common::dialogs().message(QStringLiteral("Das Datum fehlt"));
            DatumDBEdit->setFocus();
            return;
        }
        if (fehlt == 2) {
            common::dialogs().message(QStringLiteral("Die Preisliste fehlt"));
            Preislistenedit->setFocus();
            return;
        }
        if (common::dialogs().yesNo(QStringLiteral("Daten speichern ?")))
            terminSpeichern();
        else
            terminVerwerfen();
    }
    setTag(Eingabemodus::Blaettern);
    detailVerlassen();
}

void TTerminform::neuerTermin()
{
    const int fehlt = vollstaendig();
    if (fehlt == 1) {
        common::dialogs().message(QStringLiteral("Das Datum fehlt"));
        DatumDBEdit->setFocus();
        return;
    }
    if (fehlt == 2) {
        common::dialogs().message(q(common::MeldungsText(2001)));
        return;
    }
    terminSpeichern();
    termine().append();
    gitterZuruecksetzen();
    DatumDBEdit->setFocus();
}

void TTerminform::abbrechen()
{
    if (imEingabemodus()) {
        terminVerwerfen();
        setTag(Eingabemodus::Blaettern);
    }
    detailVerlassen();
    daten_.modul().aktuellerAbschnitt = 1;
    abschnittStill_ = true;
    Abschnittedit->setText(QStringLiteral("1"));
    abschnittStill_ = false;
    teilnehmerFilter();
}

void TTerminform::abbruchFragen()
{
    if (common::dialogs().yesNo(QStringLiteral("Dateneingabe abbrechen ?"))) CancelBtnClick();
}

void TTerminform::terminSpeichern()
{
    BitteWartenScope warten(shell());
    teilnehmerSichern();
    abschnittSpeichern();
    engine::TableDataSet& t = termine();
    if (t.editing()) t.post(); // commits the evening transaction
    const std::string nummer = t.text("NUMMER");
    t.edit();
    t.setValue("TEILNEHMER", Value::number(double(daten_.modul().TeilnehmerAnzahl(nummer))));
    daten_.modul().SpielerProAbschnitt(nummer);
    engine::QueryDataSet& proAbschnitt = daten_.modul().d().SpielerProAbschnittQuery1;
    double letzter = 0;
    if (proAbschnitt.active() && proAbschnitt.last()) letzter = proAbschnitt.value("ABSCHNITT").toNumber();
    t.setValue("ABSCHNITTE", Value::number(letzter));
    t.post();
}

// Everything written since the evening or its change began is taken back.
void TTerminform::terminVerwerfen()
{
    if (teilnehmer().editing()) teilnehmer().cancel();
    if (termine().editing()) termine().cancel(); // rolls the evening transaction back
    engine::Session& s = daten_.zugang().datenbank().session(data::kTerminsession);
    if (s.inTransaction()) s.rollback();
    termine().refresh();
    teilnehmer().refresh();
}

void TTerminform::loeschen()
{
    if (!common::dialogs().yesNo(QStringLiteral("Termin löschen ?"))) return;
    engine::TableDataSet& t = termine();
    if (t.isEmpty()) return;
    const std::string nummer = std::to_string(std::llround(t.value("NUMMER").toNumber()));
    engine::Session& s = daten_.zugang().datenbank().session(data::kTerminsession);
    if (s.inTransaction()) s.commit();
    s.startTransaction();
    try {
        for (const char* datei : {data::tables::Spielkeg, data::tables::Sonstkeg, data::tables::Keglterm})
            daten_.ausfuehren(zeilen({"DELETE FROM", daten_.datei(datei), "WHERE", "TERMIN=" + nummer}));
        t.deleteRecord();
        s.commit();
    } catch (...) {
        s.rollback();
        t.refresh();
        throw;
    }
    menueFreigeben();
}

void TTerminform::detailZeigen()
{
    Gitterpanel->hide();
    Komplettpanel->show();
    Komplettpanel->raise();
    setMenus(EingabeMenu);
    abschnittStill_ = true;
    Abschnittedit->setText(QString::number(abschnitt()));
    abschnittStill_ = false;
    teilnehmerFilter();
    gitterZuruecksetzen();
    preislisteGeaendert();
    DatumDBEdit->setFocus();
}

void TTerminform::detailVerlassen()
{
    Komplettpanel->hide();
    Gitterpanel->show();
    setMenus(MainMenu1);
    DBGrid1->setFocus();
    if (teilnehmer().active()) teilnehmer().refresh();
    gitterZuruecksetzen();
    menueFreigeben();
    titelSetzen();
}

void TTerminform::menueFreigeben()
{
    const int64_t anzahl = daten_.modul().tools().Datensatzanzahl(daten_.zugang().datenordner() + data::tables::Termine);
    tabelleGefuellt(anzahl > 0);
}

void TTerminform::titelSetzen()
{
    controls::runGuarded([this] {
        if (!termine().active()) return;
        const QString datum = q(termine().displayText("DATUM"));
        TeilnehmerTitel->setText(QStringLiteral("  Teilnehmer am ") + datum + QStringLiteral("  Spielabschnitt"));
        const QString name = teilnehmer().active() && !teilnehmer().isEmpty() ? q(teilnehmer().text("Name")) : QString();
        const QString waehrung = q(termine().text("WaehrungStr"));
        SpieleTitel->setText(QStringLiteral("  Spiele von ") + name + QStringLiteral("  Währung ") + waehrung);
        SonstigeTitel->setText(QStringLiteral("  Sonstige von ") + name + QStringLiteral("  Währung ") + waehrung);
    });
}

} // namespace trevo::evenings
