// Data folders that cannot be written: a live journal on a write-protected copy is applied in
// memory only, with a notice; a write-protected folder and a folder in the journal's place are
// named as such when a change is refused, and neither stops reading.
#include "storage_fixtures.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/sql/sql.h"
#include "engine/storage/journal.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

const std::string folder = "/daten/";

std::string dump(Database& db)
{
    std::string out;
    for (const auto& row : sql::execute(db, db.session(), "SELECT * FROM KONTO ORDER BY NUMMER", folder).rows) {
        for (const auto& v : row) out += v.toText() + "|";
        out += "\n";
    }
    return out;
}

void run(Database& db, const std::string& text) { sql::execute(db, db.session(), text, folder); }

void makeKonto(MemoryFileSystem& mem)
{
    mem.makeDirectory("/daten");
    Database db(mem);
    db.session().atomically([&] {
        auto t = db.createTable(folder + "KONTO.DBF", {{"NUMMER", 'N', 6, 0}, {"BETRAG", 'N', 10, 2}, {"TEXT", 'M', 10, 0}});
        for (int i = 1; i <= 200; ++i)
            t->append({Value::number(i), Value::number(i * 0.5), Value::text("Buchung " + std::to_string(i))});
    });
}

std::string expectRefused(Database& db, const std::string& statement)
{
    try {
        run(db, statement);
    } catch (const EngineError& e) {
        return e.what();
    }
    ADD_FAILURE() << "nicht abgewiesen: " << statement;
    return {};
}

const std::string update = "UPDATE KONTO SET BETRAG = BETRAG + 1000, TEXT = 'geändert'";

TEST(ReadOnlyMedia, LiveJournalIsAppliedInMemoryWithANotice)
{
    MemoryFileSystem mem;
    makeKonto(mem);
    std::string before;
    {
        Database db(mem);
        before = dump(db);
    }
    // An update interrupted by a crash halfway through writing the table: a hot journal and torn files.
    uint64_t points = 0;
    {
        MemoryFileSystem probe;
        makeKonto(probe);
        FaultFileSystem fs(probe);
        Database db(fs);
        dump(db);
        fs.resetCounters();
        run(db, update);
        points = fs.points();
    }
    {
        FaultFileSystem fs(mem);
        Database db(fs);
        dump(db);
        fs.resetCounters();
        fs.crashAt(points - 2, CrashMode::TornWrite);
        EXPECT_THROW(run(db, update), SimulatedCrash);
        fs.reset();
    }
    ASSERT_TRUE(detail::parseJournal(mem.contents("/daten/TREVO.JNL")).hot);
    // The copy on a write-protected medium.
    for (const std::string& path : mem.files()) mem.setReadOnly(path, true);
    mem.setReadOnly("/daten", true);
    const FileState onDisk = stateOf(mem);

    Database db(mem);
    EXPECT_EQ(dump(db), before);
    ASSERT_EQ(db.storage().notices().size(), 1u);
    EXPECT_NE(db.storage().notices()[0].find("Journal einer unterbrochenen Änderung"), std::string::npos);
    EXPECT_NE(db.storage().notices()[0].find("schreibgeschützt"), std::string::npos) << db.storage().notices()[0];
    EXPECT_FALSE(expectRefused(db, "DELETE FROM KONTO WHERE NUMMER = 1").empty());
    EXPECT_EQ(dump(db), before);
    EXPECT_TRUE(stateOf(mem) == onDisk);

    // Back on a writable disk the journal is played back for real.
    for (const std::string& path : mem.files()) mem.setReadOnly(path, false);
    mem.setReadOnly("/daten", false);
    Database writable(mem);
    EXPECT_EQ(dump(writable), before);
    EXPECT_TRUE(writable.storage().notices().empty());
    run(writable, "DELETE FROM KONTO WHERE NUMMER = 1");
}

TEST(ReadOnlyMedia, WriteProtectedFolderIsNamedAndStillRead)
{
    MemoryFileSystem mem;
    makeKonto(mem);
    mem.setReadOnly("/daten", true);
    Database db(mem);
    const std::string before = dump(db);
    const std::string why = expectRefused(db, "INSERT INTO KONTO (NUMMER) VALUES (201)");
    EXPECT_NE(why.find("Der Datenordner '/daten"), std::string::npos) << why;
    EXPECT_NE(why.find("ist schreibgeschützt"), std::string::npos) << why;
    EXPECT_EQ(dump(db), before);
}

TEST(ReadOnlyMedia, FolderInThePlaceOfTheJournalIsNamed)
{
    MemoryFileSystem mem;
    makeKonto(mem);
    mem.makeDirectory("/daten/TREVO.JNL");
    Database db(mem);
    const std::string before = dump(db);
    const std::string why = expectRefused(db, "INSERT INTO KONTO (NUMMER) VALUES (201)");
    EXPECT_NE(why.find("'/daten/TREVO.JNL' ist keine Datei, sondern ein Ordner"), std::string::npos) << why;
    EXPECT_EQ(dump(db), before);
}

TEST(ReadOnlyMedia, WriteProtectedTableFileIsNamed)
{
    MemoryFileSystem mem;
    makeKonto(mem);
    mem.setReadOnly("/daten/KONTO.DBF", true);
    Database db(mem);
    const std::string why = expectRefused(db, "INSERT INTO KONTO (NUMMER) VALUES (201)");
    EXPECT_NE(why.find("schreibgeschützt"), std::string::npos) << why;
    EXPECT_NE(why.find("KONTO.DBF"), std::string::npos) << why;
}

} // namespace
