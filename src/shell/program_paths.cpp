#include "shell/program_paths.h"

#include "dbcontrols/folder_dialog.h"

#include <QCoreApplication>
#include <QDir>

namespace trevo::shell {

ProgramPaths ProgramPaths::of(const QString& folder)
{
    const QString f = controls::withTrailingSlash(folder);
    return {f, f, f};
}

ProgramPaths ProgramPaths::ofProgram()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) folder = QDir::currentPath();
    return of(folder);
}

} // namespace trevo::shell
