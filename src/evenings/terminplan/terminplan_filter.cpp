// The schedule's filters: the period up to N days from today, the range of the shared
// range dialog, and the button that removes a range.
#include "evenings/terminplan/abfrage_dlg_terminsuche.h"
#include "evenings/terminplan/terminplan_form.h"

#include "engine/core/error.h"
#include "engine/core/value.h"
#include "engine/dataset/table_data_set.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/abfrage_dlg.h"
#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/stammdaten/tabellen_felder.h"

#include <QAction>
#include <QDate>

namespace trevo::evenings {

void TTerminplanform::Zeitraum1Click() { befehl([this] { zeitraum(); }); }
void TTerminplanform::BereichToolButtonClick() { befehl([this] { bereich(); }); }

namespace {

int32_t heute()
{
    const QDate d = QDate::currentDate();
    return engine::daysFromCivil(d.year(), d.month(), d.day());
}

} // namespace

void TTerminplanform::zeitraum()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    TAbfrageDlgTerminsuche dlg(this);
    if (shell::stammdaten::zeigeModal(dlg) != QDialog::Accepted) return;
    const QString text = dlg.Zeitraum().trimmed();
    bool ok = false;
    const long long tage = text.toLongLong(&ok);
    // Far beyond any date the day numbers can hold: not a number of days either.
    if (!ok || tage < -3000000 || tage > 3000000)
        throw engine::ValueError("'" + dlg.Zeitraum().toStdString() + "' ist kein gültiger ganzzahliger Wert");
    // Only the upper bound: appointments before today stay in the list.
    t->setFilterText("TERMINNUM<=" + std::to_string(tage + heute()));
    t->setFiltered(true);
}

void TTerminplanform::bereich()
{
    engine::TableDataSet* t = tabelle();
    if (!t) return;
    shell::stammdaten::TAbfrageDlgEinFeld& dlg = suchdialoge().AbfrageDlgEinFeld();
    const auto [folder, file] = shell::stammdaten::ordnerUndDatei(t->path());
    dlg.TabelleSetzen(folder, file);
    if (shell::stammdaten::zeigeModal(dlg) != QDialog::Accepted) return;
    if (dlg.komplett()) {
        t->setFiltered(false);
    } else {
        try {
            t->setFilterText(dlg.FilterErzeugen());
            t->setFiltered(true);
            bereichzurueckZeigen(true);
        } catch (const engine::EngineError&) {
            t->setFiltered(false); // an expression that cannot be built or applied shows everything
        }
    }
    shell().FilterAnzeige(t->filtered());
}

void TTerminplanform::BereichzurueckToolButtonClick()
{
    befehl([this] {
        engine::TableDataSet* t = tabelle();
        if (!t) return;
        t->setFiltered(false);
        t->first();
        bereichzurueckZeigen(false);
        shell().FilterAnzeige(t->filtered());
    });
}

} // namespace trevo::evenings
