#include "engine/core/error.h"
#include "engine/database.h"
#include "data/store/demo_club.h"
#include "data/store/schema.h"
#include "store_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

using namespace trevo;
using namespace trevo::data;
using engine::Value;

namespace {

// Values of one column of a table, deleted records left out.
std::vector<Value> column(engine::Database& db, const std::string& folder, const std::string& table,
                          const std::string& field)
{
    auto t = db.table(engine::joinPath(folder, table));
    const int f = t->fieldIndex(field);
    EXPECT_GE(f, 0) << table << "." << field;
    std::vector<Value> out;
    for (uint32_t i = 0; i < t->recordCount(); ++i)
        if (!t->isDeleted(i)) out.push_back(t->get(i, f));
    return out;
}

double num(const Value& v) { return v.toNumber(); }

class DemoClubTest : public ::testing::Test {
protected:
    static inline test::TempFolder* dir = nullptr;
    static inline DemoResult result;
    static void SetUpTestSuite()
    {
        dir = new test::TempFolder;
        engine::Database db;
        result = createDemoClub(db, dir->path(), DemoOptions());
    }
    static void TearDownTestSuite() { delete dir; }

    engine::Database db;
    std::string folder = dir->path();
    std::vector<Value> col(const std::string& table, const std::string& field) { return column(db, folder, table, field); }
};

} // namespace

TEST_F(DemoClubTest, EveryStoredReferencePointsToAnExistingRecord)
{
    for (const Relation& r : relations()) {
        std::set<double> targets;
        for (const Value& v : col(r.toTable, r.toField)) targets.insert(num(v));
        size_t checked = 0;
        for (const Value& v : col(r.fromTable, r.fromField)) {
            if (v.isNull() && r.fromField == "FUNKTION") continue; // members without an office
            ASSERT_FALSE(v.isNull()) << r.fromTable << "." << r.fromField;
            EXPECT_TRUE(targets.count(num(v))) << r.fromTable << "." << r.fromField << " = " << num(v);
            ++checked;
        }
        EXPECT_GT(checked, 0u) << r.fromTable << "." << r.fromField;
    }
}

TEST_F(DemoClubTest, AmountsAndCountsAgreeWithTheirParticipantRowsAndPriceLists)
{
    auto rowsOf = [&](const char* table) { return db.table(engine::joinPath(folder, table)); };
    auto part = rowsOf(tables::Keglterm);
    std::map<double, std::pair<double, double>> rowEveningSection;
    std::map<double, std::set<double>> bowlersOfEvening;
    std::map<double, double> highestSection;
    for (uint32_t i = 0; i < part->recordCount(); ++i) {
        const auto r = part->getRecord(i);
        rowEveningSection[num(r[0])] = {num(r[1]), num(r[3])};
        bowlersOfEvening[num(r[1])].insert(num(r[2]));
        highestSection[num(r[1])] = std::max(highestSection[num(r[1])], num(r[3]));
    }
    auto evenings = rowsOf(tables::Termine);
    std::map<double, double> listOfEvening;
    for (uint32_t i = 0; i < evenings->recordCount(); ++i) {
        const auto e = evenings->getRecord(i);
        listOfEvening[num(e[0])] = num(e[5]);
        EXPECT_EQ(num(e[2]), static_cast<double>(bowlersOfEvening[num(e[0])].size())) << "TEILNEHMER";
        EXPECT_EQ(num(e[4]), highestSection[num(e[0])]) << "ABSCHNITTE";
        EXPECT_GE(num(e[4]), 1);
        EXPECT_LE(num(e[4]), 4);
    }
    std::map<double, double> listOfItem;
    auto items = rowsOf(tables::Sonstype);
    for (uint32_t i = 0; i < items->recordCount(); ++i) listOfItem[num(items->get(i, 0))] = num(items->get(i, 4));
    for (const char* table : {tables::Spielkeg, tables::Sonstkeg}) {
        auto t = rowsOf(table);
        for (uint32_t i = 0; i < t->recordCount(); ++i) {
            const auto r = t->getRecord(i);
            const auto [evening, section] = rowEveningSection.at(num(r[1]));
            ASSERT_EQ(num(r[5]), evening) << table;
            ASSERT_EQ(num(r[2]), section) << table;
            if (std::string(table) == tables::Sonstkeg) {
                ASSERT_EQ(listOfItem.at(num(r[3])), listOfEvening.at(evening)) << "item of another price list";
                ASSERT_GE(num(r[4]), 1);
            }
        }
    }
}

