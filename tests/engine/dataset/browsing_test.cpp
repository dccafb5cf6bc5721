#include "data_set_fixture.h"
#include "engine/index/table_indexes.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {
class Browsing : public ClubTables {
protected:
    void SetUp() override
    {
        ClubTables::SetUp();
        ds = std::make_unique<TableDataSet>(folder.session(), keglterm);
        ds->setIndex("TERMIN");
        ds->open();
    }
    std::vector<double> numbers()
    {
        std::vector<double> out;
        for (bool ok = ds->first(); ok && !ds->eof(); ds->next()) out.push_back(ds->value("NUMMER").number());
        return out;
    }
    std::unique_ptr<TableDataSet> ds;
};
} // namespace

TEST_F(Browsing, RangeAndFilterTextTogether)
{
    EXPECT_EQ(ds->indexName(), "TERMIN");
    ds->setRange(num(1), num(1));
    EXPECT_EQ(numbers(), (std::vector<double>{1, 2, 4, 6}));
    ds->setFilterText("ABSCHNITT=1");
    EXPECT_EQ(ds->recordCount(), 4u); // not filtered yet
    ds->setFiltered(true);
    EXPECT_EQ(numbers(), (std::vector<double>{1, 2, 4}));
    ds->setFilterText("(KEGLER>=2 AND KEGLER<=3) OR NOT ABSCHNITT=1");
    EXPECT_EQ(numbers(), (std::vector<double>{2, 4, 6}));
    // A faulty text is refused and the filter stays as it was.
    EXPECT_THROW(ds->setFilterText("KEGLR=1"), EngineError);
    EXPECT_EQ(ds->filterText(), "(KEGLER>=2 AND KEGLER<=3) OR NOT ABSCHNITT=1");
    EXPECT_EQ(ds->recordCount(), 3u);
    ds->cancelRange();
    EXPECT_EQ(numbers(), (std::vector<double>{2, 4, 6, 5}));
    ds->setFiltered(false);
    EXPECT_EQ(ds->recordCount(), 6u);
    // A range given as typed text is converted to the key's type.
    ds->setRange(txt("2"), std::nullopt);
    EXPECT_EQ(numbers(), (std::vector<double>{3, 5}));
}

TEST_F(Browsing, KeySearchesLocateAndOrder)
{
    EXPECT_TRUE(ds->findKey(txt("2")));
    EXPECT_EQ(ds->value("NUMMER"), num(3));
    EXPECT_FALSE(ds->findKey(num(7)));
    EXPECT_EQ(ds->value("NUMMER"), num(3));
    EXPECT_THROW(ds->findKey(txt("zwei")), ValueError);
    EXPECT_TRUE(ds->findNearest(num(1.5)));
    EXPECT_EQ(ds->value("NUMMER"), num(3));

    // Locate finds the first match in the current order, also through another index.
    keglterm->attachment<TableIndexes>().byField("KEGLER");
    EXPECT_TRUE(ds->locate("KEGLER", num(3)));
    EXPECT_EQ(ds->value("NUMMER"), num(4));
    EXPECT_TRUE(ds->locate({"KEGLER", "TERMIN"}, {txt("3"), num(2)}));
    EXPECT_EQ(ds->value("NUMMER"), num(5));
    EXPECT_FALSE(ds->locate("KEGLER", num(8)));
    EXPECT_EQ(ds->value("NUMMER"), num(5));
    ds->setIndex("");
    EXPECT_EQ(ds->value("NUMMER"), num(5)); // the order changed, the record stayed
    EXPECT_EQ(ds->position(), 4u);
    EXPECT_TRUE(ds->locate("KEGLER", num(1)));
    EXPECT_EQ(ds->value("NUMMER"), num(1));

    TableDataSet names(folder.session(), kegler);
    names.setIndex("NAME");
    names.open();
    EXPECT_TRUE(names.locate("NAME", txt("MÜL"), {true, true}));
    EXPECT_EQ(names.value("NUMMER"), num(2));
    EXPECT_FALSE(names.locate("NAME", txt("MÜL"), {false, true}));
    EXPECT_TRUE(names.findNearest(txt("B")));
    EXPECT_EQ(names.text("NAME"), "Müller");
    EXPECT_EQ(names.indexName(), "NAME");
}

TEST_F(Browsing, ObserversHearOfEveryChange)
{
    std::vector<DataSetEvent::Kind> seen;
    Subscription sub = ds->subscribe([&](const DataSetEvent& e) { seen.push_back(e.kind); });
    using K = DataSetEvent::Kind;
    ds->next();
    EXPECT_EQ(seen, (std::vector<K>{K::Scrolled}));
    seen.clear();
    ds->edit();
    ds->setValue("KEGLER", num(9));
    EXPECT_EQ(seen, (std::vector<K>{K::StateChanged, K::FieldChanged}));
    seen.clear();
    ds->post();
    EXPECT_EQ(seen, (std::vector<K>{K::StateChanged, K::DataChanged, K::Scrolled}));

    // Changes through another data set on the same table arrive as data changes.
    TableDataSet twin(folder.session(), keglterm);
    twin.open();
    seen.clear();
    twin.edit();
    twin.setValue("KEGLER", num(8));
    twin.post();
    EXPECT_EQ(seen, (std::vector<K>{K::DataChanged}));
    EXPECT_EQ(ds->recordCount(), 6u);
    seen.clear();
    twin.deleteRecord();
    EXPECT_EQ(seen, (std::vector<K>{K::DataChanged}));
    EXPECT_EQ(ds->recordCount(), 5u);

    sub.reset();
    ds->first();
    EXPECT_EQ(seen.size(), 1u);
    // A subscription may outlive its data set.
    Subscription late = twin.subscribe([](const DataSetEvent&) {});
    ds.reset();
}
