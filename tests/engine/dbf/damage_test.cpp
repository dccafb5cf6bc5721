// Damaged files never crash: they fail with a German message naming the file and the
// fault, or open read-only with every value either as written or NULL.
#include "engine/core/error.h"
#include "engine/database.h"
#include "dbf_test_util.h"
#include "engine/fs/memory_file_system.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace trevo::engine {
namespace {

const std::string kTable = "/daten/KEGLER.DBF";
const std::string kMemo = "/daten/KEGLER.DBT";

struct Files {
    std::vector<uint8_t> table, memo;
    std::vector<Record> records;
};

Files makeReference(DbfVersion v)
{
    MemoryFileSystem fs;
    fs.makeDirectory("/daten");
    Database db(fs);
    Files f;
    f.records = {
        {Value::number(1), Value::text("Müller"), Value::date(daysFromCivil(1970, 5, 17)), Value::logical(true),
         Value::text("kurz")},
        {Value::number(2), Value::text("Schäfer"), Value::null(), Value::logical(false),
         Value::text(std::string(1300, 'x') + "Ende")},
        {Value::number(3), Value::text(""), Value::null(), Value::null(), Value::text("")},
        {Value::number(4), Value::text("Weiß"), Value::date(daysFromCivil(2001, 1, 1)), Value::null(),
         Value::text("drittes Memo")},
    };
    db.session().atomically([&] {
        auto t = DbfTable::create(db.storage(), kTable,
                                  {{"NUMMER", 'N', 4, 0}, {"NAME", 'C', 12, 0}, {"DATUM", 'D', 8, 0},
                                   {"MITGLIED", 'L', 1, 0}, {"BEM", 'M', 10, 0}},
                                  v);
        for (const Record& r : f.records) t->append(r);
    });
    db.closeAll();
    f.table = fs.contents(kTable);
    f.memo = fs.contents(kMemo);
    return f;
}

// Opens the files and reads everything; fails the test on a crash-like outcome. With
// `strict` (the files were cut short, not altered) every value must read as written or
// the table must report a fault.
void openAndReadAll(const std::vector<uint8_t>& table, const std::vector<uint8_t>& memo, const Files& ref,
                    const std::string& what, bool strict = true)
{
    MemoryFileSystem fs;
    fs.putFile(kTable, table);
    fs.putFile(kMemo, memo);
    Database db(fs);
    std::shared_ptr<DbfTable> t;
    try {
        t = db.table(kTable);
    } catch (const FormatError& e) {
        const std::string text = e.what();
        const bool otherFormat = text.rfind("Die Datei 'KEGLER.DBF' hat ein nicht unterstütztes Tabellenformat", 0) == 0;
        EXPECT_TRUE(otherFormat || text.rfind("Die Datei 'KEGLER.DBF' ist beschädigt: ", 0) == 0) << what << text;
        return;
    }
    const bool sameStructure = t->fields().size() == 5 && table.size() >= 32 + 5 * 32 &&
                               std::equal(table.begin() + 32, table.begin() + 32 + 5 * 32, ref.table.begin() + 32);
    bool allAsWritten = true;
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        for (int i = 0; i < static_cast<int>(t->fields().size()); ++i) {
            const Value v = t->get(r, i);
            (void)t->textOf(r, i);
            if (strict && sameStructure && r < ref.records.size() && !(v == ref.records[r][i])) {
                allAsWritten = false;
                if (!v.isNull() && i == 4) ADD_FAILURE() << what << ": memo of record " << r << " reads garbage";
            }
        }
    }
    const auto found = t->check();
    if (!allAsWritten && found.empty()) ADD_FAILURE() << what << ": values changed but no fault reported";
    if (t->readOnly()) {
        EXPECT_FALSE(t->faults().empty()) << what;
        EXPECT_THROW(db.session().atomically([&] { t->append(ref.records[0]); }), EngineError) << what;
        return;
    }
    // A table that opens writable must take a change and read it back.
    try {
        db.session().atomically([&] { t->append(ref.records[1]); });
    } catch (const ValueError&) {
        return; // the damaged structure cannot hold the value: refused, not cut
    }
    db.closeAll();
    auto again = db.table(kTable);
    ASSERT_GE(again->recordCount(), 1u) << what;
    EXPECT_EQ(again->get(again->recordCount() - 1, 4), ref.records[1][4]) << what;
}

TEST(DbfDamage, TruncatedTableAtEveryLength)
{
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const Files ref = makeReference(v);
        for (size_t len = 0; len < ref.table.size(); ++len) {
            std::vector<uint8_t> cut(ref.table.begin(), ref.table.begin() + len);
            openAndReadAll(cut, ref.memo, ref, "Tabelle auf " + std::to_string(len) + " Bytes gekürzt");
        }
    }
}

TEST(DbfDamage, TruncatedMemoFileAtEveryLength)
{
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const Files ref = makeReference(v);
        for (size_t len = 0; len < ref.memo.size(); ++len) {
            std::vector<uint8_t> cut(ref.memo.begin(), ref.memo.begin() + len);
            openAndReadAll(ref.table, cut, ref, "Memodatei auf " + std::to_string(len) + " Bytes gekürzt");
        }
    }
}

TEST(DbfDamage, RandomByteFlips)
{
    std::mt19937 rng(20240611);
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const Files ref = makeReference(v);
        for (int round = 0; round < 1500; ++round) {
            std::vector<uint8_t> table = ref.table, memo = ref.memo;
            const int flips = 1 + static_cast<int>(rng() % 3);
            for (int k = 0; k < flips; ++k) {
                auto& target = rng() % 3 == 0 ? memo : table;
                target[rng() % target.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
            }
            openAndReadAll(table, memo, ref, "Runde " + std::to_string(round), false);
        }
    }
}