TEST_F(DemoClubTest, ClubLooksLikeTheDescription)
{
    const auto member = col(tables::Kegler, "MITGLIED");
    const auto trueCount = std::count(member.begin(), member.end(), Value::logical(true));
    EXPECT_EQ(trueCount, 14);
    EXPECT_EQ(member.size(), 18u);
    bool umlaut = false;
    for (const Value& n : col(tables::Kegler, "NAME")) umlaut |= n.text().find_first_of("\xC3") != std::string::npos;
    EXPECT_TRUE(umlaut);
    std::map<std::string, std::pair<double, bool>> item; // name -> (GUELTIG, MITTELWERT)
    const auto names = col(tables::Sonstype, "BEZEICHNUN"), gueltig = col(tables::Sonstype, "GUELTIG"),
               mittel = col(tables::Sonstype, "MITTELWERT");
    for (size_t i = 0; i < names.size(); ++i) {
        item[names[i].text()] = {num(gueltig[i]), mittel[i].logical()};
        EXPECT_TRUE(num(gueltig[i]) == 1 || num(gueltig[i]) == 2);
    }
    for (const char* n : {"Pudel", "Stina", "Alle Neune", "Kranz", "Bahngebühr", "Bier 0,3 l"}) EXPECT_TRUE(item.count(n)) << n;
    EXPECT_EQ(item["Alle Neune"].first, 2);
    EXPECT_TRUE(item["Pudel"].second);
    EXPECT_FALSE(item["Bier 0,3 l"].second);
    const size_t evenings = result.rowCounts.at(tables::Termine);
    EXPECT_GE(evenings, 95u);
    EXPECT_LE(evenings, 105u);
    EXPECT_GT(result.rowCounts.at(tables::Termplan), 5u);
    EXPECT_EQ(result.rowCounts.at(tables::Funktion), 6u);
    EXPECT_EQ(result.rowCounts.at(tables::Auswertu), 0u);
    // Record numbers run from 1 without gaps.
    for (const TableSchema& t : allTables()) {
        if (t.fileName == tables::Auswertu) continue;
        const auto numbers = col(t.fileName, "NUMMER");
        for (size_t i = 0; i < numbers.size(); ++i) ASSERT_EQ(num(numbers[i]), static_cast<double>(i + 1)) << t.fileName;
    }
}

TEST_F(DemoClubTest, AccountBalanceIsTheOpeningBalancePlusAllBookings)
{
    double sum = 0;
    for (const Value& v : col(tables::Konto, "BETRAG")) sum += num(v);
    const double start = num(col(tables::Kontoinf, "STARTSALDO")[0]);
    EXPECT_NEAR(num(col(tables::Kontoinf, "KONTOSTAND")[0]), start + sum, 0.005);
    const auto types = col(tables::Konto, "TYP");
    EXPECT_EQ(static_cast<size_t>(std::count(types.begin(), types.end(), Value::number(1))),
              result.rowCounts.at(tables::Termine)); // one booking per evening
}

TEST_F(DemoClubTest, SameOptionsGiveTheSameFilesAndAnotherSeedAnotherClub)
{
    test::TempFolder same, other;
    {
        engine::Database db2;
        createDemoClub(db2, same.path(), DemoOptions());
        DemoOptions o;
        o.seed = 2;
        createDemoClub(db2, other.path(), o);
    }
    EXPECT_EQ(test::snapshot(same.path()), test::snapshot(folder));
    EXPECT_NE(test::snapshot(other.path()).at("KEGLER.DBF"), test::snapshot(folder).at("KEGLER.DBF"));
}

TEST_F(DemoClubTest, NeverWritesIntoAFolderWithTables)
{
    const auto before = test::snapshot(folder);
    const DemoResult again = createDemoClub(db, folder, DemoOptions());
    EXPECT_FALSE(again.report.changedAnything());
    EXPECT_EQ(again.report.unchanged.size(), 22u);
    EXPECT_EQ(test::snapshot(folder), before);

    test::TempFolder partly;
    std::ofstream(partly.file("Konto.dbt")) << "x";
    const DemoResult r = createDemoClub(db, partly.path(), DemoOptions());
    EXPECT_EQ(r.report.unchanged, std::vector<std::string>{"KONTO.DBT"});
    EXPECT_EQ(test::snapshot(partly.path()).size(), 1u);
}

TEST(DemoClubOptions, OutOfRangeIsRefused)
{
    test::TempFolder dir;
    engine::Database db;
    DemoOptions o;
    o.years = 0;
    EXPECT_THROW(createDemoClub(db, dir.path(), o), engine::ValueError);
    o.years = 2;
    o.bowlers = 1;
    EXPECT_THROW(createDemoClub(db, dir.path(), o), engine::ValueError);
    EXPECT_TRUE(test::snapshot(dir.path()).empty());
}
