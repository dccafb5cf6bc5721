// The cash book window beside its balance: copying an evening booking, the date
// correction, the menus, sorting and quick search by date, printing and the guide.
#include "konto_fixture.h"

#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/sort_form.h"

#include <QHeaderView>
#include <QRadioButton>

namespace trevo::cashbook::test {
namespace {

class Abende : public Kasse {
protected:
    void club() override
    {
        verein.drucken = true;
        abend = buchung(2024, 3, 1, 42.50, {{"TYP", Value::number(1)}, {"BESCHREIBU", Value::text("Kegeln am 01.03.2024")}});
        spende = buchung(2023, 12, 24, 10.00);
        verein.leeren("KONTOINF.DBF");
        verein.satz("KONTOINF.DBF", {{"KONTONR", Value::number(1)},
                                     {"WAEHRUNG", Value::number(1)},
                                     {"STARTSALDO", Value::number(0)},
                                     {"DATUM", Value::date(engine::daysFromCivil(1990, 1, 1))},
                                     {"KONTOSTAND", Value::number(52.50)}});
    }
    int abend = 0, spende = 0;
};

TEST_F(Abende, CopyOfAnEveningBookingKeepsTypeAndRemark)
{
    gotoNumber(abend);
    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(t().text("NUMMER"), "3");
    EXPECT_EQ(QApplication::focusWidget(), w->DatumDBEdit2);
    type(w->DatumDBEdit2, "");
    w->DatumDBEdit2->selectAll();
    QTest::keyClicks(w->DatumDBEdit2, "08.03.2024");
    QTest::keyClick(w->DatumDBEdit2, Qt::Key_Return);
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(stored(3, "TYP"), "1");
    EXPECT_EQ(stored(3, "BESCHREIBU"), "Kegeln am 01.03.2024");
    EXPECT_EQ(stored(3, "BETRAG"), "42,50");
    EXPECT_EQ(stored(3, "DATUM"), "08.03.2024");
    EXPECT_EQ(stored(3, "KONTONR"), "1");
    EXPECT_EQ(stored(abend, "DATUM"), "01.03.2024") << "the source stays";
    EXPECT_DOUBLE_EQ(kontostand(), 95.00);
}

TEST_F(Abende, BookingDateBefore1930GainsACentury)
{
    w->Neueingabe1->trigger();
    enter("5.6.1925", "1,00");
    EXPECT_EQ(w->DatumDBEdit2->text(), "05.06.2025");
    save();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(stored(3, "DATUM"), "05.06.2025");
}

TEST_F(Abende, MenusAndTheModeKeptOnActivation)
{
    EXPECT_EQ(w->windowTitle(), "Konto");
    EXPECT_EQ(w->Schnellsuchlabel->text(), " Nummer suchen  ");
    const QList<QAction*> eingabe = w->Eingabe1->actions();
    ASSERT_EQ(eingabe.size(), 5);
    EXPECT_TRUE(eingabe[3]->isSeparator());
    EXPECT_EQ(eingabe[4]->text(), "Kontostand &aktualisieren");
    EXPECT_EQ(w->EingabeMenu.size(), 1);

    w->Neueingabe1->trigger();
    main->FensterAktivieren(common::Fenster::Termine);
    main->FensterAktivieren(common::Fenster::Kegelkasse);
    QApplication::processEvents();
    EXPECT_EQ(mode(), Eingabemodus::Neu) << "activation keeps the mode";
    EXPECT_TRUE(w->DatumDBEdit2->isEnabled());
    EXPECT_FALSE(w->KontostandDBEdit6->isEnabled()) << "a display, grey in every mode";
    w->CancelBtnClick();
}

TEST_F(Abende, GridShowsTheWholeBookingDateUnderItsWholeTitle)
{
    controls::DBGrid& g = *w->DBGrid1;
    EXPECT_EQ(g.model().data(g.model().index(0, 1), Qt::DisplayRole).toString(), "01.03.2024");
    EXPECT_EQ(g.model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Buchungsdatum");
    EXPECT_GE(g.columnWidth(1), static_cast<QAbstractItemView&>(g).sizeHintForColumn(1));
    EXPECT_GE(g.columnWidth(1), g.horizontalHeader()->sectionSizeHint(1));
}

TEST_F(Abende, SortsByDateAndFindsByDate)
{
    shell::stammdaten::ModalSkript modal;
    QStringList items;
    modal.then([&](QDialog& d) {
        auto& sort = static_cast<shell::stammdaten::TSortForm&>(d);
        items = sort.items();
        sort.findChild<QRadioButton*>("RadioItem1")->click();
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    w->Lotsenbefehl(Lotsencode::Sortieren);
    EXPECT_EQ(items, QStringList({"Nummer", "Datum"}));
    EXPECT_EQ(t().indexName(), "DATUM");
    t().first();
    EXPECT_EQ(t().text("NUMMER"), std::to_string(spende)) << "the earlier booking first";

    w->SchnellsuchEdit1->setText("01.01.2024");
    EXPECT_EQ(t().text("NUMMER"), std::to_string(abend));
    w->SchnellsuchEdit1->clear();
    EXPECT_EQ(t().text("NUMMER"), std::to_string(spende));
    EXPECT_TRUE(modal.problems().isEmpty());
}

TEST_F(Abende, PrintsItsListFromTheGuide)
{
    w->Lotsenbefehl(Lotsencode::Liste);
    ASSERT_EQ(verein.gedruckt.size(), 1u);
    EXPECT_EQ(verein.gedruckt[0], "Kontolistfilename|KEGELKASSE.QR2|" + verein.pfad("KONTO.DBF"));

    w->Lotsenbefehl(Lotsencode::Neueingabe);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    w->Lotsenbefehl(Lotsencode::Aendern); // ignored while entering
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    w->CancelBtnClick();
}

} // namespace
} // namespace trevo::cashbook::test
