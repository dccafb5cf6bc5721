// The item amounts (Betrag) of the evening grids: the unit prices come from the evening's
// price list read by one statement, whatever the number of painted rows, and follow
// changed prices, price lists and evenings.
#include "modul_fixture.h"
#include "data/module/preis_cache.h"
#include "engine/sql/sql.h"

using namespace trevo;
using namespace trevo::data;
using namespace trevo::data::test;
using engine::Value;

namespace {

const Value kDatum = Value::date(engine::daysFromCivil(2024, 3, 8));
using Preise = std::map<int, double>; // item number -> unit price
const Preise kListe1 = {{1, 1.5}, {2, 0.5}, {3, 2}, {4, 1}};
const Preise kListe2 = {{5, 3}, {6, 0.7}};

// Statements the module runs: each opens its query anew.
class Anweisungen {
public:
    explicit Anweisungen(engine::DataSet& abfrage)
        : abo_(abfrage.subscribe([this, &abfrage](const engine::DataSetEvent& e) {
              if (e.kind == engine::DataSetEvent::Kind::StateChanged && abfrage.active()) ++anzahl;
          }))
    {
    }
    int anzahl = 0;

private:
    engine::Subscription abo_;
};

// Price list 1 (installed) with items 1-4, price list 2 with items 5 and 6; evening 1 uses
// list 1, evening 2 list 2. Evening 1 has 60 item rows of items 1-6, evening 2 three rows.
class PreisTest : public ModulTest {
protected:
    void SetUp() override
    {
        ModulTest::SetUp();
        datensaetze(tables::Sonstyp0, {{{"NUMMER", n(2)}, {"WAEHRUNG", n(1)}}});
        std::vector<std::map<std::string, Value>> items;
        for (const auto* liste : {&kListe1, &kListe2})
            for (const auto& [nr, preis] : *liste)
                items.push_back({{"NUMMER", n(nr)}, {"EINZELPREI", n(preis)},
                                 {"PREISLISTE", n(liste == &kListe1 ? 1 : 2)}, {"GUELTIG", n(1)}});
        datensaetze(tables::Sonstype, items);
        datensaetze(tables::Termine, {{{"NUMMER", n(1)}, {"DATUM", kDatum}, {"PREISLISTE", n(1)}},
                                      {{"NUMMER", n(2)}, {"DATUM", kDatum}, {"PREISLISTE", n(2)}}});
        datensaetze(tables::Keglterm, {{{"NUMMER", n(1)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}},
                                       {{"NUMMER", n(2)}, {"TERMIN", n(2)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}}});
        std::vector<std::map<std::string, Value>> zeilen;
        for (int i = 0; i < 60; ++i)
            zeilen.push_back({{"NUMMER", n(i + 1)}, {"KEGLERNR", n(1)}, {"TYP", n(i % 6 + 1)}, {"ANZAHL", n(i % 4 + 1)},
                              {"TERMIN", n(1)}});
        for (int typ : {5, 6, 1})
            zeilen.push_back(
                {{"NUMMER", n(60 + typ)}, {"KEGLERNR", n(2)}, {"TYP", n(typ)}, {"ANZAHL", n(2)}, {"TERMIN", n(2)}});
        datensaetze(tables::Sonstkeg, zeilen);
    }

    // Betrag of every row as a grid paints it, and count times the price of the list.
    static std::vector<double> gemalt(engine::DataSet& sonst)
    {
        std::vector<double> r;
        const int betrag = sonst.fieldIndex("Betrag");
        for (size_t i = 0; i < sonst.recordCount(); ++i) r.push_back(sonst.rowValue(i, betrag).toNumber());
        return r;
    }
    static std::vector<double> erwartet(engine::DataSet& sonst, const Preise& preise)
    {
        std::vector<double> r;
        for (size_t i = 0; i < sonst.recordCount(); ++i) {
            const auto it = preise.find(static_cast<int>(sonst.rowValue(i, sonst.fieldIndex("TYP")).toNumber()));
            const double preis = it == preise.end() ? 0 : it->second;
            r.push_back(sonst.rowValue(i, sonst.fieldIndex("ANZAHL")).toNumber() * preis);
        }
        return r;
    }
    static void preisAendern(engine::TableDataSet& items, int nr, double preis)
    {
        ASSERT_TRUE(items.findKey(n(nr)));
        items.edit();
        items.setValue("EINZELPREI", n(preis));
        items.post();
    }
};

} // namespace

