// Browsing the evenings on the grid page: quick search, search, search next, replace,
// range filter, sort, the lists, the evaluations and the date buttons.
#include "evenings/terminform.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/module/ke_data_form.h"
#include "data/store/schema.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_edit.h"
#include "engine/dataset/table_data_set.h"
#include "engine/sql/sql.h"
#include "shell/druckdienst.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/abfrage_dlg.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/sort_form.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/stammdaten/suchen_ersetzen_dlg.h"

#include <QAction>
#include <QDate>
#include <QToolButton>

namespace trevo::evenings {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void TTerminform::Sortierung1Click()
{
    befehl([this] {
        shell::stammdaten::TSortForm sort(this);
        sort.setWindowTitle(QStringLiteral("Sortierung"));
        sort.setItems({QStringLiteral("Nummer")});
        sort.setGroupHeight(170);
        sort.setItemIndex(termine().indexName() == "NUMMER" ? 0 : -1);
        shell::stammdaten::zeigeModal(sort);
        if (sort.itemIndex() != 0) return;
        termine().setIndex("NUMMER");
        shell().setStatusText(1, QStringLiteral("Sortiert nach: NUMMER"));
    });
}

void TTerminform::Bereich1Click()
{
    befehl([this] {
        shell::stammdaten::TAbfrageDlgEinFeld& dlg = dialoge_.AbfrageDlgEinFeld();
        dlg.setWindowTitle(QStringLiteral("Anzeigebereich"));
        dlg.TabelleSetzen(daten_.zugang().datenordner(), data::tables::Termine);
        if (shell::stammdaten::zeigeModal(dlg) != QDialog::Accepted) return;
        engine::TableDataSet& t = termine();
        if (dlg.komplett()) {
            t.setFiltered(false);
        } else {
            try {
                t.setFilterText(dlg.FilterErzeugen());
                t.setFiltered(true);
            } catch (const engine::EngineError&) {
                t.setFiltered(false); // an expression the table refuses shows the whole table
            }
        }
        t.first();
        bereichAnzeigen();
    });
}

void TTerminform::Bereichzuruecksetzen1Click()
{
    befehl([this] {
        termine().setFiltered(false);
        termine().first();
        bereichAnzeigen();
    });
}

void TTerminform::bereichAnzeigen()
{
    const bool gefiltert = termine().filtered();
    BereichzurueckToolButton->setEnabled(gefiltert);
    Bereichzuruecksetzen1->setEnabled(gefiltert);
    shell().FilterAnzeige(gefiltert);
}

void TTerminform::Suchen1Click() { befehl([this] { suchen(); }); }

void TTerminform::WeiterSuchenClick()
{
    befehl([this] {
        if (SuchQuery1.active() && !SuchQuery1.eof() && SuchQuery1.recordCount() > 1) {
            SuchQuery1.next();
            zumTreffer();
            return;
        }
        suchen();
    });
}

void TTerminform::suchen()
{
    shell::stammdaten::TSuchDlgKomplex& dlg = dialoge_.SuchDlgKomplex();
    dlg.TabelleSetzen(daten_.zugang().datenordner(), data::tables::Termine);
    if (shell::stammdaten::zeigeModal(dlg) != QDialog::Accepted) return;
    struct Warten {
        shell::ShellServices& s;
        ~Warten() { s.BitteWarten(1); }
    } warten{shell()};
    shell().BitteWarten(0);
    std::vector<std::string> lines;
    dlg.SQLErzeugen(lines);
    SuchQuery1.close();
    try {
        SuchQuery1.setResult(daten_.abfrage(zeilen(lines)));
        SuchQuery1.open();
    } catch (const engine::EngineError&) {
        SuchQuery1.close(); // a statement that cannot be run finds nothing
    }
    if (SuchQuery1.active() && !SuchQuery1.isEmpty()) {
        SuchQuery1.first();
        zumTreffer();
    } else {
        common::dialogs().message(q(common::MeldungsText(2006)));
    }
}

void TTerminform::zumTreffer()
{
    termine().setIndex("NUMMER");
    termine().findKey(SuchQuery1.value("NUMMER"));
}

void TTerminform::Ersetzen1Click()
{
    befehl([this] {
        dialoge_.SuchenErsetzenDlg().SuchenErsetzen(daten_.zugang().datenordner(), data::tables::Termine, &shell());
        termine().refresh();
    });
}

void TTerminform::SchnellsuchEdit1Change(const QString& text)
{
    befehl([&] {
        engine::TableDataSet& t = termine();
        if (!t.active()) return;
        if (text.isEmpty()) {
            t.first();
            return;
        }
        if (t.indexName().empty()) return;
        t.findNearest(engine::Value::text(text.toStdString()));
    });
}

void TTerminform::Liste1Click()
{
    befehl([this] {
        daten_.zugang().DruckeListe("Terminlistfilename", "TERMINLISTE.QR2", daten_.zugang().datenordner() + data::tables::Termine);
    });
}

void TTerminform::Blankoliste1Click()
{
    befehl([this] {
        if (shell::Druckdienst* d = daten_.zugang().druckdienst())
            d->DruckeBlankoliste(d->Reportdatei(QStringLiteral("Blankolistfilename"), QStringLiteral("BLANKOLISTE.QR2")));
    });
}

// The evaluation window offers the evaluations; while there is none, the items are off.
shell::Auswertungsdienst* TTerminform::auswertung() const
{
    shell::ChildWindow* w = shell().Fensterobjekt(common::Fenster::Auswerten);
    return dynamic_cast<shell::Auswertungsdienst*>(w);
}

void TTerminform::auswertenMenue()
{
    const bool da = auswertung() != nullptr;
    AktuellerTermin1->setEnabled(da && hatDatensaetze_);
    Zeitraum1->setEnabled(da);
    Rangliste1->setEnabled(da);
    Liste1->setEnabled(hatDatensaetze_ && daten_.zugang().druckenMoeglich());
    Blankoliste1->setEnabled(daten_.zugang().druckdienst() != nullptr);
}

void TTerminform::AuswertungTerminClick()
{
    befehl([this] {
        shell::Auswertungsdienst* a = auswertung();
        if (!a || termine().isEmpty()) return;
        const std::string nummer = termine().text("NUMMER");
        shell().FensterAktivieren(common::Fenster::Auswerten);
        a->AuswertungTermin(nummer);
    });
}

void TTerminform::AuswertungZeitraumClick()
{
    befehl([this] {
        if (shell::Auswertungsdienst* a = auswertung()) {
            shell().FensterAktivieren(common::Fenster::Auswerten);
            a->AuswertungZeitraum();
        }
    });
}

void TTerminform::RanglisteClick()
{
    befehl([this] {
        if (shell::Auswertungsdienst* a = auswertung()) {
            shell().FensterAktivieren(common::Fenster::Auswerten);
            a->AuswertungRangfolge();
        }
    });
}

void TTerminform::KalenderBtn1Click()
{
    befehl([this] {
        const QString datum = shell().DatumWaehlen();
        if (datum.isEmpty()) return;
        termine().setText("DATUM", datum.toStdString());
        DatumDBEdit->setFocus();
    });
}

void TTerminform::DateButton1Click()
{
    befehl([this] {
        termine().setText("DATUM", heute_.toStdString());
        DatumDBEdit->setFocus();
    });
}

void TTerminform::Abschnittedit2Change(int index)
{
    befehl([this, index] {
        if (imEingabemodus()) return;
        daten_.modul().aktuellerAbschnitt = index <= 0 ? 0 : index;
        abschnittStill_ = true;
        Abschnittedit->setText(QString::number(abschnitt()));
        abschnittStill_ = false;
        teilnehmerFilter();
    });
}

} // namespace trevo::evenings