std::string openError(const std::vector<uint8_t>& table)
{
    MemoryFileSystem fs;
    fs.putFile(kTable, table);
    Database db(fs);
    try {
        db.table(kTable);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "geöffnet";
}

TEST(DbfDamage, MessagesNameFileAndFault)
{
    const Files ref = makeReference(DbfVersion::DBase4);
    std::vector<uint8_t> head(ref.table.begin(), ref.table.begin() + 120);
    head[8] = 999 & 0xFF;
    head[9] = 999 >> 8;
    EXPECT_EQ(openError(head), "Die Datei 'KEGLER.DBF' ist beschädigt: Kopflänge 999 passt nicht zur Dateigröße 120");
    EXPECT_EQ(openError({0x8B, 1, 2}),
              "Die Datei 'KEGLER.DBF' ist beschädigt: sie ist mit 3 Bytes kürzer als der Dateikopf (32 Bytes)");
    auto t = ref.table;
    t[0] = 0x41;
    EXPECT_EQ(openError(t),
              "Die Datei 'KEGLER.DBF' ist beschädigt: unbekannte Version 0x41 (lesbar sind dBASE III+ und dBASE IV)");
    t[0] = 0xF5; // FoxPro: a sound file of another format
    EXPECT_EQ(openError(t), "Die Datei 'KEGLER.DBF' hat ein nicht unterstütztes Tabellenformat (Version 0xF5)");
    t = ref.table;
    t[32 + 32 + 11] = 'B';
    EXPECT_EQ(openError(t), "Die Datei 'KEGLER.DBF' ist beschädigt: Feld 'NAME' hat den unbekannten Typ 'B'");
    t = ref.table;
    t[10] = 5;
    t[11] = 0;
    t.push_back(' '); // the file fits neither 5 nor 36 bytes per record
    EXPECT_EQ(openError(t), "Die Datei 'KEGLER.DBF' ist beschädigt: Satzlänge 5 passt nicht zu den Feldern (36)");
}

TEST(DbfDamage, RecordCountAndEndMarker)
{
    const Files ref = makeReference(DbfVersion::DBase4);
    auto open = [&](const std::vector<uint8_t>& table, auto&& body) {
        MemoryFileSystem fs;
        fs.putFile(kTable, table);
        fs.putFile(kMemo, ref.memo);
        Database db(fs);
        auto t = db.table(kTable);
        body(*t, db, fs);
    };
    auto bigCount = ref.table;
    bigCount[4] = 9;
    open(bigCount, [](DbfTable& t, Database&, MemoryFileSystem&) {
        EXPECT_TRUE(t.readOnly());
        EXPECT_EQ(t.recordCount(), 4u);
        EXPECT_EQ(t.faults(), std::vector<std::string>{"Der Kopf nennt 9 Datensätze, die Datei enthält nur 4 vollständige"});
    });
    auto smallCount = ref.table;
    smallCount[4] = 3;
    open(smallCount, [](DbfTable& t, Database&, MemoryFileSystem&) {
        EXPECT_TRUE(t.readOnly()) << "a new record would overwrite the fourth";
        EXPECT_EQ(t.recordCount(), 3u);
        EXPECT_EQ(t.faults(), std::vector<std::string>{"Der Kopf nennt 3 Datensätze, die Datei enthält aber 4"});
    });
    auto tail = ref.table;
    tail.insert(tail.end(), 20, 'x'); // less than a record after the end marker
    open(tail, [](DbfTable& t, Database&, MemoryFileSystem&) {
        EXPECT_FALSE(t.readOnly());
        EXPECT_EQ(t.check(), std::vector<std::string>{"Nach den 4 Datensätzen folgen weitere 20 Bytes"});
    });
    auto noMarker = ref.table;
    noMarker.pop_back();
    open(noMarker, [&](DbfTable& t, Database& db, MemoryFileSystem& fs) {
        EXPECT_FALSE(t.readOnly());
        EXPECT_EQ(t.check(), std::vector<std::string>{"Die Endmarke 0x1A nach dem letzten Datensatz fehlt"});
        db.session().atomically([&] { t.append(ref.records[0]); });
        EXPECT_EQ(fs.contents(kTable).back(), 0x1A);
        EXPECT_EQ(fs.contents(kTable).size(), ref.table.size() + 36);
    });
}

TEST(DbfDamage, BadValuesAreListedByCheck)
{
    const Files ref = makeReference(DbfVersion::DBase4);
    auto t = ref.table;
    const size_t rec0 = 32 + 5 * 32 + 1;
    std::memcpy(&t[rec0 + 1], "12x4", 4);        // NUMMER of record 1
    std::memcpy(&t[rec0 + 36 + 17], "20231399", 8); // DATUM of record 2
    t[rec0 + 2 * 36] = '#';                        // deletion flag of record 3
    MemoryFileSystem fs;
    fs.putFile(kTable, t);
    fs.putFile(kMemo, ref.memo);
    Database db(fs);
    auto table = db.table(kTable);
    EXPECT_TRUE(table->get(0, 0).isNull());
    EXPECT_EQ(table->check(), (std::vector<std::string>{"Datensatz 1, Feld 'NUMMER': '12x4' ist keine Zahl",
                                                        "Datensatz 2, Feld 'DATUM': '20231399' ist kein gültiges Datum",
                                                        "Datensatz 3: ungültige Löschmarke 0x23"}));
}

} // namespace
} // namespace trevo::engine