TEST_F(PreisTest, EveryPaintedRowFromOneStatementAgreeingWithEinzelpreis)
{
    auto m = oeffnen();
    auto& sonst = m->d().SonstigeKeglerTable1;
    ASSERT_TRUE(m->d().TerminTable1.findKey(n(1)));
    ASSERT_EQ(sonst.recordCount(), 60u);
    Anweisungen anweisungen(m->d().Query1);
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, kListe1));
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, kListe1)); // painted again
    EXPECT_EQ(anweisungen.anzahl, 1);
    for (size_t i = 0; i < sonst.recordCount(); ++i) {
        const std::string typ = sonst.rowDisplayText(i, sonst.fieldIndex("TYP"));
        EXPECT_DOUBLE_EQ(sonst.rowValue(i, sonst.fieldIndex("Betrag")).toNumber(),
                         sonst.rowValue(i, sonst.fieldIndex("ANZAHL")).toNumber() * m->Einzelpreis(typ, "1"))
            << typ;
    }
    ASSERT_TRUE(m->d().TerminTable1.findKey(n(2))); // another evening: its own list
    ASSERT_EQ(sonst.recordCount(), 3u);
    const int vorher = anweisungen.anzahl;
    EXPECT_EQ(gemalt(sonst), (std::vector<double>{6, 1.4, 0}));
    EXPECT_EQ(anweisungen.anzahl, vorher + 1);
}

TEST_F(PreisTest, PostedAndDeletedItemsShowInTheAmounts)
{
    auto m = oeffnen();
    auto& sonst = m->d().SonstigeKeglerTable1;
    auto& items = m->d().SonstigeLookupTable1;
    ASSERT_TRUE(m->d().TerminTable1.findKey(n(1)));
    gemalt(sonst);
    preisAendern(items, 1, 2.25);
    sonst.refresh();
    Preise preise = kListe1;
    preise[1] = 2.25;
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, preise));
    ASSERT_TRUE(items.findKey(n(2)));
    items.deleteRecord();
    sonst.refresh();
    preise.erase(2);
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, preise));
    // Through the price-list window's data set as well.
    auto& liste = m->d().SonstigeTable1;
    ASSERT_TRUE(m->d().SonstigeMainTable1.findKey(n(1)));
    ASSERT_TRUE(liste.locate("NUMMER", n(3)));
    liste.edit();
    liste.setValue("EINZELPREI", n(0.25));
    liste.post();
    sonst.refresh();
    preise[3] = 0.25;
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, preise));
}

TEST_F(PreisTest, AnotherPriceListOfTheEveningAndARolledBackPrice)
{
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    auto& sonst = m->d().SonstigeKeglerTable1;
    ASSERT_TRUE(termin.findKey(n(1)));
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, kListe1));
    termin.edit();
    termin.setValue("PREISLISTE", n(2));
    termin.post();
    sonst.refresh();
    ASSERT_EQ(sonst.recordCount(), 60u);
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, kListe2));
    // A price changed inside the price-list transaction goes with its rollback.
    engine::Session& s = db.session(kSonstigeSession);
    s.startTransaction();
    preisAendern(m->d().SonstigeLookupTable1, 5, 9);
    sonst.refresh();
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, {{5, 9}, {6, 0.7}}));
    s.rollback();
    sonst.refresh();
    EXPECT_EQ(gemalt(sonst), erwartet(sonst, kListe2));
}

TEST_F(PreisTest, CacheReadsAListOncePerEveningAndFollowsStatements)
{
    auto m = oeffnen();
    int anweisungen = 0;
    PreisCache cache(db, "/daten/", [&](const std::string& anweisung) {
        ++anweisungen;
        return engine::sql::execute(db, db.session(), anweisung, "/daten/");
    });
    for (const char* termin : {"1", "2", "3"})
        for (const char* typ : {"1", "4", "5", "6", "7", " 2 "})
            EXPECT_DOUBLE_EQ(cache.einzelpreis(typ, termin), m->Einzelpreis(typ, termin)) << typ << " " << termin;
    EXPECT_EQ(cache.fuellungen(), 3);
    EXPECT_EQ(anweisungen, 3);
    EXPECT_DOUBLE_EQ(cache.einzelpreis("", "1"), 0);
    EXPECT_DOUBLE_EQ(cache.einzelpreis("1", " "), 0);
    EXPECT_THROW(cache.einzelpreis("1 OR 1=1", "1"), engine::ValueError);
    EXPECT_EQ(cache.fuellungen(), 3);
    // A statement of the SQL window changes the prices as well as a data set does.
    EXPECT_DOUBLE_EQ(cache.einzelpreis("6", "2"), 0.7);
    engine::sql::execute(db, db.session(), "UPDATE SONSTYPE SET EINZELPREI = 0.8 WHERE NUMMER = 6", "/daten/");
    EXPECT_DOUBLE_EQ(cache.einzelpreis("6", "2"), 0.8);
    EXPECT_DOUBLE_EQ(cache.einzelpreis("5", "2"), 3);
    EXPECT_EQ(cache.fuellungen(), 5);
}
