// The same statement text over different tables of one session gives each table's answer:
// the data module numbers new records of every table this way.
#include "../dbf/dbf_test_util.h"
#include "engine/database.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

namespace trevo::engine {
namespace {

std::string einWert(Database& db, const std::string& dir, const std::string& text)
{
    const sql::QueryResult r = sql::execute(db, db.session(), text, dir);
    return r.rows.empty() || r.rows[0].empty() ? "<leer>" : r.rows[0][0].toText();
}

TEST(StatementCache, AMaximumPerTableEvenWhenTheTextsDifferOnlyInTheTable)
{
    test::ScratchDir dir;
    Database db;
    for (const auto& [name, count] : {std::pair<std::string, int>{"A.DBF", 3}, {"B.DBF", 7}, {"C.DBF", 1}}) {
        sql::execute(db, db.session(), "CREATE TABLE \"" + name + "\" (NUMMER NUMERIC(10,0))", dir.path());
        for (int i = 1; i <= count; ++i)
            sql::execute(db, db.session(),
                         "INSERT INTO \"" + name + "\" (NUMMER) VALUES (" + std::to_string(i * 10) + ")", dir.path());
    }
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(einWert(db, dir.path(), "SELECT MAX(NUMMER) FROM \"A.DBF\""), "30");
        EXPECT_EQ(einWert(db, dir.path(), "SELECT MAX(NUMMER) FROM \"B.DBF\""), "70");
        EXPECT_EQ(einWert(db, dir.path(), "SELECT MAX(NUMMER) FROM \"C.DBF\""), "10");
        EXPECT_EQ(einWert(db, dir.path(), "SELECT MAX(NUMMER) FROM A"), "30");
        EXPECT_EQ(einWert(db, dir.path(), "SELECT MAX(NUMMER) FROM B"), "70");
        // Full paths, quoted as the program quotes file names.
        for (const auto& [name, max] : {std::pair<std::string, std::string>{"A.DBF", "30"}, {"B.DBF", "70"}}) {
            const std::string path = dir.path() + "/" + name;
            EXPECT_EQ(einWert(db, "/", "SELECT MAX(NUMMER) FROM " + sql::quoted(path)), max) << sql::quoted(path);
            EXPECT_EQ(einWert(db, "/", "SELECT MAX(NUMMER) FROM \"" + path + "\""), max);
        }
    }
}

} // namespace
} // namespace trevo::engine
