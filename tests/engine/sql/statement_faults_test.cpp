// Hostile and unlucky statements: division by zero, numbers beyond a double, pasted
// values that look like column names, control characters in names, overlong texts,
// cancelling a running statement and statements that would need too much memory.
// Each ends with a German error and leaves the tables as they were.
#include "club.h"
#include "engine/core/interrupt.h"
#include "engine/sql/budget.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;
using Rows = std::vector<std::string>;

namespace {

class StatementFaults : public ::testing::Test {
protected:
    void SetUp() override { buildClub(f); }

    // A table of `n` numbered rows, for joins that would run for hours.
    void bigTable(const std::string& file, int n)
    {
        std::vector<Record> rows;
        for (int i = 1; i <= n; ++i) rows.push_back({N(i), T("Zeile " + std::to_string(i))});
        f.table(file, {{"NUMMER", 'N', 10, 0}, {"TEXT", 'C', 20, 0}}, rows);
    }

    SqlFixture f;
    const std::string sumOfAmounts = "SELECT SUM(BETRAG) FROM SPIELKEG";
};

} // namespace

TEST_F(StatementFaults, DivisionByZeroIsAnErrorInEveryStatement)
{
    const Rows before = f.rows(sumOfAmounts);
    EXPECT_EQ(f.error("UPDATE SPIELKEG SET BETRAG = BETRAG / 0"), "Division durch Null");
    EXPECT_EQ(f.rows(sumOfAmounts), before);
    EXPECT_EQ(f.error("UPDATE SPIELKEG SET BETRAG = 1 / (NUMMER - 3)"), "Division durch Null"); // only row 3
    EXPECT_EQ(f.rows(sumOfAmounts), before);
    EXPECT_EQ(f.error("SELECT BETRAG / 0 FROM SPIELKEG"), "Division durch Null");
    EXPECT_EQ(f.error("SELECT NUMMER FROM SPIELKEG WHERE BETRAG / (NUMMER - NUMMER) > 1"), "Division durch Null");
    EXPECT_EQ(f.error("SELECT SUM(BETRAG) / COUNT(*) FROM SPIELKEG WHERE NUMMER < 0"), ""); // NULL / 0 is NULL
    EXPECT_EQ(f.error("SELECT TERMIN, SUM(BETRAG) / (COUNT(*) - COUNT(*)) FROM SPIELKEG GROUP BY TERMIN"),
              "Division durch Null");
    EXPECT_EQ(f.error("DELETE FROM SPIELKEG WHERE 1 / (NUMMER - 2) > 0"), "Division durch Null");
    EXPECT_EQ(f.error("INSERT INTO FUNKTION VALUES (10 / 0, 'x')"), "Division durch Null");
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM SPIELKEG"), Rows{"9"});
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM FUNKTION"), Rows{"2"});
    EXPECT_EQ(f.rows("SELECT BETRAG / 2 FROM SPIELKEG WHERE NUMMER = 2"), Rows{"1.25"});
}

TEST_F(StatementFaults, NumbersBeyondADoubleAreErrors)
{
    const Rows before = f.rows(sumOfAmounts);
    EXPECT_EQ(f.error("UPDATE SPIELKEG SET BETRAG = " + std::string(5000, '9')),
              "Die Zahl 99999999999999999999... ist zu groß in Zeile 1");
    EXPECT_EQ(f.error("SELECT NUMMER FROM KEGLER WHERE NUMMER < 1e400"), "Die Zahl 1e400 ist zu groß in Zeile 1");
    EXPECT_EQ(f.error("UPDATE SPIELKEG SET BETRAG = BETRAG * 1e308 * 10"), "Das Ergebnis ist zu groß für eine Zahl");
    EXPECT_EQ(f.error("SELECT SUM(BETRAG * 1e307) * 100 FROM SPIELKEG"), "Das Ergebnis ist zu groß für eine Zahl");
    EXPECT_EQ(f.error("SELECT 1e308 + 1e308 FROM KEGLER"), "Das Ergebnis ist zu groß für eine Zahl");
    EXPECT_EQ(f.rows(sumOfAmounts), before);
    EXPECT_EQ(f.error("SELECT 1e300 * 1e8 FROM FUNKTION"), "");
    EXPECT_EQ(f.rows("SELECT ROUND(BETRAG, 400), ROUND(BETRAG, -400) FROM SPIELKEG WHERE NUMMER = 2"),
              Rows{"2.5\t0"});
}

