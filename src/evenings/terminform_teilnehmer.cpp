// The participants of the current section: the bowler number field, "Teilnehmer einfügen",
// "Teilnehmer entfernen" and the selection dialog, keeping the participant columns of the
// two entry grids in step with the participant rows.
#include "evenings/kegler_auswahl_dlg.h"
#include "evenings/terminform.h"

#include "common/dialogs/dialogs.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/modal.h"

#include <QLineEdit>

#include <cmath>

namespace trevo::evenings {

using engine::Value;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

long ganz(const Value& v) { return v.isNull() ? 0 : std::lround(v.toNumber()); }

bool hatZeile(engine::TableDataSet& t) { return t.active() && (t.editing() || !t.isEmpty()); }

} // namespace

void TTerminform::TeilnehmereinfuegenBitBtnClick() { befehl([this] { teilnehmerEinfuegen(); }); }
void TTerminform::TeilnehmerloeschenClick() { befehl([this] { teilnehmerEntfernen(); }); }
void TTerminform::KeglerauswahlSpeedButtonClick() { befehl([this] { keglerAuswahl(); }); }

void TTerminform::keglernummerBetreten()
{
    engine::TableDataSet& t = teilnehmer();
    vorherigerKegler_ = QString::number(hatZeile(t) ? ganz(t.value("KEGLER")) : 0);
}

void TTerminform::keglernummerVerlassen()
{
    engine::TableDataSet& t = teilnehmer();
    if (!hatZeile(t)) return;
    const QString kegler = QString::number(ganz(t.value("KEGLER")));
    if (kegler == vorherigerKegler_) return;
    for (Eingabegitter* g : {SpieleGrid1, SonstigeGrid1}) {
        const int c = g->spalteZumUmbenennen(vorherigerKegler_);
        g->kopfSchreiben(c, kegler, q(t.text("Name")), QString::number(ganz(t.value("NUMMER"))));
    }
    vorherigerKegler_ = kegler;
}

void TTerminform::keglernameZeigen()
{
    const QString text = Keglernummeredit->currentText().trimmed();
    KeglernameEdit->setText(text.isEmpty() ? QString() : q(daten_.modul().KeglerName(text.toStdString())));
}

void TTerminform::keglerWaehlen()
{
    bool ok = false;
    const long n = keglerEingabe_.toLong(&ok);
    if (!ok) return;
    for (size_t r = 0; r < Keglernummeredit->listCount(); ++r)
        if (Keglernummeredit->itemText(static_cast<int>(r)).toLong() == n) {
            Keglernummeredit->choose(static_cast<int>(r));
            return;
        }
}

void TTerminform::teilnehmerEinfuegen()
{
    engine::TableDataSet& t = teilnehmer();
    if (abschnitt() < 1) return;
    if (!hatZeile(t) || ganz(t.value("KEGLER")) == 0) {
        common::dialogs().error(QStringLiteral("Sie müssen zuerst die Daten vervollständigen"));
        Keglernummeredit->setFocus();
        return;
    }
    keglernummerVerlassen(); // a bowler chosen without leaving the field labels his column first
    t.append();              // stores the previous row
    SpieleGrid1->spalteAnfuegen();
    SonstigeGrid1->spalteAnfuegen();
    daten_.modul().KeglerProTerminLaden(termine().text("NUMMER"));
    Keglernummeredit->setFocus();
    keglernummerBetreten(); // the new row, also when the field had the focus already
    keglerEingabe_.clear();
}

void TTerminform::teilnehmerEntfernen()
{
    if (!common::dialogs().yesNo(QStringLiteral("Teilnehmer entfernen ?"))) return;
    engine::TableDataSet& t = teilnehmer();
    if (!hatZeile(t)) return;
    const QString kegler = QString::number(ganz(t.value("KEGLER")));
    SpieleGrid1->spalteEntfernen(kegler);
    SonstigeGrid1->spalteEntfernen(kegler);
    if (t.state() == engine::DataSetState::Insert)
        t.cancel();
    else
        t.deleteRecord();
    daten_.modul().KeglerProTerminLaden(termine().text("NUMMER"));
    TeilnehmerGrid->viewport()->update();
}

void TTerminform::keglerAuswahl()
{
    if (abschnitt() < 1) return;
    teilnehmerSichern();
    TKeglerAuswahlDlg2 dlg(this);
    engine::TableDataSet& kegler = daten_.modul().d().KeglerTable1; // in name order
    QStringList alle;
    const int nr = kegler.fieldIndex("NUMMER"), name = kegler.fieldIndex("NAME"), vorname = kegler.fieldIndex("VORNAME");
    for (size_t r = 0; r < kegler.recordCount(); ++r)
        alle << TKeglerAuswahlDlg2::eintrag(ganz(kegler.rowValue(r, nr)), q(kegler.rowDisplayText(r, name)),
                                            q(kegler.rowDisplayText(r, vorname)));
    dlg.linksFuellen(alle);

    // Rows without a bowler go; the others are the participants the dialog starts with.
    engine::TableDataSet& t = teilnehmer();
    t.first();
    while (!t.isEmpty() && !t.eof()) {
        if (ganz(t.value("KEGLER")) == 0) {
            t.deleteRecord();
            continue;
        }
        dlg.vorhanden(TKeglerAuswahlDlg2::eintrag(ganz(t.value("KEGLER")), q(t.text("Name")), q(t.text("Vorname"))));
        if (!t.next()) break;
    }
    if (shell::stammdaten::zeigeModal(dlg) == QDialog::Accepted) {
        for (const QString& e : dlg.neue()) {
            // The empty column of a section without participants takes the first one.
            for (Eingabegitter* g : {SpieleGrid1, SonstigeGrid1})
                if (!g->kegler(g->colCount() - 1).isEmpty() || !g->teilnehmer(g->colCount() - 1).isEmpty())
                    g->spalteAnfuegen();
            t.append();
            t.setValue("KEGLER", Value::number(double(TKeglerAuswahlDlg2::nummerVon(e))));
            t.post();
            for (Eingabegitter* g : {SpieleGrid1, SonstigeGrid1})
                g->kopfSchreiben(g->colCount() - 1, QString::number(ganz(t.value("KEGLER"))), q(t.text("Name")),
                                 QString::number(ganz(t.value("NUMMER"))));
        }
    }
    daten_.modul().KeglerProTerminLaden(termine().text("NUMMER"));
    Keglernummeredit->setFocus();
    keglernummerBetreten();
    keglerEingabe_.clear();
}

} // namespace trevo::evenings
