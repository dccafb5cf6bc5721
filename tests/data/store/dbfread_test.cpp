// Debian's dbfread, an independent reader, reads every table of a fresh data folder
// and of the demo club with the field names, types, widths and values Trevo wrote.
#include "engine/database.h"
#include "data/store/demo_club.h"
#include "data/store/installation.h"
#include "data/store/schema.h"
#include "store_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace trevo;
using namespace trevo::data;

namespace {

const char* kScript = R"PY(
import sys, dbfread
folder, expected = sys.argv[1], sys.argv[2]
def esc(s):
    return s.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n').replace('\r', '\\r')
def canon(f, v):
    if f.type in 'CM':
        if f.type == 'M' and v is not None:
            v = v.rstrip('\x00')  # dbfread also returns the padding after a dBASE IV memo
        return esc(v or '')
    if v is None: return 'None'
    if f.type == 'N': return '%.*f' % (f.decimal_count, v)
    if f.type == 'D': return v.isoformat()
    if f.type == 'L': return 'T' if v else 'F'
    return repr(v)
lines, tables, bad = [], {}, []
for line in open(expected, encoding='utf-8'):
    lines.append(line.rstrip('\n').split('\t'))
for kind, name, *rest in lines:
    if name not in tables:
        t = dbfread.DBF(folder + '/' + name)  # code page from the language driver byte
        tables[name] = (t, list(t))
    t, rows = tables[name]
    if kind == 'F':
        f = t.fields[int(rest[0])]
        got = [f.name, f.type, str(f.length), str(f.decimal_count)]
        if got != rest[1:]: bad.append((name, 'field', rest, got))
    elif kind == 'N':
        if len(rows) != int(rest[0]) or len(t.fields) != int(rest[1]): bad.append((name, 'counts', rest, len(rows)))
    else:
        r = rows[int(rest[0])]
        got = [canon(f, r[f.name]) for f in t.fields]
        if got != rest[1:]: bad.append((name, 'row', rest, got))
for b in bad[:10]: print(b)
print('geprüft:', len(lines), 'abweichend:', len(bad))
sys.exit(1 if bad else 0)
)PY";

std::string esc(const std::string& s)
{
    std::string o;
    for (char c : s) {
        if (c == '\\') o += "\\\\";
        else if (c == '\t') o += "\\t";
        else if (c == '\n') o += "\\n";
        else if (c == '\r') o += "\\r";
        else o.push_back(c);
    }
    return o;
}

std::string canon(const engine::FieldDef& f, const engine::Value& v)
{
    if (f.type == 'C' || f.type == 'M') return v.isNull() ? "" : esc(v.text());
    if (v.isNull()) return "None";
    if (f.type == 'N') {
        char b[64];
        std::snprintf(b, sizeof b, "%.*f", f.decimals, v.number());
        return b;
    }
    if (f.type == 'D') {
        int y, m, d;
        engine::civilFromDays(v.date(), y, m, d);
        char b[16];
        std::snprintf(b, sizeof b, "%04d-%02d-%02d", y, m, d);
        return b;
    }
    return v.logical() ? "T" : "F";
}

// What Trevo reads, in the line format of the script; at most `maxRows` rows a table.
void writeExpected(const std::string& folder, const std::string& file, uint32_t maxRows)
{
    engine::Database db;
    std::ofstream out(file);
    for (const TableSchema& t : allTables()) {
        auto table = db.table(engine::joinPath(folder, t.fileName));
        out << "N\t" << t.fileName << "\t" << table->recordCount() << "\t" << t.fields.size() << "\n";
        for (size_t i = 0; i < t.fields.size(); ++i) {
            const auto& f = t.fields[i];
            out << "F\t" << t.fileName << "\t" << i << "\t" << f.name << "\t" << f.type << "\t" << int(f.length) << "\t"
                << int(f.decimals) << "\n";
        }
        const uint32_t n = std::min(table->recordCount(), maxRows);
        const uint32_t step = table->recordCount() > maxRows ? table->recordCount() / maxRows : 1;
        for (uint32_t k = 0, i = 0; k < n; ++k, i += step) {
            out << "R\t" << t.fileName << "\t" << i;
            for (size_t f = 0; f < t.fields.size(); ++f) out << "\t" << canon(table->fields()[f], table->get(i, static_cast<int>(f)));
            out << "\n";
        }
    }
}

int runDbfread(const test::TempFolder& dir, const std::string& folder)
{
    const std::string script = dir.file("check.py"), expected = dir.file("expected.tsv");
    std::ofstream(script) << kScript;
    writeExpected(folder, expected, 3000);
    const std::string cmd = "/usr/bin/python3 " + script + " " + folder + " " + expected;
    return std::system(cmd.c_str());
}

} // namespace

TEST(Dbfread, ReadsEveryTableOfAFreshDataFolder)
{
    test::TempFolder dir;
    const std::string folder = dir.file("daten");
    engine::Database db;
    installDataFolder(db, folder, engine::daysFromCivil(2025, 3, 14));
    EXPECT_EQ(runDbfread(dir, folder), 0);
}

TEST(Dbfread, ReadsEveryTableOfTheDemoClub)
{
    test::TempFolder dir;
    const std::string folder = dir.file("demo");
    engine::Database db;
    createDemoClub(db, folder, DemoOptions());
    EXPECT_EQ(runDbfread(dir, folder), 0);
}