TEST_F(StatementFaults, QuotedValuesAreAlwaysTexts)
{
    EXPECT_EQ(sql::quoted("VORNAME"), "'VORNAME'");
    EXPECT_EQ(sql::quoted("Mei%"), "\"Mei%\"");
    EXPECT_EQ(sql::quoted("O\"Neil"), "\"O\"\"Neil\"");
    EXPECT_EQ(sql::quoted("O'Neil", '\''), "'O''Neil'");
    // A pasted value equal to a column's name stays the value, with either quote asked for.
    for (char quote : {'"', '\''}) {
        for (const char* column : {"VORNAME", "vorname"}) {
            f.run("UPDATE KEGLER SET ALIAS = " + sql::quoted(column, quote) + " WHERE NUMMER = 1");
            EXPECT_EQ(f.rows("SELECT ALIAS FROM KEGLER WHERE NUMMER = 1"), Rows{column});
        }
        EXPECT_EQ(f.rows("SELECT NUMMER FROM KEGLER WHERE NAME = " + sql::quoted("NAME", quote)), Rows{});
    }
    // Only a text that could be a bare name can name a column; a table with an odd
    // field name does not turn a pasted search text into that field.
    f.table("ODD.DBF", {{"NAME", 'C', 10, 0}, {"MEIX", 'C', 10, 0}}, {{T("Meier"), T("x")}});
    f.db.closeAll();
    auto bytes = f.fs.contents(f.path("ODD.DBF"));
    bytes[32 + 32 + 3] = '%'; // the second field is now called MEI%
    f.fs.putFile(f.path("ODD.DBF"), bytes);
    EXPECT_EQ(f.rows("SELECT NAME FROM ODD WHERE NAME LIKE " + sql::quoted("Mei%")), Rows{"Meier"});
    EXPECT_EQ(f.rows("SELECT \"ODD\".\"MEI%\" FROM ODD"), Rows{"x"});
    // As the table after FROM it names the file.
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM " + sql::quoted(f.path("KEGLER.DBF"), '"')), Rows{"5"});
    EXPECT_EQ(f.rows("SELECT NAME FROM " + sql::quoted(f.path("KEGLER.DBF")) + " WHERE MITGLIEDNR = " +
                     sql::quoted("7")),
              Rows{"Meier"});
}

TEST_F(StatementFaults, ControlCharactersInNamesAreRefused)
{
    const auto files = f.fs.list("/daten");
    EXPECT_EQ(f.error(std::string("CREATE TABLE \"NEU\0X\" (A INTEGER)", 30)),
              "Der Name enthält das Steuerzeichen 0x00 (Zeile 1)");
    EXPECT_EQ(f.error(std::string("CREATE TABLE \"NEU\0\" (A INTEGER)", 29)),
              "Der Name enthält das Steuerzeichen 0x00 (Zeile 1)");
    EXPECT_EQ(f.error("CREATE TABLE 'NEU\nTABELLE.DBF' (A INTEGER)"),
              "Der Name enthält das Steuerzeichen 0x0A (Zeile 1)");
    EXPECT_EQ(f.error(std::string("SELECT * FROM \"KEGLER\0.DBF\"", 27)),
              "Der Name enthält das Steuerzeichen 0x00 (Zeile 1)");
    EXPECT_EQ(f.error("SELECT NAME AS \"N\x01\" FROM KEGLER"), "Der Name enthält das Steuerzeichen 0x01 (Zeile 1)");
    EXPECT_EQ(f.error("UPDATE KEGLER SET \"ALI\tAS\" = 'x'"), "Der Name enthält das Steuerzeichen 0x09 (Zeile 1)");
    EXPECT_EQ(f.fs.list("/daten"), files);
}

