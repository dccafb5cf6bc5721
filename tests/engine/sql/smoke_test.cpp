#include "sql_fixture.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;

TEST(SqlSmokeTest, SelectWhereOrder)
{
    SqlFixture f;
    f.table("KEGLER.DBF", {{"NUMMER", 'N', 10, 0}, {"NAME", 'C', 50, 0}},
            {{N(1), T("Meier")}, {N(2), T("Ärger")}, {N(3), T("Zander")}});
    EXPECT_EQ(f.rows("SELECT NAME FROM \"" + f.path("KEGLER.DBF") + "\" WHERE NUMMER=2"),
              std::vector<std::string>{"Ärger"});
    EXPECT_EQ(f.rows("SELECT NAME FROM KEGLER ORDER BY NAME"), (std::vector<std::string>{"Ärger", "Meier", "Zander"}));
    EXPECT_EQ(f.rows("SELECT COUNT(*)Anzahl FROM kegler.dbf"), (std::vector<std::string>{"3"}));
}
