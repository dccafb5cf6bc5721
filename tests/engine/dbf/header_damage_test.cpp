// Headers that disagree with their file: a record count that is too small or too large,
// a record length that does not match the fields, two fields of one name. Such tables
// open read-only with a message naming the numbers, so that no record is overwritten
// and no sum is computed from misread records; the repair sets the header from the file.
#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/dbf/dbf_repair.h"
#include "engine/fs/memory_file_system.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

#include <cstring>

namespace trevo::engine {
namespace {

const std::string kFolder = "/daten/";
const std::string kTable = "/daten/KONTO.DBF";
constexpr size_t kHeader = 32 + 3 * 32 + 1;
constexpr size_t kRecord = 1 + 6 + 10 + 20;
constexpr uint32_t kRecords = 126;

// KONTO.DBF with 126 bookings of 0.50 to 63.00 (sum 4000.50), bytes as written.
std::vector<uint8_t> makeTable()
{
    MemoryFileSystem fs;
    fs.makeDirectory("/daten");
    Database db(fs);
    db.session().atomically([&] {
        auto t = DbfTable::create(db.storage(), kTable,
                                  {{"NUMMER", 'N', 6, 0}, {"BETRAG", 'N', 10, 2}, {"TEXT", 'C', 20, 0}});
        for (uint32_t i = 1; i <= kRecords; ++i)
            t->append({Value::number(i), Value::number(i * 0.5), Value::text("Buchung " + std::to_string(i))});
    });
    db.closeAll();
    return fs.contents(kTable);
}

void setU32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void setU16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

class HeaderDamage : public ::testing::Test {
protected:
    void put(const std::vector<uint8_t>& bytes)
    {
        fs.putFile(kTable, bytes);
        db.closeAll();
    }
    std::string sql(const std::string& text)
    {
        try {
            const auto r = sql::execute(db, db.session(), text, kFolder);
            return r.rows.empty() ? std::to_string(r.affected) : r.rows[0][0].toText();
        } catch (const EngineError& e) {
            return e.what();
        }
    }

