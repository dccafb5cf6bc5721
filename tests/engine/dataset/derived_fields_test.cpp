#include "data_set_fixture.h"

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {
class Derived : public ClubTables {
protected:
    void SetUp() override
    {
        ClubTables::SetUp();
        waehrungen = folder.create("WAEHRUNGEN.DBF", {numField("NUMMER"), textField("KUERZEL", 3)});
        folder.add(*waehrungen, {num(1), txt("EUR")});
        folder.add(*waehrungen, {num(2), txt("DM")});
        preislisten = folder.create("SONSTYP0.DBF", {numField("NUMMER"), numField("WAEHRUNG")});
        folder.add(*preislisten, {num(1), num(2)});
        folder.add(*preislisten, {num(2), num(1)});
        sonstkeg = folder.create("SONSTKEG.DBF", {numField("NUMMER"), numField("TYP"), numField("ANZAHL")});
        folder.add(*sonstkeg, {num(1), num(10), num(4)});
        folder.add(*sonstkeg, {num(2), num(11), num(3)});
        folder.add(*sonstkeg, {num(3), num(12), num(1)});
        sonstype = folder.create("SONSTYPE.DBF", {numField("NUMMER"), textField("BEZEICHNUN"), numField("EINZELPREI", 8, 2),
                                                  numField("PREISLISTE")});
        folder.add(*sonstype, {num(10), txt("Pudel"), num(1.5), num(1)});
        folder.add(*sonstype, {num(11), txt("Bier"), num(2.2), num(1)});
        folder.add(*sonstype, {num(12), txt("Kranz"), num(0.5), num(2)});
    }
    std::shared_ptr<DbfTable> waehrungen, preislisten, sonstkeg, sonstype;
};
} // namespace

TEST_F(Derived, ChainedLookupsFollowTheRecord)
{
    Session& s = folder.session();
    TableDataSet currencies(s, waehrungen), lists(s, preislisten), evenings(s, termine);
    currencies.open();
    lists.open();
    evenings.setIndex("NUMMER");
    evenings.addLookupField("Waehrung", 'N', lists, "PREISLISTE", "NUMMER", "WAEHRUNG");
    evenings.addLookupField("WaehrungStr", 'C', currencies, "Waehrung", "NUMMER", "KUERZEL", 3);
    evenings.open();
    EXPECT_EQ(evenings.fieldCount(), 6);
    EXPECT_EQ(evenings.field(5).kind, FieldKind::Lookup);
    EXPECT_EQ(evenings.value("Waehrung"), num(2));
    EXPECT_EQ(evenings.text("WaehrungStr"), "DM");
    // A pending change of the key field shows at once.
    evenings.edit();
    evenings.setValue("PREISLISTE", num(2));
    EXPECT_EQ(evenings.text("WaehrungStr"), "EUR");
    evenings.setValue("PREISLISTE", num(9));
    EXPECT_EQ(evenings.value("WaehrungStr"), Value());
    evenings.cancel();
    EXPECT_THROW(evenings.setValue("WaehrungStr", txt("X")), EngineError);
    // Lookups do not move the lookup data sets.
    EXPECT_EQ(currencies.position(), 0u);
    // Closed lookup data set: no value.
    currencies.close();
    EXPECT_EQ(evenings.value("WaehrungStr"), Value());
}

TEST_F(Derived, LookupRespectsTheLookupSetsRangeAndCalculatedFields)
{
    Session& s = folder.session();
    // The items of price list 1 only, like the items of the current price list.
    TableDataSet items(s, sonstype);
    items.setIndex("PREISLISTE");
    items.open();
    items.setRange(num(1), num(1));
    TableDataSet counts(s, sonstkeg);
    counts.addLookupField("Bezeichnung", 'C', items, "TYP", "NUMMER", "BEZEICHNUN", 50);
    counts.addCalculatedField("Betrag", 'N', 10, 2);
    int calcRuns = 0;
    counts.events.calcFields = [&](DataSet& d) {
        ++calcRuns;
        double p = 0;
        for (uint32_t r = 0; r < sonstype->recordCount(); ++r)
            if (sonstype->get(r, 0) == d.value("TYP")) p = sonstype->get(r, 2).number();
        d.setValue("Betrag", num(d.value("ANZAHL").toNumber() * p));
    };
    counts.setDisplayFormat("Betrag", "0.00");
    counts.open();
    EXPECT_EQ(counts.text("Bezeichnung"), "Pudel");
    EXPECT_EQ(counts.displayText("Betrag"), "6,00");
    EXPECT_EQ(calcRuns, 1);
    EXPECT_EQ(counts.value("Betrag"), num(6)); // cached: no second run
    EXPECT_EQ(calcRuns, 1);
    counts.next();
    EXPECT_NEAR(counts.value("Betrag").number(), 6.6, 1e-9);
    EXPECT_EQ(calcRuns, 2);
    // Pending changes are calculated again.
    counts.edit();
    counts.setValue("ANZAHL", num(10));
    EXPECT_EQ(counts.displayText("Betrag"), "22,00");
    counts.cancel();
    counts.last();
    EXPECT_EQ(counts.value("Bezeichnung"), Value()); // item 12 is in another price list
    EXPECT_EQ(counts.displayText("Betrag"), "0,50");
    // Rows for a grid, without moving.
    EXPECT_EQ(counts.rowDisplayText(0, counts.fieldIndex("Betrag")), "6,00");
    EXPECT_EQ(counts.rowValue(1, counts.fieldIndex("Bezeichnung")), txt("Bier"));
    EXPECT_EQ(counts.position(), 2u);
    EXPECT_THROW(counts.setValue("Betrag", num(1)), EngineError); // only while calculating
    // The lookup set's range decides.
    items.cancelRange();
    EXPECT_EQ(counts.text("Bezeichnung"), "Kranz");
}

TEST_F(Derived, LookupDataSetGoingAwayLeavesTheFieldEmpty)
{
    Session& s = folder.session();
    auto lists = std::make_unique<TableDataSet>(s, preislisten);
    lists->open();
    TableDataSet evenings(s, termine);
    evenings.addLookupField("Waehrung", 'N', *lists, "PREISLISTE", "NUMMER", "WAEHRUNG");
    evenings.open();
    EXPECT_EQ(evenings.value("Waehrung"), num(2));
    lists.reset();
    EXPECT_EQ(evenings.value("Waehrung"), Value());
    evenings.close();
    evenings.open();
    EXPECT_EQ(evenings.value("Waehrung"), Value());
}
