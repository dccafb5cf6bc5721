#include "data_set_fixture.h"
#include "engine/dataset/query_data_set.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {
sql::QueryResult participants()
{
    sql::QueryResult r;
    r.columns = {{"NUMMER", 'N', 10, 0}, {"KEGLER", 'N', 10, 0}, {"Name", 'C', 50, 0}};
    r.rows = {{num(1), num(2), txt("Müller")}, {num(2), num(1), txt("Schmidt")}, {num(4), num(3), txt("Adler")}};
    return r;
}
} // namespace

TEST(QueryDataSet, ReadsMovesAndCalculates)
{
    QueryDataSet q(participants());
    q.setName("KeglerProTerminQuery");
    q.addCalculatedField("Doppelt", 'N', 10, 2);
    q.events.calcFields = [](DataSet& d) { d.setValue("Doppelt", num(d.value("KEGLER").toNumber() * 2)); };
    q.setDisplayFormat("Doppelt", "0.00");
    EXPECT_THROW(q.first(), EngineError);
    q.open();
    EXPECT_EQ(q.recordCount(), 3u);
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.text("name"), "Müller");
    EXPECT_EQ(q.displayText("Doppelt"), "4,00");
    EXPECT_TRUE(q.next());
    EXPECT_EQ(q.displayText("Doppelt"), "2,00");
    EXPECT_TRUE(q.last());
    EXPECT_TRUE(q.eof());
    EXPECT_FALSE(q.next());
    EXPECT_EQ(q.value("Name"), txt("Adler"));
    EXPECT_EQ(q.moveBy(-5), -2);
    EXPECT_TRUE(q.bof());
    EXPECT_TRUE(q.locate("name", txt("schm"), {true, true}));
    EXPECT_EQ(q.position(), 1u);
    EXPECT_TRUE(q.locate("KEGLER", txt("3")));
    EXPECT_EQ(q.position(), 2u);
    EXPECT_FALSE(q.locate("KEGLER", num(9)));
    EXPECT_EQ(q.lookup("KEGLER", num(1), "Name"), txt("Schmidt"));
    EXPECT_EQ(q.rowDisplayText(0, q.fieldIndex("Doppelt")), "4,00");
    EXPECT_THROW(q.edit(), EngineError);
    EXPECT_THROW(q.append(), EngineError);

    q.setResult(sql::QueryResult{q.result().columns, {}, -1, {}});
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof() && q.bof());
    EXPECT_EQ(q.value("Name"), Value());
}

TEST(QueryDataSet, SourceRunsOnOpenAndMastersATable)
{
    TableFolder folder;
    auto kegler = folder.create("KEGLER.DBF", {numField("NUMMER"), textField("NAME")});
    for (int i = 1; i <= 3; ++i) folder.add(*kegler, {num(i), txt("K" + std::to_string(i))});
    int runs = 0;
    QueryDataSet q;
    q.setSource([&] {
        ++runs;
        return participants();
    });
    q.open();
    q.close();
    q.open();
    EXPECT_EQ(runs, 2);

    // The bowler of the current participant row, like the names detail of the participants query.
    TableDataSet names(folder.session(), kegler);
    names.setIndex("NUMMER");
    names.setMasterLink(q, "NUMMER", "KEGLER");
    names.open();
    EXPECT_EQ(names.text("NAME"), "K2");
    q.next();
    EXPECT_EQ(names.text("NAME"), "K1");
    q.last();
    EXPECT_EQ(names.text("NAME"), "K3");
    q.close();
    EXPECT_TRUE(names.isEmpty());
}
