// trevo-sql FOLDER [STATEMENT]: runs a statement of the local SQL dialect (or, without
// one, the statements of standard input, separated by lines holding only ";") with
// FOLDER as the folder of bare file names, and prints the rows or the number of
// records changed. Exit code 1 with the German error text when a statement fails.
// A statement that changes tables holds the folder for its run; when another program holds
// it, the tool waits a few seconds and then ends with exit code 1, naming the holder.
// Ctrl+C cancels the running statement with exit code 1.
#include "output.h"

#include "engine/core/error.h"
#include "engine/core/interrupt.h"
#include "engine/database.h"
#include "engine/sql/sql.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <iterator>

using namespace trevo::engine;

namespace {

constexpr std::chrono::milliseconds lockWait{3000};

void usage()
{
    std::fputs("Aufruf: trevo-sql ORDNER [ANWEISUNG]\n"
               "  Führt die SQL-Anweisung mit ORDNER als Ordner der Tabellen aus; ohne ANWEISUNG\n"
               "  die Anweisungen der Standardeingabe, getrennt durch Zeilen mit nur \";\".\n"
               "  Ausgabe: Kopfzeile und Zeilen mit Tabulatoren, oder die Zahl geänderter Datensätze.\n",
               stderr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        usage();
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') folder += '/';
    std::vector<std::string> statements;
    if (argc == 3) {
        statements.push_back(argv[2]);
    } else {
        const std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        statements = trevo::sqltool::splitStatements(input);
    }
    try {
        Database db;
        if (!db.fs().isDirectory(folder)) throw EngineError("Ordner '" + folder + "' nicht gefunden");
        db.storage().setProgram("trevo-sql");
        // Ctrl+C cancels the running statement (the tables stay as before it); a second one ends at once.
        const InterruptScope interruptible;
        struct sigaction action {};
        action.sa_handler = [](int) { requestInterrupt(); };
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        for (const auto& text : statements) {
            const bool reads = trevo::sqltool::onlyReads(text);
            if (reads) db.refresh();
            else db.holdFolder(folder, lockWait);
            const std::string out = trevo::sqltool::formatResult(sql::execute(db, db.session(), text, folder));
            if (!reads) db.releaseFolder(folder);
            std::fwrite(out.data(), 1, out.size(), stdout);
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
