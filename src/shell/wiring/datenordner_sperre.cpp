#include "shell/wiring/datenordner_sperre.h"

#include "common/dialogs/dialogs.h"
#include "engine/storage/folder_lock.h"

namespace trevo::shell {

bool DatenordnerSperren(engine::Database& db, const std::string& datenordner)
{
    if (datenordner.empty() || !db.fs().isDirectory(datenordner)) return true;
    db.storage().setProgram("Trevo");
    try {
        db.holdFolder(datenordner);
        return true;
    } catch (const engine::FolderBusy& e) {
        const QString text = QString::fromStdString(e.what())
                             + QStringLiteral("\n\nSoll der Datenordner nur zum Lesen geöffnet werden?\n"
                                              "(\u201eNein\u201c beendet das Programm.)");
        if (!common::dialogs().yesNo(text)) return false;
        db.readOnlyFolder(datenordner);
        return true;
    } catch (const engine::EngineError&) {
        // A folder that cannot be written (write-protected medium): every change is refused
        // naming it, reading goes on.
        return true;
    }
}

} // namespace trevo::shell
