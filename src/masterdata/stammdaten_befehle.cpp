// The entry commands of the master-data window: new, insert next, change, copy, save,
// cancel, delete, close, print and the guide's commands.
#include "masterdata/stammdaten_form.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "engine/dataset/table_data_set.h"
#include "masterdata/datenzugang.h"
#include "masterdata/dialog_hilfen.h"
#include "shell/shell_services.h"

#include <QAction>

namespace trevo::masterdata {

using shell::Eingabemodus;

namespace {

// Message 2001 in a plain message box.
void nichtVollstaendig() { common::dialogs().message(qs(common::MeldungsText(2001))); }

} // namespace

void TStammdatenForm::Neueingabe1Click() { befehl([this] { newEntry(); }); }
void TStammdatenForm::NeuerSatzButtonClick() { befehl([this] { insertNext(); }); }
void TStammdatenForm::ndern1Click() { befehl([this] { change(); }); }
void TStammdatenForm::Kopierenundndern1Click() { befehl([this] { copyRecord(); }); }
void TStammdatenForm::OKBtnClick() { befehl([this] { save(); }); }
void TStammdatenForm::CancelBtnClick() { befehl([this] { cancelEntry(); }); }
void TStammdatenForm::Lschen2Click() { befehl([this] { deleteCurrent(); }); }
void TStammdatenForm::CloseBtnClick() { befehl([this] { closeWindow(); }); }
void TStammdatenForm::ToolButton4Click()
{
    controls::runGuarded([this] { shell().LotseZeigen(); });
}

void TStammdatenForm::Liste1Click()
{
    befehl([this] {
        engine::TableDataSet* t = tabelle();
        if (!access_.druckenMoeglich() || !t) return;
        access_.DruckeListe(settings_.printOption, settings_.printDefault, t->path());
    });
}

void TStammdatenForm::Lotsenbefehl(shell::Lotsencode code)
{
    using shell::Lotsencode;
    switch (code) {
    case Lotsencode::Neueingabe:
        if (imEingabemodus())
            NeuerSatzButtonClick();
        else
            Neueingabe1Click();
        break;
    case Lotsencode::Aendern:
        if (!imEingabemodus()) ndern1Click();
        break;
    case Lotsencode::Sortieren: Sortierung1Click(); break;
    case Lotsencode::Bereich: Bereich1Click(); break;
    case Lotsencode::Suchen: Suchen1Click(); break;
    case Lotsencode::Liste:
        if (Liste1->isEnabled()) Liste1Click();
        break;
    default: break;
    }
}

void TStammdatenForm::appendNew()
{
    tabelle()->append(); // a pending record is stored (or dropped) first
    nachAnfuegen();
}

void TStammdatenForm::newEntry()
{
    if (!tabelle()) return;
    if (settings_.incompleteCheckOnNew && imEingabemodus() && !komplett()) {
        common::dialogs().error(QStringLiteral("Die Daten sind noch nicht komplett"));
        return;
    }
    appendNew();
    setTag(Eingabemodus::Neu);
    switchMode(true, false);
}

void TStammdatenForm::insertNext()
{
    if (!tabelle()) return;
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    appendNew();
    focusFirst();
}

void TStammdatenForm::change()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    t->edit(); // on an empty table this starts a new record
    if (t->state() == engine::DataSetState::Insert) nachAnfuegen();
    setTag(Eingabemodus::Aendern);
    switchMode(true, false);
}

void TStammdatenForm::copyRecord()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    // Every stored field but the first (the running number), as text, in table order.
    std::vector<std::pair<int, std::string>> saved;
    if (t->editing() || !t->isEmpty())
        for (int i = 1; i < t->fieldCount() && saved.size() < 49; ++i)
            if (t->field(i).kind == engine::FieldKind::Stored) saved.emplace_back(i, t->text(i));
    appendNew();
    setTag(Eingabemodus::KopierenUndAendern);
    for (const auto& [field, text] : saved) t->setText(field, text);
    switchMode(true, false);
}

void TStammdatenForm::save()
{
    engine::TableDataSet* t = tabelle();
    if (!imEingabemodus() || !t) {
        switchMode(false, false);
        return;
    }
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    if (common::dialogs().yesNo(QStringLiteral("Daten speichern ?"))) {
        if (t->editing()) t->post();
        if (tag() == Eingabemodus::Neu) {
            appendNew();
            focusFirst();
            return;
        }
    } else if (t->editing()) {
        t->cancel();
    }
    switchMode(false, false);
}

void TStammdatenForm::cancelEntry()
{
    if (imEingabemodus()) {
        if (engine::TableDataSet* t = tabelle(); t && t->editing()) t->cancel();
        setTag(Eingabemodus::Blaettern);
    }
    switchMode(false, false);
}

bool TStammdatenForm::settleEntry()
{
    engine::TableDataSet* t = tabelle();
    if (!imEingabemodus() || !t) return true;
    switch (common::dialogs().yesNoCancel(QStringLiteral("Daten speichern ?"))) {
    case common::Answer::Cancel: return false;
    case common::Answer::Yes:
        if (t->editing()) t->post(); // stored as it is, complete or not
        break;
    default:
        if (t->editing()) t->cancel();
        break;
    }
    setTag(Eingabemodus::Blaettern);
    return true;
}

void TStammdatenForm::closeWindow()
{
    if (!settleEntry()) return;
    switchMode(false, false);
    shell().FensterZurueck();
}

void TStammdatenForm::deleteCurrent()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    shell().BitteWarten(0);
    struct Off {
        shell::ShellServices& s;
        ~Off() { s.BitteWarten(1); }
    } off{shell()};
    if (!t->editing() && t->isEmpty()) return;
    if (!settings_.referenceField.empty()) {
        const long number = static_cast<long>(t->value("NUMMER").toNumber());
        const std::string path = access_.datenordner() + settings_.referenceFile;
        if (access_.AnzahlMitWert(settings_.referenceField, number, path) > 0) {
            common::dialogs().message(QStringLiteral(
                "Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in einer anderen Tabelle verwendet"));
            return;
        }
    }
    if (!common::dialogs().yesNo(QStringLiteral("Datensatz löschen ?"))) return;
    t->deleteRecord();
    MenueFreigebenTabelle();
    refreshLookup();
}

} // namespace trevo::masterdata
