// The balance of the cash book through the window: bookings typed, changed, cancelled and
// deleted move KONTOSTAND in KONTOINF.DBF by the running rules, and "Kontostand
// aktualisieren" gives the same value from the opening balance.
#include "konto_fixture.h"

namespace trevo::cashbook::test {
namespace {

class NeueKasse : public Kasse {
protected:
    void club() override { verein.leeren("KONTOINF.DBF"); }
};

TEST_F(NeueKasse, FirstBookingsCreateTheAccountAndKeepTheBalanceBothWays)
{
    ASSERT_EQ(accountRecords(), 0u);
    w->Neueingabe1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(QApplication::focusWidget(), w->DatumDBEdit2);
    enter("01.03.2024", "20,00");
    save();
    // The next booking is open at once, on account 1, with the focus in the date.
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(t().text("KONTONR"), "1");
    EXPECT_EQ(QApplication::focusWidget(), w->DatumDBEdit2);
    EXPECT_EQ(accountRecords(), 1u);
    EXPECT_EQ(konto("STARTSALDO")->toNumber(), 0);
    EXPECT_EQ(konto("DATUM")->date(), engine::daysFromCivil(1990, 1, 1));
    EXPECT_DOUBLE_EQ(kontostand(), 20.00);

    enter("02.03.2024", "-5,50");
    save();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton); // the third, empty one is dropped
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(bookings(), 2u);
    EXPECT_EQ(stored(2, "BETRAG"), "-5,50");
    EXPECT_EQ(stored(2, "KONTONR"), "1");
    EXPECT_DOUBLE_EQ(kontostand(), 14.50);
    EXPECT_EQ(w->KontostandDBEdit6->text(), "14,50");

    // Recomputed from the opening balance after the stored value went wrong.
    engine::TableDataSet& k = *verein.tabelle("KontostandTable");
    ASSERT_TRUE(k.locate("KONTONR", Value::number(1)));
    k.edit();
    k.setValue("KONTOSTAND", Value::number(999));
    k.post();
    ASSERT_DOUBLE_EQ(kontostand(), 999);
    gotoNumber(1);
    w->Kontostandaktualisieren1->trigger();
    EXPECT_DOUBLE_EQ(kontostand(), 14.50);
    EXPECT_EQ(t().text("NUMMER"), "1") << "the position stays";
    EXPECT_EQ(w->KontostandDBEdit6->text(), "14,50");
}

TEST_F(NeueKasse, ChangeOnAnEmptyCashBookOpensANewBooking)
{
    w->ToolButton11->click();
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(t().text("KONTONR"), "1");
    enter("05.03.2024", "12,25");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern) << "a change ends with its one booking";
    EXPECT_EQ(bookings(), 1u);
    EXPECT_DOUBLE_EQ(kontostand(), 12.25);
}

TEST_F(NeueKasse, RecomputingAnEmptyCashBookMakesAccountOne)
{
    w->Kontostandaktualisieren1->trigger();
    EXPECT_EQ(accountRecords(), 1u);
    EXPECT_DOUBLE_EQ(kontostand(), 0);
}

// Account 1 from 1.1.2000 with an opening balance of 100 and the bookings +20.00 and -5.50.
class Buchungen : public Kasse {
protected:
    void club() override
    {
        plus = buchung(2024, 3, 1, 20.00);
        minus = buchung(2024, 3, 2, -5.50);
        verein.leeren("KONTOINF.DBF");
        verein.satz("KONTOINF.DBF", {{"KONTONR", Value::number(1)},
                                     {"WAEHRUNG", Value::number(1)},
                                     {"STARTSALDO", Value::number(100)},
                                     {"DATUM", Value::date(engine::daysFromCivil(2000, 1, 1))},
                                     {"KONTOSTAND", Value::number(114.50)}});
    }
    void change(int nummer, const QString& betrag)
    {
        gotoNumber(nummer);
        w->ndern1->trigger();
        ASSERT_EQ(mode(), Eingabemodus::Aendern);
        w->BetragDBEdit3->setFocus();
        w->BetragDBEdit3->selectAll();
        QTest::keyClicks(w->BetragDBEdit3, betrag);
        QTest::keyClick(w->BetragDBEdit3, Qt::Key_Return);
    }
    int plus = 0, minus = 0;
};

TEST_F(Buchungen, ChangingAnAmountMovesTheBalanceByTheDifferenceOnlyWhenSaved)
{
    change(minus, "-7,00");
    // The window shows the balance without the amount being changed; the files keep the
    // old balance until the change is saved, together with the booking.
    EXPECT_EQ(w->KontostandDBEdit6->text(), "120,00");
    EXPECT_DOUBLE_EQ(kontostand(), 114.50);
    EXPECT_EQ(stored(minus, "BETRAG"), "-5,50");
    save(Answer::Yes);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(stored(minus, "BETRAG"), "-7,00");
    EXPECT_DOUBLE_EQ(kontostand(), 113.00);

    change(minus, "-9,00");
    save(Answer::No);
    EXPECT_EQ(stored(minus, "BETRAG"), "-7,00");
    EXPECT_DOUBLE_EQ(kontostand(), 113.00);

    change(minus, "-9,00");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(kontostand(), 113.00);

    // A change left without typing is dropped by the next move: the balance is whole again.
    gotoNumber(plus);
    w->ndern1->trigger();
    gotoNumber(minus);
    EXPECT_DOUBLE_EQ(kontostand(), 113.00);
    w->CancelBtnClick();

    w->Kontostandaktualisieren1->trigger();
    EXPECT_DOUBLE_EQ(kontostand(), 113.00);
}

TEST_F(Buchungen, RecomputingWhileABookingIsInChangeCountsItOnce)
{
    change(plus, "30,00");
    // The entry menu has no such item; the window's command stores the change first.
    w->Kontostandaktualisieren1Click();
    EXPECT_EQ(stored(plus, "BETRAG"), "30,00");
    EXPECT_DOUBLE_EQ(kontostand(), 124.50);
    w->CancelBtnClick();
    EXPECT_DOUBLE_EQ(kontostand(), 124.50);
}

TEST_F(Buchungen, DeletingABookingTakesItsAmountOff)
{
    gotoNumber(plus);
    script.answer(Answer::No);
    w->Lschen2->trigger();
    EXPECT_EQ(bookings(), 2u);
    EXPECT_DOUBLE_EQ(kontostand(), 114.50);

    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts().last(), "Datensatz löschen ?");
    EXPECT_EQ(bookings(), 1u);
    EXPECT_EQ(stored(plus, "BETRAG"), "<fehlt>");
    EXPECT_DOUBLE_EQ(kontostand(), 94.50);
    w->Kontostandaktualisieren1->trigger();
    EXPECT_DOUBLE_EQ(kontostand(), 94.50);
}

TEST_F(Buchungen, ABookingBeforeTheStartDateCountsOnlyInTheRunningBalance)
{
    w->Neueingabe1->trigger();
    enter("31.12.1999", "10,00");
    save();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(kontostand(), 124.50);
    w->Kontostandaktualisieren1->trigger();
    EXPECT_DOUBLE_EQ(kontostand(), 114.50);
}

} // namespace
} // namespace trevo::cashbook::test