TEST_F(StatementFaults, OverlongStatementIsRefusedAtOnce)
{
    const std::string text = "SELECT NAME FROM KEGLER WHERE NAME = '" + std::string(10 << 20, 'x') + "'";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(f.error(text), "Die Anweisung ist mit 10,0 MB zu lang; erlaubt ist höchstens 1 MB");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    const std::string justFits = "SELECT NAME FROM KEGLER WHERE NAME = '" + std::string(1000000, 'x') + "'";
    ASSERT_LE(justFits.size(), sql::kMaxStatementBytes);
    EXPECT_EQ(f.rows(justFits), Rows{});
}

TEST_F(StatementFaults, RunningStatementIsCancelledByTheInterruptFlag)
{
    bigTable("GROSS.DBF", 2000);
    const Rows amounts = f.rows(sumOfAmounts);
    InterruptScope scope;
    // Eight billion combinations: without the flag this would run for hours.
    std::thread canceller([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        requestInterrupt();
    });
    const auto start = std::chrono::steady_clock::now();
    const std::string error = f.error("SELECT COUNT(*) FROM GROSS a, GROSS b, GROSS c WHERE a.TEXT < c.TEXT");
    canceller.join();
    EXPECT_EQ(error, "Die Anweisung wurde abgebrochen");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    // The flag holds until cleared: the command's next statement stops as well, changing nothing.
    EXPECT_EQ(f.error("DELETE FROM GROSS"), "Die Anweisung wurde abgebrochen");
    EXPECT_EQ(f.error("UPDATE SPIELKEG SET BETRAG = 0"), "Die Anweisung wurde abgebrochen");
    clearInterrupt();
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM GROSS"), Rows{"2000"});
    EXPECT_EQ(f.rows(sumOfAmounts), amounts);
    EXPECT_EQ(f.run("DELETE FROM GROSS WHERE NUMMER > 10").affected, 1990);
}

// The please-wait window sees its cancel button pressed while the engine polls it.
int polls = 0;
void pressCancelOnTheThirdPoll()
{
    if (++polls == 3) requestInterrupt();
}

TEST_F(StatementFaults, PollLetsTheUserInterfaceCancel)
{
    bigTable("GROSS.DBF", 1000);
    InterruptScope scope;
    polls = 0;
    setInterruptPoll(pressCancelOnTheThirdPoll);
    const std::string error = f.error("SELECT a.NUMMER, COUNT(*) FROM GROSS a, GROSS b GROUP BY a.NUMMER");
    setInterruptPoll(nullptr);
    EXPECT_EQ(error, "Die Anweisung wurde abgebrochen");
    EXPECT_EQ(polls, 3);
}

TEST_F(StatementFaults, StatementsBeyondTheMemoryBudgetEndWithoutChanges)
{
    bigTable("GROSS.DBF", 300);
    struct Limit {
        Limit() { sql::setMemoryLimit(1 << 20); }
        ~Limit() { sql::setMemoryLimit(saved); }
        size_t saved = sql::memoryLimit();
    } limit;
    const std::string noMemory = "Nicht genug Arbeitsspeicher für die Anweisung";
    EXPECT_EQ(f.error("SELECT a.TEXT, b.TEXT FROM GROSS a, GROSS b"), noMemory);
    EXPECT_EQ(f.error("SELECT DISTINCT a.NUMMER * 1000 + b.NUMMER FROM GROSS a, GROSS b"), noMemory);
    EXPECT_EQ(f.error("SELECT a.NUMMER, b.NUMMER, COUNT(*) FROM GROSS a, GROSS b GROUP BY a.NUMMER, b.NUMMER"),
              noMemory);
    EXPECT_EQ(f.error("SELECT COUNT(DISTINCT a.NUMMER * 1000 + b.NUMMER) FROM GROSS a, GROSS b"), noMemory);
    EXPECT_EQ(f.error("INSERT INTO GROSS SELECT a.NUMMER, b.TEXT FROM GROSS a, GROSS b"), noMemory);
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM GROSS"), Rows{"300"});
    // What fits runs: counting needs no rows kept, nor does a small result.
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM GROSS a, GROSS b"), Rows{"90000"});
    EXPECT_EQ(f.run("SELECT a.TEXT FROM GROSS a, GROSS b WHERE a.NUMMER = b.NUMMER").rows.size(), 300u);
    EXPECT_EQ(f.run("UPDATE GROSS SET TEXT = 'neu'").affected, 300);
}
