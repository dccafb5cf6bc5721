#pragma once
// The program folder (where the program file lies), the data folder (the dBASE tables;
// the option Datenordner when set) and the configuration folder (KEGELCFG.DB; always
// the program folder). Folder names end in '/'.
#include <QString>

namespace trevo::shell {

struct ProgramPaths {
    QString programFolder;
    QString dataFolder;
    QString configFolder;

    // All three set to the folder of the running program.
    static ProgramPaths ofProgram();
    // All three set to the given folder.
    static ProgramPaths of(const QString& folder);

    QString configFile() const { return configFolder + QStringLiteral("KEGELCFG.DB"); }
};

} // namespace trevo::shell
