// The header of the detail page: the price list with its date and currency, the games title,
// the calendar, the today button and the year correction of the date field.
#include "abend_fixture.h"

#include "dbcontrols/fixed_columns_view.h"
#include "shell/calendar_dialog.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace trevo::evenings::test {

// A second price list in Swiss francs with one item.
class ZweiPreislisten : public Abend {
protected:
    void club() override
    {
        Abend::club();
        franken = verein.satz("WAEHRUNGEN.DBF", {{"NAME", Value::text("Schweizer Franken")},
                                                 {"KUERZEL", Value::text("CHF")},
                                                 {"FAKTOR", Value::number(1.1)}});
        liste2 = verein.satz("SONSTYP0.DBF", {{"DATUM", Value::date(engine::daysFromCivil(2023, 6, 1))},
                                              {"WAEHRUNG", Value::number(franken)}});
        verein.satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text("Kranz")}, {"EINZELPREI", Value::number(2)},
                                     {"PREISLISTE", Value::number(liste2)}, {"GUELTIG", Value::number(1)}});
    }

    void preisliste(int nummer)
    {
        aktiv();
        w->Preislistenedit->setFocus();
        for (size_t r = 0; r < w->Preislistenedit->listCount(); ++r)
            if (w->Preislistenedit->itemText(static_cast<int>(r)).toInt() == nummer)
                w->Preislistenedit->choose(static_cast<int>(r));
        w->Abschnittedit->setFocus(); // leaving the field locates the list
        QApplication::processEvents();
    }

    int franken = 0, liste2 = 0;
};

// A new evening shows the price list of the options with its date and currency at once;
// choosing another list changes all three, the title of the games and the items listed.
TEST_F(ZweiPreislisten, PreislisteMitDatumUndWaehrung)
{
    neuerAbend();
    EXPECT_EQ(w->termine().text("PREISLISTE"), "1");
    EXPECT_EQ(w->WaehrungEdit1->text(), QStringLiteral("EUR"));
    EXPECT_EQ(w->SpieleLabel2->text(), QStringLiteral("Spiele (Angaben in EUR)"));
    EXPECT_EQ(w->PreislistendatumEdit1->text(), QStringLiteral("01.03.2024"));

    preisliste(liste2);
    EXPECT_EQ(w->WaehrungEdit1->text(), QStringLiteral("CHF"));
    EXPECT_EQ(w->SpieleLabel2->text(), QStringLiteral("Spiele (Angaben in CHF)"));
    EXPECT_EQ(w->PreislistendatumEdit1->text(), QStringLiteral("01.06.2023"));
    EXPECT_EQ(w->SonstigeGrid1->cell(1, 3), QStringLiteral("Kranz"));
    // The next new evening takes this list, and the price lists are entered in its currency.
    EXPECT_EQ(verein.programmoptionen()->aktuellePreisliste, liste2);
    EXPECT_EQ(verein.programmoptionen()->gespeichert.eingabewaehrung, franken);
    beenden(true);
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "PREISLISTE"), std::to_string(liste2));

    // Changing the stored evening shows its currency again.
    w->ndern1Click();
    EXPECT_EQ(w->WaehrungEdit1->text(), QStringLiteral("CHF"));
    EXPECT_EQ(w->SpieleLabel2->text(), QStringLiteral("Spiele (Angaben in CHF)"));
    w->CancelBtnClick();
}

// A number without a price list is refused with its message and the focus stays.
TEST_F(Abend, UnbekanntePreisliste)
{
    neuerAbend();
    aktiv();
    w->termine().setValue("PREISLISTE", Value::number(77));
    w->Preislistenedit->setFocus();
    QApplication::processEvents();
    w->Abschnittedit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(script.texts(), QStringList{QStringLiteral("Preisliste mit der Nummer 77 wurde nicht gefunden")});
    EXPECT_EQ(QApplication::focusWidget(), w->Preislistenedit);
    EXPECT_TRUE(w->WaehrungEdit1->text().isEmpty());
    w->CancelBtnClick();
}

