#include "commands.h"

#include "engine/codepage/code_page.h"
#include "engine/core/error.h"
#include "engine/dbf/dbf_repair.h"
#include "engine/dbf/dbf_table.h"
#include "engine/fs/file_system.h"
#include "engine/storage/storage.h"

#include <cstdio>
#include <memory>

namespace trevo::dbftool {

using namespace trevo::engine;

namespace {

// Opens a table or prints why it cannot be opened.
std::shared_ptr<DbfTable> openTable(Storage& storage, const std::string& file)
{
    try {
        return DbfTable::open(storage, file);
    } catch (const EngineError& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Die Datei '%s' kann nicht gelesen werden: %s\n", file.c_str(), e.what());
    }
    return nullptr;
}

const char* versionText(uint8_t v)
{
    switch (v) {
    case 0x03: return "dBASE III+/IV ohne Memodatei";
    case 0x83: return "dBASE III+ mit Memodatei";
    case 0x8B: return "dBASE IV mit Memodatei";
    }
    return "unbekannt";
}

std::string escaped(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

void printFields(const DbfTable& t)
{
    std::printf("Felder:\n  Nr  Name        Typ  Breite  Dez\n");
    int n = 0;
    for (const FieldDef& f : t.fields())
        std::printf("  %2d  %-10s  %c    %6u  %3u\n", ++n, f.name.c_str(), f.type, f.length, f.decimals);
}

// Notes on files that other programs left beside the table; they are no faults.
void printNotices(const DbfTable& t)
{
    for (const std::string& n : t.notices()) std::printf("Hinweis: %s\n", n.c_str());
}

} // namespace

int info(const std::string& file)
{
    Storage storage(realFileSystem());
    auto t = openTable(storage, file);
    if (!t) return 1;
    const DbfFileInfo i = t->info();
    uint32_t deleted = 0;
    for (uint32_t r = 0; r < t->recordCount(); ++r) deleted += t->isDeleted(r) ? 1 : 0;
    std::printf("Datei:             %s\n", fileNameOf(t->path()).c_str());
    std::printf("Version:           0x%02X (%s)\n", i.versionByte, versionText(i.versionByte));
    std::printf("Letzte Änderung:   %02d.%02d.%04d\n", i.updateDay, i.updateMonth, i.updateYear);
    if (i.codePageFile.empty())
        std::printf("Zeichensatz:       %s\n", describeDriver(t->languageDriver()).c_str());
    else
        std::printf("Zeichensatz:       %s (aus %s; Sprachtreiber %s)\n", t->codePage().name(),
                    fileNameOf(i.codePageFile).c_str(), describeDriver(t->languageDriver()).c_str());
    std::printf("Kopflänge:         %u Bytes\n", i.headerLength);
    std::printf("Satzlänge:         %u Bytes\n", i.recordLength);
    std::printf("Datensätze:        %u (davon %u gelöscht)\n", t->recordCount(), deleted);
    if (i.headerRecordCount != t->recordCount()) std::printf("Laut Kopf:         %u\n", i.headerRecordCount);
    std::printf("Produktionsindex:  %s\n", i.productionIndexFlag ? "im Kopf vermerkt (wird nicht benutzt)" : "nein");
    if (!i.memoPath.empty()) {
        if (i.memoPresent)
            std::printf("Memodatei:         %s (%s, Blockgröße %u)\n", fileNameOf(i.memoPath).c_str(),
                        t->version() == DbfVersion::DBase4 ? "dBASE IV" : "dBASE III", i.memoBlockSize);
        else
            std::printf("Memodatei:         %s (fehlt)\n", fileNameOf(i.memoPath).c_str());
    }
    printFields(*t);
    printNotices(*t);
    if (!t->faults().empty()) {
        std::printf("Hinweise%s:\n", t->readOnly() ? " (nur zum Lesen geöffnet)" : "");
        for (const std::string& f : t->faults()) std::printf("  %s\n", f.c_str());
    }
    return 0;
}

int dump(const std::string& file)
{
    Storage storage(realFileSystem());
    auto t = openTable(storage, file);
    if (!t) return 1;
    for (const std::string& f : t->faults()) std::fprintf(stderr, "Warnung: %s\n", f.c_str());
    std::string line;
    for (size_t i = 0; i < t->fields().size(); ++i) {
        if (i) line.push_back('\t');
        line += t->fields()[i].name;
    }
    std::printf("%s\n", line.c_str());
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        if (t->isDeleted(r)) continue;
        line.clear();
        for (size_t i = 0; i < t->fields().size(); ++i) {
            if (i) line.push_back('\t');
            line += escaped(t->textOf(r, static_cast<int>(i)));
        }
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

int check(const std::string& file)
{
    Storage storage(realFileSystem());
    auto t = openTable(storage, file);
    if (!t) return 1;
    const std::vector<std::string> faults = t->check();
    const std::string name = fileNameOf(t->path());
    printNotices(*t);
    if (faults.empty()) {
        std::printf("%s: keine Fehler\n", name.c_str());
        return 0;
    }
    std::printf("%s: %zu %s gefunden%s\n", name.c_str(), faults.size(), faults.size() == 1 ? "Fehler" : "Fehler",
                t->readOnly() ? ", die Tabelle ist nur lesbar" : "");
    for (const std::string& f : faults) std::printf("  %s\n", f.c_str());
    return 1;
}

int repair(const std::string& file)
{
    Storage storage(realFileSystem());
    DbfRepair r;
    try {
        r = repairDbfHeader(storage, file);
    } catch (const EngineError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Die Datei '%s' kann nicht repariert werden: %s\n", file.c_str(), e.what());
        return 1;
    }
    const std::string name = fileNameOf(file);
    if (r.changes.empty()) {
        std::printf("%s: der Kopf stimmt mit der Datei überein, nichts geändert\n", name.c_str());
        return 0;
    }
    std::printf("%s: Kopie des Originals in %s geschrieben\n", name.c_str(), fileNameOf(r.backupPath).c_str());
    for (const std::string& c : r.changes) std::printf("  %s\n", c.c_str());
    return 0;
}

} // namespace trevo::dbftool
