#include "data_set_fixture.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {
class MasterDetail : public ClubTables {
protected:
    void SetUp() override
    {
        ClubTables::SetUp();
        master = std::make_unique<TableDataSet>(folder.session(), termine);
        master->setIndex("NUMMER");
        detail = std::make_unique<TableDataSet>(folder.session(), keglterm);
        detail->setIndex("TERMIN");
        detail->setMasterLink(*master, "TERMIN", "NUMMER");
        master->open();
        detail->open();
    }
    std::vector<double> detailNumbers()
    {
        std::vector<double> out;
        for (size_t i = 0; i < detail->recordCount(); ++i) out.push_back(detail->rowValue(i, 0).number());
        return out;
    }
    std::unique_ptr<TableDataSet> master, detail;
};
} // namespace

TEST_F(MasterDetail, DetailFollowsTheMastersMoves)
{
    EXPECT_EQ(detailNumbers(), (std::vector<double>{1, 2, 4, 6}));
    Log log;
    recordEvents(*detail, log);
    master->next();
    EXPECT_EQ(detailNumbers(), (std::vector<double>{3, 5}));
    EXPECT_EQ(log, (Log{"afterScroll"}));
    EXPECT_TRUE(detail->bof());
    EXPECT_EQ(detail->value("NUMMER"), num(3));
    master->next(); // evening 3 has no participants
    EXPECT_TRUE(detail->isEmpty());
    EXPECT_EQ(detail->recordCount(), 0u);
    // A move to a record with the same key leaves the detail where it is.
    master->first();
    detail->last();
    log.clear();
    master->refresh();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(detail->value("NUMMER"), num(6));
}

TEST_F(MasterDetail, NewMasterRecordAndNewDetailRecords)
{
    master->events.afterInsert = [](DataSet& d) { d.setValue("NUMMER", num(4)); };
    master->append();
    EXPECT_TRUE(detail->isEmpty()); // follows the key of the pending evening
    detail->append();
    EXPECT_EQ(detail->value("TERMIN"), num(4)); // the link field comes from the master
    EXPECT_FALSE(detail->modified());
    detail->setValue("KEGLER", num(2));
    detail->append(); // stores the first participant
    detail->setValue("KEGLER", num(3));
    master->post();   // the evening's post moves nothing: the detail keeps its pending row
    EXPECT_EQ(detail->state(), DataSetState::Insert);
    master->first();  // but a move of the master stores it
    EXPECT_EQ(detail->state(), DataSetState::Browse);
    EXPECT_EQ(keglterm->recordCount(), 8u);
    master->last();
    EXPECT_EQ(master->value("NUMMER"), num(4));
    EXPECT_EQ(detail->recordCount(), 2u);

    // Cancelling a new master record returns the detail to the previous evening.
    master->events.afterInsert = [](DataSet& d) { d.setValue("NUMMER", num(5)); };
    master->append();
    EXPECT_TRUE(detail->isEmpty());
    master->cancel();
    EXPECT_EQ(detail->recordCount(), 2u);
}

TEST_F(MasterDetail, EmptyMasterAnotherIndexAndFiltersOnTheDetail)
{
    // The link holds on another index of the detail too, together with a filter.
    detail->setIndex("KEGLER");
    EXPECT_EQ(detail->recordCount(), 4u);
    detail->setFilterText("ABSCHNITT=1");
    detail->setFiltered(true);
    EXPECT_EQ(detail->recordCount(), 3u);
    EXPECT_EQ(detailNumbers(), (std::vector<double>{1, 2, 4})); // rows of bowlers 1, 2, 3
    detail->setFiltered(false);
    EXPECT_THROW(detail->setRange(num(1), num(2)), EngineError);

    // A master without records: nothing in the detail.
    TableDataSet emptyMaster(folder.session(), folder.create("LEER.DBF", {numField("NUMMER")}));
    emptyMaster.open();
    detail->setMasterLink(emptyMaster, "TERMIN", "NUMMER");
    EXPECT_TRUE(detail->isEmpty());
    detail->clearMasterLink();
    EXPECT_EQ(detail->recordCount(), 6u);
}

TEST_F(MasterDetail, MasterGoingAwayReleasesTheDetail)
{
    master.reset();
    EXPECT_EQ(detail->master(), nullptr);
    EXPECT_EQ(detail->recordCount(), 6u);
}
