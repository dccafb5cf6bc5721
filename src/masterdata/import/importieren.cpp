#include "masterdata/import/importieren.h"

#include "masterdata/import/db_import_dlg.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/modal.h"

#include <QApplication>

namespace trevo::masterdata {

int Importieren(shell::stammdaten::Datenzugang& zugang)
{
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
