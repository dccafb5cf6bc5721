// The entry commands of the master-data window: new, insert next, change, copy, save,
// cancel, delete, close, print and the guide's command codes.
#include "masterdata/bindung/datengitter.h"
#include "common/catalogue/meldungstext.h"
#include "engine/dataset/table_data_set.h"
#include "masterdata/datenzugang.h"
#include "masterdata/dialog_hilfen.h"
#include "common/dialogs/dialogs.h"
#include "shell/shell_services.h"
#include "masterdata/stammdaten_form.h"

namespace trevo::masterdata {

namespace {

// Message 2001 in a plain message box.
void nichtVollstaendig() { common::dialogs().message(qs(common::MeldungsText(2001))); }

} // namespace

void TStammdatenForm::Neueingabe1Click() { befehl([this] { neueingabe(); }); }
void TStammdatenForm::NeuerSatzButtonClick() { befehl([this] { neuerSatz(); }); }
void TStammdatenForm::ndern1Click() { befehl([this] { aendern(); }); }
void TStammdatenForm::Kopierenundndern1Click() { befehl([this] { kopieren(); }); }
void TStammdatenForm::OKBtnClick() { befehl([this] { speichern(); }); }
void TStammdatenForm::CancelBtnClick() { befehl([this] { abbrechen(); }); }
void TStammdatenForm::Lschen2Click() { befehl([this] { loeschen(); }); }
void TStammdatenForm::CloseBtnClick() { befehl([this] { schliessen(); }); }
void TStammdatenForm::ToolButton4Click() { shell().LotseZeigen(); }

void TStammdatenForm::Liste1Click()
{
    befehl([this] {
        if (!hatDatenzugang() || !datenzugang().druckenMoeglich() || !table_) return;
        datenzugang().DruckeListe(settings_.printOption, settings_.printDefault, table_->path());
    });
}

void TStammdatenForm::Lotsenbefehl(int code)
{
    switch (code) {
    case 1:
        if (tag() == 0)
            Neueingabe1Click();
        else
            NeuerSatzButtonClick();
        break;
    case 10:
        if (tag() == 0) ndern1Click();
        break;
    case 30: Sortierung1Click(); break;
    case 31: Bereich1Click(); break;
    case 32: Suchen1Click(); break;
    case 40:
        if (Liste1->isEnabled()) Liste1Click();
        break;
    default: break;
    }
}

void TStammdatenForm::appendNew()
{
    table_->append(); // a pending record is stored (or dropped) first
    nachAnfuegen();
}

void TStammdatenForm::neueingabe()
{
    if (!table_) return;
    if (settings_.incompleteCheckOnNew && tag() != 0 && !komplett()) {
        common::dialogs().error(QStringLiteral("Die Daten sind noch nicht komplett"));
        return;
    }
    appendNew();
    setTag(1);
    switchMode(true, false);
}

void TStammdatenForm::neuerSatz()
{
    if (!table_) return;
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    appendNew();
    focusFirst();
}

void TStammdatenForm::aendern()
{
    if (!table_) return;
    table_->edit(); // on an empty table this starts a new record
    if (table_->state() == engine::DataSetState::Insert) nachAnfuegen();
    setTag(10);
    switchMode(true, false);
}

void TStammdatenForm::kopieren()
{
    if (!table_) return;
    // Every stored field but the first (the running number), as text, in table order.
    std::vector<std::pair<int, std::string>> saved;
    if (table_->editing() || !table_->isEmpty())
        for (int i = 1; i < table_->fieldCount() && saved.size() < 49; ++i)
            if (table_->field(i).kind == engine::FieldKind::Stored) saved.emplace_back(i, table_->text(i));
    appendNew();
    setTag(2);
    for (const auto& [field, text] : saved) table_->setText(field, text);
    DBGrid1->viewport()->update();
    switchMode(true, false);
}

void TStammdatenForm::speichern()
{
    if (tag() == 0 || !table_) {
        switchMode(false, false);
        return;
    }
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    if (common::dialogs().yesNo(QStringLiteral("Daten speichern ?"))) {
        if (table_->editing()) table_->post();
        if (tag() == 1) {
            appendNew();
            focusFirst();
            return;
        }
    } else if (table_->editing()) {
        table_->cancel();
    }
    switchMode(false, false);
}

void TStammdatenForm::abbrechen()
{
    if (tag() != 0) {
        if (table_ && table_->editing()) table_->cancel();
        setTag(0);
    }
    switchMode(false, false);
}

void TStammdatenForm::schliessen()
{
    if (tag() != 0 && table_) {
        switch (common::dialogs().yesNoCancel(QStringLiteral("Daten speichern ?"))) {
        case common::Answer::Cancel: return;
        case common::Answer::Yes:
            if (table_->editing()) table_->post(); // stored as it is, complete or not
            break;
        default:
            if (table_->editing()) table_->cancel();
            break;
        }
        setTag(0);
    }
    switchMode(false, false);
    shell().FensterZurueck();
}

void TStammdatenForm::loeschen()
{
    if (!table_ || !hatDatenzugang()) return;
    shell().BitteWarten(0);
    struct Off {
        shell::ShellServices& s;
        ~Off() { s.BitteWarten(1); }
    } off{shell()};
    if (!table_->editing() && table_->isEmpty()) return;
    if (!settings_.referenceField.empty()) {
        const long number = static_cast<long>(table_->value("NUMMER").toNumber());
        const std::string path = datenzugang().datenordner() + settings_.referenceFile;
        if (datenzugang().AnzahlMitWert(settings_.referenceField, number, path) > 0) {
            common::dialogs().message(QStringLiteral(
                "Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in einer anderen Tabelle verwendet"));
            return;
        }
    }
    if (!common::dialogs().yesNo(QStringLiteral("Datensatz löschen ?"))) return;
    table_->deleteRecord();
    MenueFreigebenTabelle();
    refreshLookup();
}

} // namespace trevo::masterdata