    const std::vector<uint8_t> original = makeTable();
    MemoryFileSystem fs;
    Database db{fs};
};

TEST_F(HeaderDamage, ShortRecordCountOpensReadOnlyAndOverwritesNothing)
{
    auto bytes = original;
    setU32(bytes, 4, 120);
    put(bytes);
    auto t = db.table(kTable);
    EXPECT_TRUE(t->readOnly());
    EXPECT_EQ(t->damage(), std::vector<std::string>{"Der Kopf nennt 120 Datensätze, die Datei enthält aber 126"});
    EXPECT_EQ(t->recordCount(), 120u);
    EXPECT_EQ(sql("INSERT INTO KONTO VALUES (999, 1, 'neu')"),
              "Die Tabelle 'KONTO.DBF' ist nur zum Lesen geöffnet, weil sie beschädigt ist: der Kopf nennt 120 "
              "Datensätze, die Datei enthält aber 126");
    EXPECT_EQ(fs.contents(kTable), bytes);
    const auto r = sql::execute(db, db.session(), "SELECT COUNT(*) FROM KONTO", kFolder);
    EXPECT_EQ(r.notices, std::vector<std::string>{"Die Tabelle 'KONTO.DBF' ist beschädigt und nur zum Lesen "
                                                  "geöffnet: Der Kopf nennt 120 Datensätze, die Datei enthält aber 126"});
    // What an insert into such a table used to leave: record 121 overwritten, the end
    // marker on the deletion flag of record 122.
    bytes[kHeader + 121 * kRecord] = 0x1A;
    put(bytes);
    EXPECT_TRUE(db.table(kTable)->readOnly());
}

TEST_F(HeaderDamage, RecordLengthNotMatchingTheFieldsIsNamedAndReadByTheFields)
{
    auto bytes = original;
    setU16(bytes, 10, kRecord + 1);
    put(bytes);
    auto t = db.table(kTable);
    EXPECT_TRUE(t->readOnly());
    EXPECT_EQ(t->damage(), std::vector<std::string>{"Die Satzlänge 38 im Kopf passt nicht zu den Feldern (37 Bytes), "
                                                    "gelesen wird mit 37 Bytes"});
    EXPECT_EQ(sql("SELECT SUM(BETRAG) FROM KONTO"), "4000,5");
    EXPECT_EQ(sql("SELECT TEXT FROM KONTO WHERE NUMMER = 126"), "Buchung 126");
    // One byte short, and the file fits neither length: read with the header's length
    // the last field would be cut, so the table cannot be read.
    t.reset(); // an open table keeps its file image
    setU16(bytes, 10, kRecord - 1);
    setU32(bytes, 4, 100);
    bytes.insert(bytes.end(), 5, ' ');
    put(bytes);
    EXPECT_THROW(db.table(kTable), FormatError);
    // Longer than the fields, the file fitting neither: read-only with the header's length.
    bytes = original;
    setU16(bytes, 10, kRecord + 3);
    setU32(bytes, 4, 100);
    bytes.insert(bytes.end(), 5, ' ');
    put(bytes);
    t = db.table(kTable);
    EXPECT_TRUE(t->readOnly());
    EXPECT_EQ(t->damage().at(0), "Die Satzlänge 40 im Kopf passt nicht zu den Feldern (37 Bytes)");
    t.reset();
    Storage storage(fs);
    try {
        repairDbfHeader(storage, kTable);
        ADD_FAILURE() << "repaired without knowing the record length";
    } catch (const FormatError& e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei 'KONTO.DBF' kann nicht repariert werden: die Satzlänge 40 im Kopf "
                                         "passt nicht zu den Feldern (37 Bytes), und die Größe der Datei zeigt nicht, "
                                         "welche Länge stimmt");
    }
    EXPECT_EQ(fs.contents(kTable), bytes);
    EXPECT_FALSE(fs.exists(kTable + ".bak"));
}

TEST_F(HeaderDamage, TruncatedFileIsNamedWithEveryStatement)
{
    auto bytes = original;
    bytes.resize(kHeader + 50 * kRecord + 10);
    put(bytes);
    const auto r = sql::execute(db, db.session(), "SELECT COUNT(*) FROM KONTO", kFolder);
    EXPECT_EQ(r.rows.at(0).at(0), Value::number(50));
    EXPECT_EQ(r.notices, std::vector<std::string>{"Die Tabelle 'KONTO.DBF' ist beschädigt und nur zum Lesen "
                                                  "geöffnet: Der Kopf nennt 126 Datensätze, die Datei enthält nur 50 "
                                                  "vollständige"});
    EXPECT_NE(sql("DELETE FROM KONTO WHERE NUMMER = 1").find("nur zum Lesen geöffnet"), std::string::npos);
    EXPECT_EQ(sql::execute(db, db.session(), "SELECT COUNT(*) FROM KONTO", kFolder).notices.size(), 1u);
}

TEST_F(HeaderDamage, DuplicateFieldNamesAreReported)
{
    auto bytes = original;
    std::memcpy(&bytes[32 + 2 * 32], "betrag\0\0\0\0", 10);
    put(bytes);
    auto t = db.table(kTable);
    const auto found = t->check();
    EXPECT_NE(std::find(found.begin(), found.end(), "Die Felder Nr. 2 und 3 heißen beide 'betrag'"), found.end());
    EXPECT_EQ(t->fieldIndex("BETRAG"), 1);
}

TEST_F(HeaderDamage, RepairSetsTheHeaderFromTheFileAfterCopyingIt)
{
    auto bytes = original;
    setU32(bytes, 4, 120);
    setU16(bytes, 10, kRecord + 1);
    put(bytes);
    {
        Storage storage(fs);
        const DbfRepair r = repairDbfHeader(storage, kTable);
        EXPECT_EQ(r.backupPath, kTable + ".bak");
        EXPECT_EQ(r.changes, (std::vector<std::string>{"Satzlänge im Kopf von 38 auf 37 Bytes gesetzt",
                                                      "Anzahl der Datensätze im Kopf von 120 auf 126 gesetzt"}));
    }
    EXPECT_EQ(fs.contents(kTable + ".bak"), bytes);
    EXPECT_EQ(fs.contents(kTable), original);
    auto t = db.table(kTable);
    EXPECT_FALSE(t->readOnly());
    EXPECT_TRUE(t->check().empty());
    EXPECT_EQ(sql("SELECT SUM(BETRAG) FROM KONTO"), "4000,5");
    EXPECT_EQ(sql("INSERT INTO KONTO VALUES (127, 1, 'neu')"), "1");
    EXPECT_EQ(sql("SELECT COUNT(*) FROM KONTO"), "127");
    db.closeAll();
    // A sound header: nothing to do, no copy.
    Storage storage(fs);
    EXPECT_TRUE(repairDbfHeader(storage, kTable).changes.empty());
    EXPECT_FALSE(fs.exists(kTable + ".bak2"));
}

TEST_F(HeaderDamage, RepairOfATruncatedFileKeepsTheCompleteRecords)
{
    auto bytes = original;
    bytes.resize(kHeader + 50 * kRecord + 10);
    put(bytes);
    fs.putFile(kTable + ".bak", std::vector<uint8_t>{1, 2, 3}); // an older copy is never overwritten
    {
        Storage storage(fs);
        const DbfRepair r = repairDbfHeader(storage, kTable);
        EXPECT_EQ(r.backupPath, kTable + ".bak2");
        EXPECT_EQ(r.changes, (std::vector<std::string>{
                                 "Anzahl der Datensätze im Kopf von 126 auf 50 gesetzt",
                                 "unvollständigen Rest von 10 Bytes hinter dem letzten Datensatz durch die Endmarke "
                                 "0x1A ersetzt"}));
    }
    EXPECT_EQ(fs.contents(kTable + ".bak2"), bytes);
    EXPECT_EQ(fs.contents(kTable + ".bak"), (std::vector<uint8_t>{1, 2, 3}));
    auto t = db.table(kTable);
    EXPECT_FALSE(t->readOnly());
    EXPECT_TRUE(t->check().empty());
    EXPECT_EQ(sql("SELECT MAX(NUMMER) FROM KONTO"), "50");
}

} // namespace
} // namespace trevo::engine
