#include "masterdata/import/importieren.h"

#include "masterdata/import/db_import_dlg.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/modal.h"

#include <QApplication>

namespace trevo::masterdata {

namespace {

// A bowler being typed in the members window would be stored after the import with the
// number it was given before, possibly one the import hands out as well: the import
// waits until that record is stored or dropped.
bool eingabeOffen(shell::stammdaten::Datenzugang& zugang)
{
    try {
        const engine::TableDataSet* kegler = zugang.tabelle("KeglerTable1");
        return kegler && kegler->editing();
    } catch (const engine::EngineError&) {
        return false; // no data module: nobody is typing
    }
}

} // namespace

int Importieren(shell::stammdaten::Datenzugang& zugang)
{
    if (eingabeOffen(zugang)) {
        common::dialogs().message(QStringLiteral(
            "Bitte speichern oder verwerfen Sie zuerst den Datensatz, der gerade bearbeitet wird."));
        return 0;
    }
    const std::string ordner = zugang.datenordner();
    TDBImportDlg dialog(zugang.datenbank(), zugang.session(), QApplication::activeWindow());
    dialog.setZiel(ordner, "KEGLER.DBF");
    const auto quelle = common::dialogs().openFileName(QStringLiteral("Öffnen"), QString::fromStdString(ordner),
                                                       QStringLiteral("XBase files (*.DBF)"));
    if (!quelle) return 0;
    dialog.setQuelle(quelle->toStdString());
    bool geladen = false;
    if (!controls::runGuarded([&] { geladen = dialog.Laden(); }) || !geladen) return 0;
    shell::stammdaten::zeigeModal(dialog);
    return dialog.gespeichert();
}

} // namespace trevo::masterdata
