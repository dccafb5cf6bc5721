#include "engine/core/error.h"
#include "engine/index/cursor.h"
#include "test_tables.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // NUMMER, TERMIN, ABSCHNITT like the participant rows; physical order != key order.
        t = folder.create("KEGLTERM.DBF", {numField("NUMMER"), numField("TERMIN"), numField("ABSCHNITT"), textField("NAME")});
        const int rows[][3] = {{3, 2, 1}, {1, 1, 1}, {2, 1, 2}, {5, 2, 2}, {4, 2, 1}, {6, 3, 1}};
        const char* names[] = {"Christa", "anton", "Bernd", "Emil", "Dora", "Berta"};
        for (int i = 0; i < 6; ++i) folder.add(*t, {num(rows[i][0]), num(rows[i][1]), num(rows[i][2]), txt(names[i])});
    }
    double field(Cursor& c, int f) { return t->get(c.recno(), f).number(); }
    std::vector<double> walk(Cursor& c, int f = 0)
    {
        std::vector<double> out;
        for (bool ok = c.first(); ok && !c.eof(); c.next()) out.push_back(field(c, f));
        return out;
    }

    TableFolder folder;
    std::shared_ptr<DbfTable> t;
};

} // namespace

TEST_F(CursorTest, NavigationFlagsInPhysicalAndIndexOrder)
{
    Cursor c(t);
    EXPECT_EQ(walk(c), (std::vector<double>{3, 1, 2, 5, 4, 6}));
    c.setOrder("NUMMER");
    EXPECT_EQ(c.orderName(), "NUMMER");
    EXPECT_EQ(walk(c), (std::vector<double>{1, 2, 3, 4, 5, 6}));

    ASSERT_TRUE(c.first());
    EXPECT_TRUE(c.bof());
    EXPECT_FALSE(c.eof());
    EXPECT_FALSE(c.prior());
    EXPECT_TRUE(c.bof());
    EXPECT_EQ(field(c, 0), 1);
    EXPECT_TRUE(c.next());
    EXPECT_FALSE(c.bof());
    ASSERT_TRUE(c.last());
    EXPECT_TRUE(c.eof());
    EXPECT_EQ(field(c, 0), 6);
    EXPECT_FALSE(c.next());
    EXPECT_TRUE(c.eof());
    EXPECT_EQ(field(c, 0), 6); // stays on the last record
    EXPECT_TRUE(c.prior());
    EXPECT_FALSE(c.eof());
    EXPECT_EQ(field(c, 0), 5);
    EXPECT_EQ(c.moveBy(-10), -4);
    EXPECT_EQ(field(c, 0), 1);
    EXPECT_EQ(c.moveBy(2), 2);
    EXPECT_EQ(c.position(), 2u);
    EXPECT_TRUE(c.moveTo(4));
    EXPECT_EQ(field(c, 0), 5);
    EXPECT_FALSE(c.moveTo(6));
    EXPECT_EQ(c.recordCount(), 6u);

    // Changing the order keeps the record.
    c.setOrder("NAME");
    EXPECT_EQ(field(c, 0), 5);
    EXPECT_EQ(c.position(), 5u); // anton, Bernd, Berta, Christa, Dora, Emil
    c.setOrder("");
    EXPECT_EQ(field(c, 0), 5);
    EXPECT_EQ(c.position(), 3u);
    EXPECT_THROW(c.setOrder("FEHLT"), EngineError);
}

TEST_F(CursorTest, EmptyViewAndDeletedRecords)
{
    Cursor c(t);
    c.setOrder("TERMIN");
    c.setRange(num(7), num(9));
    EXPECT_FALSE(c.first());
    EXPECT_TRUE(c.eof());
    EXPECT_TRUE(c.bof());
    EXPECT_FALSE(c.onRecord());
    EXPECT_EQ(c.recordCount(), 0u);
    EXPECT_FALSE(c.next());
    EXPECT_FALSE(c.last());
    EXPECT_EQ(c.position(), std::nullopt);

    c.clearRange();
    folder.remove(*t, 1); // NUMMER 1
    folder.remove(*t, 5); // NUMMER 6
    c.setOrder("");
    EXPECT_EQ(walk(c), (std::vector<double>{3, 2, 5, 4}));
    c.setOrder("NUMMER");
    EXPECT_EQ(walk(c), (std::vector<double>{2, 3, 4, 5}));
    EXPECT_FALSE(c.gotoRecord(1));
    EXPECT_EQ(c.recordCount(), 4u);
}

