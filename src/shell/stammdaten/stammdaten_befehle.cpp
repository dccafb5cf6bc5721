// The entry commands of the master-data window: new, insert next, change, copy, save,
// cancel, delete, close, print and the guide's commands.
#include "shell/stammdaten/stammdaten_form.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"
#include "shell/shell_services.h"

#include <QAction>

namespace trevo::shell::stammdaten {

using shell::Eingabemodus;

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
void TStammdatenForm::ToolButton4Click()
{
    controls::runGuarded([this] { shell().LotseZeigen(); });
}

void TStammdatenForm::Liste1Click()
{
    befehl([this] { listeDrucken(); });
}

void TStammdatenForm::listeDrucken()
{
    engine::TableDataSet* t = tabelle();
    if (!zugang_.druckenMoeglich() || !t) return;
    const std::string path =
        einstellungen_.printFile.empty() ? t->path() : zugang_.datenordner() + einstellungen_.printFile;
    zugang_.DruckeListe(einstellungen_.printOption, einstellungen_.printDefault, path);
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

void TStammdatenForm::neuAnfuegen()
{
    engine::TableDataSet* t = tabelle();
    vorAnfuegen();
    angefuegt_.clear();
    t->append(); // a pending record is stored (or dropped) first
    nachAnfuegen();
    for (int f = 0; f < t->fieldCount(); ++f)
        if (t->field(f).kind == engine::FieldKind::Stored) angefuegt_.push_back(t->value(f));
}

void TStammdatenForm::neueingabe()
{
    if (!tabelle()) return;
    if (einstellungen_.incompleteCheckOnNew && imEingabemodus() && !komplett()) {
        common::dialogs().error(QStringLiteral("Die Daten sind noch nicht komplett"));
        return;
    }
    // A new record that nobody touched is not worth storing: it goes, the next one comes.
    if (unberuehrterNeuerSatz()) tabelle()->cancel();
    neuAnfuegen();
    setTag(Eingabemodus::Neu);
    modusWechseln(true, false);
}

void TStammdatenForm::neuerSatz()
{
    if (!tabelle()) return;
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    neuAnfuegen();
    ersteEingabeFokussieren();
}

void TStammdatenForm::aendern()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    vorAendern();
    t->edit(); // on an empty table this starts a new record
    if (t->state() == engine::DataSetState::Insert) nachAnfuegen();
    setTag(Eingabemodus::Aendern);
    modusWechseln(true, false);
}

void TStammdatenForm::kopieren()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    // Every stored field but the first (the running number), as text, in table order.
    std::vector<std::pair<int, std::string>> saved;
    if (t->editing() || !t->isEmpty())
        for (int i = 1; i < t->fieldCount() && saved.size() < 49; ++i)
            if (t->field(i).kind == engine::FieldKind::Stored) saved.emplace_back(i, t->text(i));
    neuAnfuegen();
    setTag(Eingabemodus::KopierenUndAendern);
    for (const auto& [field, text] : saved) t->setText(field, text);
    modusWechseln(true, false);
}

void TStammdatenForm::speichern()
{
    engine::TableDataSet* t = tabelle();
    if (!imEingabemodus() || !t) {
        modusWechseln(false, false);
        return;
    }
    if (!komplett()) {
        nichtVollstaendig();
        return;
    }
    if (common::dialogs().yesNo(QStringLiteral("Daten speichern ?"))) {
        if (t->editing()) t->post();
        datensatzAbgeschlossen(true);
        if (tag() == Eingabemodus::Neu) {
            neuAnfuegen();
            ersteEingabeFokussieren();
            return;
        }
    } else {
        if (t->editing()) t->cancel();
        datensatzAbgeschlossen(false);
    }
    modusWechseln(false, false);
}

void TStammdatenForm::abbrechen()
{
    if (imEingabemodus()) {
        engine::TableDataSet* t = tabelle();
        if (t && t->editing()) t->cancel();
        if (t) datensatzAbgeschlossen(false);
        setTag(Eingabemodus::Blaettern);
    }
    modusWechseln(false, false);
}

bool TStammdatenForm::eingabeAbschliessen()
{
    engine::TableDataSet* t = tabelle();
    if (!imEingabemodus() || !t) return true;
    switch (common::dialogs().yesNoCancel(QStringLiteral("Daten speichern ?"))) {
    case common::Answer::Cancel: return false;
    case common::Answer::Yes:
        if (t->editing()) t->post(); // stored as it is, complete or not
        datensatzAbgeschlossen(true);
        break;
    default:
        if (t->editing()) t->cancel();
        datensatzAbgeschlossen(false);
        break;
    }
    setTag(Eingabemodus::Blaettern);
    return true;
}

void TStammdatenForm::schliessen()
{
    if (!eingabeAbschliessen()) return;
    modusWechseln(false, false);
    shell().FensterZurueck();
}

void TStammdatenForm::loeschen()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    shell().BitteWarten(0);
    struct Off {
        shell::ShellServices& s;
        ~Off() { s.BitteWarten(1); }
    } off{shell()};
    if (!t->editing() && t->isEmpty()) return;
    if (!loeschenPruefen(*t)) return;
    if (!common::dialogs().yesNo(einstellungen_.deleteQuestion)) return;
    t->deleteRecord();
    MenueFreigebenTabelle();
    nachschlagetabelleAuffrischen();
    nachLoeschen();
}

bool TStammdatenForm::loeschenPruefen(engine::TableDataSet& t)
{
    if (!loeschenErlaubt(t)) return false;
    if (einstellungen_.referenceField.empty() || t.state() == engine::DataSetState::Insert) return true;
    const long number = static_cast<long>(t.value("NUMMER").toNumber());
    const std::string path = zugang_.datenordner() + einstellungen_.referenceFile;
    if (zugang_.AnzahlMitWert(einstellungen_.referenceField, number, path) == 0) return true;
    common::dialogs().message(QStringLiteral(
        "Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in einer anderen Tabelle verwendet"));
    return false;
}

} // namespace trevo::shell::stammdaten