// The date chosen in the calendar lands in the date field and is stored; a calendar closed
// without OK changes nothing; the today button writes the day the window was made.
TEST_F(Abend, KalenderUndHeute)
{
    neuerAbend(QStringLiteral("01.02.2024"));
    auto waehlen = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* kalender = qobject_cast<shell::Kalenderform*>(QApplication::activeModalWidget());
            ASSERT_NE(kalender, nullptr);
            kalender->Calendar1->setSelectedDate(QDate(2024, 7, 4));
            (ok ? kalender->OKBtn : kalender->CancelBtn)->click();
        });
        return true;
    };
    waehlen(false);
    QTest::mouseClick(w->KalenderBtn1, Qt::LeftButton);
    EXPECT_EQ(w->termine().text("DATUM"), "01.02.2024");
    waehlen(true);
    QTest::mouseClick(w->KalenderBtn1, Qt::LeftButton);
    EXPECT_EQ(w->termine().text("DATUM"), "04.07.2024");
    EXPECT_EQ(w->DatumDBEdit->text(), QStringLiteral("04.07.2024"));
    EXPECT_EQ(main->focusWidget(), w->DatumDBEdit);
    beenden(true);
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "DATUM"), "04.07.2024");

    w->ndern1Click();
    const QString heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(w->DateButton1->text(), heute);
    QTest::mouseClick(w->DateButton1, Qt::LeftButton);
    EXPECT_EQ(w->DatumDBEdit->text(), heute);
    w->CancelBtnClick();
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "DATUM"), "04.07.2024");
}

// A year below 1930 is moved a century forward when the field is left; 1930 stays.
TEST_F(Abend, JahrKorrektur)
{
    neuerAbend(QStringLiteral("15.03.29"));
    EXPECT_EQ(w->termine().text("DATUM"), "15.03.2029");
    aktiv();
    w->DatumDBEdit->setFocus();
    w->DatumDBEdit->selectAll();
    tippen(QStringLiteral("15.03.1930"));
    taste(Qt::Key_Return);
    EXPECT_EQ(w->termine().text("DATUM"), "15.03.1930");
    w->CancelBtnClick();
}

} // namespace trevo::evenings::test

namespace trevo::evenings::test {

// A club of eight bowlers: more participant columns than the grids show.
class AchtKegler : public Abend {
protected:
    void club() override
    {
        Abend::club();
        for (const char* name : {"Vogel", "Wagner", "Lang", "Krause", "Berg"}) verein.bowler({name});
    }
};

// While the grids scroll sideways to the last participants, the game positions and the item
// names stay at the left edge, in the rows of their amounts.
TEST_F(AchtKegler, KopfspaltenBleibenSichtbar)
{
    neuerAbend();
    for (int k = 1; k <= 8; ++k) teilnehmer(k, k > 1);
    ASSERT_EQ(w->SonstigeGrid1->colCount(), 10);
    for (Eingabegitter* g : {w->SpieleGrid1, w->SonstigeGrid1}) {
        aktiv();
        g->setFocus();
        g->setCurrent(g->colCount() - 1, 3);
        QApplication::processEvents();
        ASSERT_GT(g->horizontalScrollBar()->value(), 0) << "the grid shows every column";
        QTableView* fest = g->fixedColumnsView();
        ASSERT_TRUE(fest->isVisible());
        EXPECT_EQ(fest->x(), g->frameWidth());
        const int spalte = g->ersteSpalte() - 1; // the names of the items, the positions of the games
        const QRect zelle = g->visualRect(g->model()->index(3, g->colCount() - 1));
        const QModelIndex links = fest->indexAt(QPoint(fest->columnViewportPosition(spalte) + 2, zelle.center().y()));
        EXPECT_EQ(links.row(), 3);
        EXPECT_EQ(links.data().toString(), g->cell(spalte, 3));
        EXPECT_FALSE(g->cell(spalte, 3).isEmpty());
        // Back at the first participant nothing covers the grid.
        g->setCurrent(g->ersteSpalte(), 3);
        QApplication::processEvents();
        EXPECT_FALSE(fest->isVisible());
    }
    w->CancelBtnClick();
}

} // namespace trevo::evenings::test