TEST_F(CursorTest, FindKeyAndNearest)
{
    Cursor c(t);
    c.setOrder("TERMIN");
    ASSERT_TRUE(c.findKey(num(2)));
    EXPECT_EQ(c.recno(), 0u); // the first duplicate in record order
    EXPECT_FALSE(c.findKey(num(2.5)));
    EXPECT_EQ(c.recno(), 0u); // unchanged
    ASSERT_TRUE(c.findNearest(num(2.5)));
    EXPECT_EQ(field(c, 0), 6);
    ASSERT_TRUE(c.findNearest(num(99)));
    EXPECT_EQ(field(c, 0), 6); // nothing after: the last record
    EXPECT_TRUE(c.eof());
    ASSERT_TRUE(c.findNearest(num(-5)));
    EXPECT_EQ(field(c, 0), 1);
    EXPECT_THROW(c.findKey(txt("zwei")), ValueError);

    c.setOrder("NAME");
    ASSERT_TRUE(c.findNearest(txt("Be")));
    EXPECT_EQ(t->get(c.recno(), 3).text(), "Bernd");
    ASSERT_TRUE(c.findNearest(txt("c")));
    EXPECT_EQ(t->get(c.recno(), 3).text(), "Christa");
    EXPECT_FALSE(c.findKey(txt("bernd")));
    EXPECT_TRUE(c.findKey(txt("Bernd")));
}

TEST_F(CursorTest, RangeAndFilterTogether)
{
    Cursor c(t);
    c.setOrder("TERMIN");
    c.setRange(num(2), num(3));
    EXPECT_EQ(walk(c), (std::vector<double>{3, 5, 4, 6}));
    c.setFilter([&](uint32_t r) { return t->get(r, 2).number() == 1; });
    EXPECT_EQ(walk(c).size(), 4u); // filter switched off still
    c.setFiltered(true);
    EXPECT_TRUE(c.filtered());
    EXPECT_EQ(walk(c), (std::vector<double>{3, 4, 6}));
    EXPECT_EQ(c.recordCount(), 3u);
    ASSERT_TRUE(c.last());
    EXPECT_EQ(c.position(), 2u);
    EXPECT_EQ(c.recordAt(1), 4u);
    EXPECT_EQ(c.recordAt(3), std::nullopt);
    ASSERT_TRUE(c.moveTo(1));
    EXPECT_EQ(field(c, 0), 4);
    EXPECT_FALSE(c.gotoRecord(3)); // NUMMER 5 is in section 2
    EXPECT_FALSE(c.gotoRecord(1)); // NUMMER 1 is outside the range
    EXPECT_TRUE(c.findKey(num(3)));
    EXPECT_EQ(field(c, 0), 6);
    EXPECT_FALSE(c.findKey(num(1)));
    EXPECT_TRUE(c.findFirst([&](uint32_t r) { return t->get(r, 3).text() == "Dora"; }));
    EXPECT_FALSE(c.findFirst([&](uint32_t r) { return t->get(r, 3).text() == "Emil"; }));

    // A change that makes a record pass shows up at the next move without refresh.
    folder.put(*t, 3, {num(5), num(2), num(1), txt("Emil")});
    EXPECT_EQ(c.recordCount(), 4u);
    EXPECT_EQ(walk(c), (std::vector<double>{3, 5, 4, 6}));
    c.setFiltered(false);
    c.setEmptyRange();
    EXPECT_EQ(c.recordCount(), 0u);
}

TEST_F(CursorTest, FollowsItsRecordThroughChanges)
{
    Cursor c(t);
    c.setOrder("NUMMER");
    ASSERT_TRUE(c.gotoRecord(2)); // NUMMER 2
    // Its key moves to the end: the cursor goes with it.
    folder.put(*t, 2, {num(10), num(1), num(2), txt("Bernd")});
    EXPECT_EQ(c.recno(), 2u);
    EXPECT_EQ(c.position(), 5u);
    EXPECT_FALSE(c.next());
    // Deleted under the cursor: it moves to the previous one when it was the last.
    folder.remove(*t, 2);
    EXPECT_EQ(field(c, 0), 6);
    EXPECT_EQ(c.recordCount(), 5u);
    // Deleted in the middle: the next one.
    ASSERT_TRUE(c.findKey(num(3)));
    folder.remove(*t, 0);
    EXPECT_EQ(field(c, 0), 4);
    // A filtered-out current record moves on the same way.
    c.setFilter([&](uint32_t r) { return t->get(r, 0).number() != 4; });
    c.setFiltered(true);
    EXPECT_EQ(field(c, 0), 5);
    // Records appended later are seen.
    folder.add(*t, {num(0), num(0), num(0), txt("Null")});
    ASSERT_TRUE(c.first());
    EXPECT_EQ(field(c, 0), 0);
}
