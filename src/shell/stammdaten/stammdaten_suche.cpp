// Finding and showing records in the master-data window: sort, range filter, search,
// search next and the quick search.
#include "shell/stammdaten/abfrage_dlg.h"
#include "engine/core/collation.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"
#include "common/dialogs/dialogs.h"
#include "shell/stammdaten/modal.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/sort_form.h"
#include "engine/sql/sql.h"
#include "shell/stammdaten/stammdaten_form.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchdialoge.h"
#include "common/catalogue/meldungstext.h"

namespace trevo::shell::stammdaten {

void TStammdatenForm::Sortierung1Click() { befehl([this] { sortieren(); }); }
void TStammdatenForm::Bereich1Click() { befehl([this] { bereich(); }); }
void TStammdatenForm::Suchen1Click() { befehl([this] { suchen(); }); }
void TStammdatenForm::ToolButton1Click() { befehl([this] { weitersuchen(); }); }

void TStammdatenForm::SchnellsuchEdit1Change(const QString& text)
{
    befehl([&] { schnellsuche(text); });
}

void TStammdatenForm::sortieren()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    TSortForm sort(this);
    sort.setWindowTitle(QStringLiteral("Sortierung"));
    QStringList items;
    for (const Sortieroption& o : einstellungen_.sortOptions) items << o.text;
    sort.setItems(items);
    sort.setGroupHeight(102);
    const std::string current = engine::toUpperGerman(t->indexName());
    sort.setItemIndex(-1);
    const std::vector<Sortieroption>& options = einstellungen_.sortOptions;
    for (size_t i = 0; i < options.size(); ++i)
        if (engine::toUpperGerman(options[i].index) == current) sort.setItemIndex(static_cast<int>(i));
    zeigeModal(sort);
    const int chosen = sort.itemIndex();
    if (chosen >= 0 && chosen < static_cast<int>(einstellungen_.sortOptions.size()))
        t->setIndex(einstellungen_.sortOptions[static_cast<size_t>(chosen)].index);
}

void TStammdatenForm::bereich()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    TAbfrageDlgEinFeld& dlg = dialoge_.AbfrageDlgEinFeld();
    const auto [folder, file] = ordnerUndDatei(t->path());
    dlg.TabelleSetzen(folder, file);
    if (zeigeModal(dlg) != QDialog::Accepted) return;
    if (dlg.komplett()) {
        t->setFiltered(false);
    } else {
        try {
            t->setFilterText(dlg.FilterErzeugen());
            t->setFiltered(true);
        } catch (const engine::EngineError&) {
            // An expression that cannot be built or applied shows the whole table.
            t->setFiltered(false);
        }
    }
    shell().FilterAnzeige(t->filtered());
}

namespace {

std::string statement(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

} // namespace

void TStammdatenForm::suchen()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    TSuchDlgKomplex& dlg = dialoge_.SuchDlgKomplex();
    const auto [folder, file] = ordnerUndDatei(t->path());
    dlg.TabelleSetzen(folder, file);
    if (zeigeModal(dlg) != QDialog::Accepted) return;

    shell().setStatusText(0, QStringLiteral("Bitte warten..."));
    struct Clear {
        shell::ShellServices& s;
        ~Clear() { s.setStatusText(0, QString()); }
    } clear{shell()};

    SuchQuery1.close();
    std::vector<std::string> lines;
    dlg.SQLErzeugen(lines); // a text that is no value of the field ends the command here
    try {
        SuchQuery1.setResult(engine::sql::execute(zugang_.datenbank(), zugang_.session(), statement(lines),
                                                  zugang_.datenordner()));
        SuchQuery1.open();
    } catch (const engine::EngineError&) {
        SuchQuery1.close(); // a statement that cannot be run finds nothing
    }
    if (SuchQuery1.active() && !SuchQuery1.isEmpty()) {
        SuchQuery1.first();
        zumTreffer();
    } else {
        common::dialogs().message(qs(common::MeldungsText(2006)));
    }
}

void TStammdatenForm::weitersuchen()
{
    if (tabelle() && SuchQuery1.active() && !SuchQuery1.eof() && SuchQuery1.recordCount() > 1) {
        SuchQuery1.next(); // from the last hit it stays there and marks the end
        zumTreffer();
        return;
    }
    suchen();
}

void TStammdatenForm::zumTreffer()
{
    // The hit is shown in the order of the running numbers; a hit that the range
    // filter hides leaves the position where it was.
    engine::TableDataSet* t = tabelle();
    t->setIndex("NUMMER");
    t->findKey(SuchQuery1.value("NUMMER"));
}

void TStammdatenForm::schnellsuche(const QString& text)
{
    engine::TableDataSet* t = tabelle();
    if (!t || !t->active()) return;
    if (text.isEmpty()) {
        t->first();
        return;
    }
    if (t->indexName().empty()) return; // the physical order has no key to search
    t->findNearest(engine::Value::text(ss(text)));
}

} // namespace trevo::shell::stammdaten
