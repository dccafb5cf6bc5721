// Feeds bytes to the table and memo readers through an in-memory file system.
// The first byte chooses the role of the rest:
//   0  the .DBF alone              1  a .DBF beside an intact dBASE III memo file
//   2  a .DBT beside an intact dBASE III table with memo fields
//   3  a .DBT beside an intact dBASE IV table with memo fields
// Whatever opens is read completely, checked, and when writable changed and reopened.
// A table whose header disagrees with its file is repaired: afterwards the header
// must agree, and the copy beside it must hold the bytes as they were.
#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/dbf/dbf_repair.h"
#include "engine/fs/memory_file_system.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace trevo::engine;

namespace {

const std::string kTable = "/d/FUZZ.DBF";
const std::string kMemo = "/d/FUZZ.DBT";

struct Intact {
    std::vector<uint8_t> table, memo;
};

Intact makeIntact(DbfVersion v)
{
    MemoryFileSystem fs;
    fs.makeDirectory("/d");
    Database db(fs);
    db.session().atomically([&] {
        auto t = DbfTable::create(db.storage(), kTable,
                                  {{"NUMMER", 'N', 5, 0}, {"NAME", 'C', 10, 0}, {"BETRAG", 'N', 8, 2},
                                   {"DATUM", 'D', 8, 0}, {"JA", 'L', 1, 0}, {"BEM", 'M', 10, 0}},
                                  v);
        t->append({Value::number(1), Value::text("Müller"), Value::number(1.5), Value::date(40000),
                   Value::logical(true), Value::text("kurz")});
        t->append({Value::number(2), Value::text(""), Value::null(), Value::null(), Value::null(),
                   Value::text(std::string(700, 'x'))});
    });
    db.closeAll();
    return {fs.contents(kTable), fs.contents(kMemo)};
}

const Intact& intact(DbfVersion v)
{
    static const Intact three = makeIntact(DbfVersion::DBase3);
    static const Intact four = makeIntact(DbfVersion::DBase4);
    return v == DbfVersion::DBase3 ? three : four;
}

void exercise(Database& db)
{
    auto t = db.table(kTable);
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        (void)t->isDeleted(r);
        for (int f = 0; f < static_cast<int>(t->fields().size()); ++f) (void)t->textOf(r, f);
    }
    (void)t->check();
    (void)t->info();
    if (t->readOnly() || t->fields().empty()) return;
    try {
        db.session().atomically([&] {
            Record rec(t->fields().size());
            for (size_t f = 0; f < rec.size(); ++f) {
                const char type = t->fields()[f].type;
                if (type == 'C' || type == 'M') rec[f] = Value::text("neu");
                if (type == 'N' || type == 'F') rec[f] = Value::number(1);
            }
            const uint32_t n = t->append(rec);
            t->put(n, rec);
            if (t->recordCount() > 1) t->setDeleted(0, true);
            t->pack();
        });
    } catch (const EngineError&) {
    }
    db.closeAll();
    auto again = db.table(kTable);
    for (uint32_t r = 0; r < again->recordCount(); ++r) (void)again->getRecord(r);
}

bool headerDisagrees(const std::vector<std::string>& faults)
{
    for (const std::string& f : faults)
        if (f.rfind("Der Kopf nennt", 0) == 0 || f.rfind("Die Satzlänge", 0) == 0) return true;
    return false;
}

void repairAndReopen(MemoryFileSystem& fs)
{
    std::vector<uint8_t> before;
    {
        Database db(fs);
        auto t = db.table(kTable);
        if (!headerDisagrees(t->faults())) return;
        before = fs.contents(kTable);
    }
    Storage storage(fs);
    const DbfRepair r = repairDbfHeader(storage, kTable);
    if (r.changes.empty() || fs.contents(r.backupPath) != before) std::abort();
    Database db(fs);
    auto t = db.table(kTable);
    if (headerDisagrees(t->faults())) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const int mode = data[0] % 4;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    MemoryFileSystem fs;
    switch (mode) {
    case 0: fs.putFile(kTable, bytes); break;
    case 1:
        fs.putFile(kTable, bytes);
        fs.putFile(kMemo, intact(DbfVersion::DBase3).memo);
        break;
    case 2:
        fs.putFile(kTable, intact(DbfVersion::DBase3).table);
        fs.putFile(kMemo, bytes);
        break;
    default:
        fs.putFile(kTable, intact(DbfVersion::DBase4).table);
        fs.putFile(kMemo, bytes);
        break;
    }
    try {
        Database db(fs);
        exercise(db);
    } catch (const EngineError&) {
        // refused with a message: the expected outcome for most inputs
    }
    if (mode <= 1) {
        fs.putFile(kTable, bytes);
        try {
            repairAndReopen(fs);
        } catch (const EngineError&) {
        }
    }
    return 0;
}
