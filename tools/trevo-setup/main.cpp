// trevo-setup: creates what an installation provides.
//   trevo-setup datenordner ORDNER   the sixteen tables with their starting contents and
//                                    the report layouts (*.QR2)
//   trevo-setup programmordner ORDNER   KEGELCFG.DB with the default options
//   trevo-setup demo ORDNER [--jahre N] [--kegler N] [--seed N]   a complete demo club with
//                                    the report layouts
//   trevo-setup sichern DATENORDNER ZIELORDNER   a backup of the data folder (ZIP file)
//   trevo-setup zurueckspielen ZIPDATEI DATENORDNER   restores a backup, after backing up the
//                                    current state beside the ZIP file
// Existing files are never overwritten (but by a restore). A folder another program holds is left alone
// (exit code 1 with the holder named).
#include "engine/core/error.h"
#include "engine/database.h"
#include "data/sicherung/sicherung.h"
#include "data/store/demo_club.h"
#include "data/store/installation.h"
#ifdef TREVO_SETUP_LAYOUTS
#include "reports/vorlagen/vorlagen.h"
#endif

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace trevo;

int usage()
{
    std::cerr << "Aufruf:\n"
                 "  trevo-setup datenordner ORDNER\n"
                 "  trevo-setup programmordner ORDNER\n"
                 "  trevo-setup demo ORDNER [--jahre N] [--kegler N] [--seed N]\n"
                 "  trevo-setup sichern DATENORDNER ZIELORDNER\n"
                 "  trevo-setup zurueckspielen ZIPDATEI DATENORDNER\n";
    return 2;
}

int32_t today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return engine::daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::optional<long> wholeNumber(const std::string& s)
{
    if (s.empty() || s.size() > 9) return std::nullopt;
    for (char c : s)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stol(s);
}

void print(const data::SetupReport& r)
{
    for (const auto& line : r.lines()) std::cout << line << "\n";
}

// The report layouts of a data folder, where this tool is built with the report layer.
void layouts([[maybe_unused]] const std::string& folder)
{
#ifdef TREVO_SETUP_LAYOUTS
    print(reports::vorlagenAnlegen(folder));
#endif
}

int demo(engine::Database& db, const std::string& folder, const std::vector<std::string>& args)
{
    data::DemoOptions o;
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::optional<long> n = i + 1 < args.size() ? wholeNumber(args[i + 1]) : std::nullopt;
        if (!n) {
            std::cerr << "Ungültige Angabe bei '" << args[i] << "'\n";
            return usage();
        }
        if (args[i] == "--jahre") o.years = static_cast<int>(*n);
        else if (args[i] == "--kegler") o.bowlers = static_cast<int>(*n);
        else if (args[i] == "--seed") o.seed = static_cast<uint64_t>(*n);
        else {
            std::cerr << "Unbekannte Angabe '" << args[i] << "'\n";
            return usage();
        }
    }
    const auto start = std::chrono::steady_clock::now();
    const data::DemoResult r = data::createDemoClub(db, folder, o);
    print(r.report);
    layouts(folder);
    if (!r.report.changedAnything()) return 0;
    for (const auto& [table, rows] : r.rowCounts) std::cout << table << ": " << rows << " Datensätze\n";
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Democlub in %.1f s angelegt\n", secs);
    return 0;
}

// The club's files of the folder; the options file when it lies there too (the data folder
// is the program folder).
data::Sicherungsquelle quelle(engine::Database& db, const std::string& folder)
{
    return {folder, data::existingFile(db.fs(), folder, "KEGELCFG.DB"), {"TREVO.LCK", "TREVO.JNL"}};
}

std::string ordnerVon(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

int sicherung(engine::Database& db, const std::string& command, const std::string& first, const std::string& second)
{
    const std::string datenordner = command == "sichern" ? first : second;
    db.holdFolder(datenordner, std::chrono::seconds(3));
    if (command == "sichern") {
        std::cout << "Sicherung geschrieben: " << data::sichern(quelle(db, datenordner), second, std::time(nullptr))
                  << "\n";
    } else {
        const std::string vorher =
            data::zurueckspielen(first, quelle(db, datenordner), ordnerVon(first), false, std::time(nullptr));
        std::cout << "Sicherung zurückgespielt; die bisherigen Daten sind gesichert in " << vorher << "\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return usage();
    const std::string command = argv[1], folder = argv[2];
    const std::vector<std::string> rest(argv + 3, argv + argc);
    try {
        engine::Database db;
        db.storage().setProgram("trevo-setup");
        if ((command == "sichern" || command == "zurueckspielen") && rest.size() == 1)
            return sicherung(db, command, folder, rest[0]);
        // An existing folder is held while the tool writes; another program holding it ends the
        // tool after a short wait with exit code 1, naming the holder.
        db.storage().setProgram("trevo-setup");
        if (db.fs().isDirectory(folder)) db.holdFolder(folder, std::chrono::seconds(3));
        if (command == "datenordner" && rest.empty()) {
            print(data::installDataFolder(db, folder, today()));
            layouts(folder);
        }
        else if (command == "programmordner" && rest.empty()) print(data::installProgramFolder(db, folder));
        else if (command == "demo") return demo(db, folder, rest);
        else return usage();
    } catch (const engine::EngineError& e) {
        std::cerr << "Fehler: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
