// Booking and balance in one transaction of the cash-book session: crashes and failing
// disks at every write and flush point of new bookings, changes, cancelled changes and
// deletions leave the cash book of before or of after the operation; failures inside the
// transaction leave nothing half done.
#include "konto_absturz.h"

#include "data/module/konto_stand.h"

namespace trevo::data::test {
namespace {

using engine::Value;

const int32_t kHeute = engine::daysFromCivil(2024, 3, 1);

Value tag(int y, int m, int d) { return Value::date(engine::daysFromCivil(y, m, d)); }

// A data folder whose account 1 holds 100 from 1.1.2000 with the bookings 1: +20.00 on
// 1.3.2024 and 2: -5.50 on 2.3.2024; or, without `konto`, a cash book without account
// and bookings.
Dateien kasse(bool konto = true)
{
    engine::MemoryFileSystem mem;
    {
        engine::Database db(mem);
        installDataFolder(db, "/daten/", kHeute);
        auto buchungen = db.table("/daten/KONTO.DBF");
        auto konten = db.table("/daten/KONTOINF.DBF");
        const auto satz = [](engine::DbfTable& t, const std::map<std::string, Value>& werte) {
            engine::Record r(t.fields().size());
            for (const auto& [f, v] : werte) r[static_cast<size_t>(t.fieldIndex(f))] = v;
            t.append(r);
        };
        db.session().atomically([&] {
            konten->zap();
            if (konto)
                satz(*konten, {{"NUMMER", Value::number(1)}, {"KONTONR", Value::number(1)},
                               {"WAEHRUNG", Value::number(1)}, {"STARTSALDO", Value::number(100)},
                               {"DATUM", tag(2000, 1, 1)}, {"KONTOSTAND", Value::number(114.5)}});
            if (!konto) return;
            satz(*buchungen, {{"NUMMER", Value::number(1)}, {"DATUM", tag(2024, 3, 1)},
                              {"BETRAG", Value::number(20)}, {"KONTONR", Value::number(1)}});
            satz(*buchungen, {{"NUMMER", Value::number(2)}, {"DATUM", tag(2024, 3, 2)},
                              {"BETRAG", Value::number(-5.5)}, {"KONTONR", Value::number(1)}});
        });
    }
    return abbild(mem);
}

engine::TableDataSet& buchungen(Programmlauf& l) { return l.modul->d().KontoTable1; }

void zu(engine::TableDataSet& b, int nummer)
{
    if (!b.locate("NUMMER", Value::number(nummer))) throw std::runtime_error("keine Buchung " + std::to_string(nummer));
}

void neu(engine::TableDataSet& b, double betrag)
{
    b.append();
    b.setValue("DATUM", tag(2024, 3, 3));
    b.setValue("BETRAG", Value::number(betrag));
    b.post();
}

void aendern(engine::TableDataSet& b, int nummer, double betrag)
{
    zu(b, nummer);
    b.edit();
    b.setValue("BETRAG", Value::number(betrag));
}

void pruefen(const Dateien& vorher, const Vorgang& vorgang, bool aendertEtwas = true)
{
    Absturzprobe(vorher).pruefen(vorgang, aendertEtwas);
}

TEST(KontoTransaktion, NewBookingsAtEveryPoint)
{
    pruefen(kasse(), [](Programmlauf& l) { neu(buchungen(l), 7.25); });
    // The first booking of a cash book without account creates the account with it.
    pruefen(kasse(false), [](Programmlauf& l) { neu(buchungen(l), 7.25); });
    // The evaluation's cursor books the same way.
    pruefen(kasse(), [](Programmlauf& l) { neu(l.modul->d().KontolookupTable1, 42.5); });
}

TEST(KontoTransaktion, ChangesSavedAndCancelledAtEveryPoint)
{
    pruefen(kasse(), [](Programmlauf& l) {
        aendern(buchungen(l), 2, -7);
        buchungen(l).post();
    });
    // A change cancelled puts back what its beginning took off: the same cash book.
    pruefen(
        kasse(),
        [](Programmlauf& l) {
            aendern(buchungen(l), 2, -9);
            buchungen(l).cancel();
        },
        false);
}

TEST(KontoTransaktion, DeletionsAtEveryPoint)
{
    pruefen(kasse(), [](Programmlauf& l) {
        zu(buchungen(l), 1);
        buchungen(l).deleteRecord();
    });
    pruefen(kasse(), [](Programmlauf& l) {
        aendern(buchungen(l), 1, 99);
        buchungen(l).deleteRecord();
    });
}

// While the window changes a booking, another cursor's booking joins the open transaction:
// nothing of either is durable before the change is saved.
TEST(KontoTransaktion, BookingDuringAnOpenChangeIsDurableWithTheChange)
{
    pruefen(kasse(), [](Programmlauf& l) {
        aendern(buchungen(l), 2, -7);
        neu(l.modul->d().KontolookupTable1, 42.5);
        EXPECT_EQ(l.kontostand(), std::optional(114.5 + 5.5 + 42.5)) << "the change's amount is off, the new one on";
        buchungen(l).post();
    });
}

class KontoImModul : public ModulTest {
protected:
    void SetUp() override
    {
        for (const auto& [pfad, bytes] : kasse()) fs.putFile(pfad, bytes);
        m = std::make_unique<TKeDataForm>(db, tools, optionen, pfade, host);
        ASSERT_TRUE(m->TabellenOeffnen());
    }
    Kassenbuch dateien() { return kassenbuchLesen(fs); }
    double stand()
    {
        auto& k = m->d().KontostandTable;
        EXPECT_TRUE(k.locate("KONTONR", Value::number(1)));
        return k.value("KONTOSTAND").toNumber();
    }
    engine::TableDataSet& b() { return m->d().KontoTable1; }
    std::unique_ptr<TKeDataForm> m;
};

TEST_F(KontoImModul, ABalanceTheAccountCannotHoldRefusesTheBookingWholly)
{
    neu(b(), 999000000);
    ASSERT_EQ(stand(), 999000114.5);
    const Kassenbuch vorher = dateien();

    EXPECT_THROW(neu(b(), 5000000), engine::EngineError);
    EXPECT_EQ(dateien(), vorher);
    EXPECT_EQ(stand(), 999000114.5);
    EXPECT_EQ(b().recordCount(), 3u) << "the refused booking is not shown either";

    // A change refused the same way stays as it was, and the balance with it.
    aendern(b(), 2, 5000000);
    EXPECT_THROW(b().post(), engine::EngineError);
    EXPECT_EQ(dateien(), vorher);
    EXPECT_EQ(stand(), 999000114.5);
    EXPECT_EQ(b().state(), engine::DataSetState::Browse);
    zu(b(), 2);
    EXPECT_EQ(b().value("BETRAG").toNumber(), -5.5);
    EXPECT_TRUE(dateien().stimmt()) << dateien().text();
    EXPECT_FALSE(db.session(kKontoSession).inTransaction());
}

TEST_F(KontoImModul, AChangeWhoseBookingCannotBeStoredStaysOpenWithItsAmountOff)
{
    b().setRequired("DATUM");
    aendern(b(), 2, -7);
    b().setValue("DATUM", Value());
    EXPECT_THROW(b().post(), engine::EngineError);
    EXPECT_EQ(b().state(), engine::DataSetState::Edit);
    EXPECT_EQ(stand(), 120) << "the change keeps its amount off";
    EXPECT_EQ(dateien().kontostand, 114.5) << "and nothing of it is durable";

    b().cancel();
    EXPECT_EQ(stand(), 114.5);
    EXPECT_EQ(dateien().kontostand, 114.5);
    EXPECT_FALSE(db.session(kKontoSession).inTransaction());
}

TEST_F(KontoImModul, RecomputingStoresAPendingChangeFirstAndCountsItOnce)
{
    aendern(b(), 1, 30);
    KontostandAktualisieren(*m, 1);
    EXPECT_EQ(b().state(), engine::DataSetState::Browse);
    EXPECT_EQ(stand(), 124.5);
    EXPECT_EQ(dateien().kontostand, 124.5);
    EXPECT_FALSE(db.session(kKontoSession).inTransaction());

    // An account without a record is made with its balance.
    KontostandAktualisieren(*m, 2);
    auto& k = m->d().KontostandTable;
    ASSERT_TRUE(k.locate("KONTONR", Value::number(2)));
    EXPECT_EQ(k.value("STARTSALDO").toNumber(), 0);
    EXPECT_EQ(k.value("KONTOSTAND").toNumber(), 0);
}

} // namespace
} // namespace trevo::data::test
