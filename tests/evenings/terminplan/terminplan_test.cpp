// The schedule: entering appointments with the date correction, the calendar and the
// appointment types, copying, and the period and range filters, checked in TERMPLAN.DBF.
#include "terminplan_fixture.h"

#include "evenings/terminplan/abfrage_dlg_terminsuche.h"
#include "dbcontrols/db_grid.h"
#include "shell/calendar_dialog.h"
#include "shell/stammdaten/abfrage_dlg.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

namespace trevo::evenings::terminplan::test {
namespace {

class TerminplanFenster : public Terminplan {};

TEST_F(TerminplanFenster, EntryCorrectsTheYearAndRefusesAnAppointmentWithoutDate)
{
    EXPECT_EQ(w->windowTitle(), "Terminplan");
    EXPECT_FALSE(w->KalenderBtn1->isVisibleTo(w));
    w->Lotsenbefehl(Lotsencode::Neueingabe);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(QApplication::focusWidget(), w->Datumedit);
    EXPECT_TRUE(w->KalenderBtn1->isVisibleTo(w));

    type(w->Zeitedit, "19:30");
    QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(script.texts().last(), "Die Daten sind nicht vollständig");
    EXPECT_EQ(mode(), Eingabemodus::Neu);

    type(w->Datumedit, "1.5.1925");
    QTest::keyClick(w->Datumedit, Qt::Key_Return);
    EXPECT_EQ(w->Datumedit->text(), "01.05.2025");
    save();
    EXPECT_EQ(stored(1, "TERMIN"), "01.05.2025");
    EXPECT_EQ(stored(1, "ZEIT"), "19:30");
    EXPECT_EQ(stored(1, "TERMINNUM"), std::to_string(engine::daysFromCivil(2025, 5, 1)));
    EXPECT_EQ(mode(), Eingabemodus::Neu) << "the next appointment is open";
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(fileRecords(), 1u);
}

TEST_F(TerminplanFenster, NewWhileAnAppointmentWithoutDateIsEnteredStoresItWithDayNumberZero)
{
    w->Neueingabe1->trigger();
    type(w->Zeitedit, "20:00");
    w->Neueingabe2->trigger();
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(fileRecords(), 1u);
    EXPECT_EQ(stored(1, "TERMIN"), "");
    EXPECT_EQ(stored(1, "TERMINNUM"), "0");
    w->CancelBtnClick();
}

// Each column is wide enough for what it shows: the whole date, a long description.
TEST_F(TerminplanFenster, GridShowsTheWholeDateAndDescription)
{
    const std::string text = "Jahreshauptversammlung im Vereinsheim am Marktplatz";
    termin(3, "19:30", text.substr(0, 50));
    t().refresh();
    controls::DBGrid& g = *w->DBGrid1;
    ASSERT_EQ(g.model().columnCount(), 4);
    const auto passt = [&](int spalte) {
        EXPECT_FALSE(g.model().data(g.model().index(0, spalte), Qt::DisplayRole).toString().isEmpty());
        return g.columnWidth(spalte) >= static_cast<QAbstractItemView&>(g).sizeHintForColumn(spalte) &&
               g.columnWidth(spalte) >= g.horizontalHeader()->sectionSizeHint(spalte);
    };
    EXPECT_TRUE(passt(1)) << "the date";
    EXPECT_TRUE(passt(2)) << "the time";
    EXPECT_TRUE(passt(3)) << "the description";
}

TEST_F(TerminplanFenster, CalendarPutsTheChosenDateIn)
{
    w->Neueingabe1->trigger();
    QTimer::singleShot(0, [] {
        auto* kalender = qobject_cast<shell::Kalenderform*>(QApplication::activeModalWidget());
        ASSERT_NE(kalender, nullptr);
        kalender->Calendar1->setSelectedDate(QDate(2026, 7, 4));
        kalender->OKBtn->click();
    });
    QTest::mouseClick(w->KalenderBtn1, Qt::LeftButton);
    EXPECT_EQ(t().text("TERMIN"), "04.07.2026");
    // The main window's focus; the application's comes back to it with the window manager.
    EXPECT_EQ(main->focusWidget(), w->Datumedit);
    save();
    EXPECT_EQ(stored(1, "TERMIN"), "04.07.2026");
    w->CancelBtnClick();
}

class PlanMitArten : public Terminplan {
protected:
    void club() override
    {
        kegelabend = art("Kegelabend");
        ausflug = art("Ausflug");
        erster = termin(-400, "19:00", "Kegelabend", "Bahn 2");
    }
    int kegelabend = 0, ausflug = 0, erster = 0;
};

TEST_F(PlanMitArten, ChosenTypeIsCopiedAndStaysWhenTheTypeIsRenamed)
{
    w->Neueingabe1->trigger();
    type(w->Datumedit, "24.12.2025");
    ASSERT_EQ(w->Beschreibungedit->listCount(), 3u) << "the empty choice and two types";
    w->Beschreibungedit->choose(1); // in the order of the descriptions: Ausflug first
    EXPECT_EQ(t().text("BESCHREIBU"), "Ausflug");
    save();
    w->CancelBtnClick();
    EXPECT_EQ(stored(2, "BESCHREIBU"), "Ausflug");

    engine::TableDataSet& arten = *verein.tabelle("TermintypTable1");
    ASSERT_TRUE(arten.locate("NUMMER", Value::number(ausflug)));
    arten.edit();
    arten.setValue("BESCHREIBU", Value::text("Vereinsausflug"));
    arten.post();
    EXPECT_EQ(stored(2, "BESCHREIBU"), "Ausflug");
    gotoNumber(2);
    EXPECT_EQ(w->Beschreibungedit->currentText(), "Ausflug") << "shown as stored";
}

TEST_F(PlanMitArten, CopyAndChangeTakesEveryValueButTheNumberAndAbbruchDropsIt)
{
    gotoNumber(erster);
    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(t().text("NUMMER"), "2");
    EXPECT_EQ(t().value("TERMIN").date(), tagVonHeute(-400));
    EXPECT_EQ(t().text("ZEIT"), "19:00");
    EXPECT_EQ(t().text("BESCHREIBU"), "Kegelabend");
    EXPECT_EQ(t().text("BEMERKUNGE"), "Bahn 2");
    EXPECT_EQ(t().text("STATUS"), "2");
    EXPECT_EQ(QApplication::focusWidget(), w->Datumedit);
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(fileRecords(), 1u);

    w->Kopierenundndern1->trigger();
    w->Zeitedit->setFocus();
    w->Zeitedit->selectAll();
    QTest::keyClicks(w->Zeitedit, "20:00");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(stored(2, "ZEIT"), "20:00");
    EXPECT_EQ(stored(2, "BEMERKUNGE"), "Bahn 2");
    EXPECT_EQ(stored(erster, "ZEIT"), "19:00");
}

class PlanMitDrucker : public Terminplan {
protected:
    void club() override { verein.drucken = true; }
};

TEST_F(PlanMitDrucker, EmptyScheduleDisablesWhatNeedsRecordsAndTheListPrintsFromTheGuide)
{
    EXPECT_FALSE(w->Suchen1->menuAction()->isEnabled());
    EXPECT_FALSE(w->ndern1->isEnabled());
    EXPECT_TRUE(w->BereichToolButton->toolTip().isEmpty());
    termin(3);
    w->MenueFreigebenTabelle();
    EXPECT_TRUE(w->Suchen1->menuAction()->isEnabled());

    w->Lotsenbefehl(Lotsencode::Liste);
    ASSERT_EQ(verein.gedruckt.size(), 1u);
    EXPECT_EQ(verein.gedruckt[0], "Terminplanlistfilename|TERMPLAN.QR2|" + verein.pfad("TERMPLAN.DBF"));
}

class PlanZeitraum : public Terminplan {
protected:
    void club() override
    {
        letztesJahr = termin(-365);
        heute = termin(0);
        morgen = termin(1);
        ohneDatum = termin(std::nullopt);
    }
    void zeitraum(const QString& tage)
    {
        modal.then([tage](QDialog& d) {
            auto& dlg = dynamic_cast<TAbfrageDlgTerminsuche&>(d);
            EXPECT_EQ(dlg.windowTitle(), "Termine suchen");
            EXPECT_FALSE(dlg.ToEdit->isVisible());
            QTest::keyClicks(dlg.FromEdit, tage);
            dlg.OKBtn->click();
        });
        w->Zeitraum1->trigger();
    }
    ModalSkript modal;
    int letztesJahr = 0, heute = 0, morgen = 0, ohneDatum = 0;
};

TEST_F(PlanZeitraum, KeepsEverythingUpToNDaysFromTodayAlsoThePast)
{
    ASSERT_EQ(w->Suchen1->actions().size(), 2);
    EXPECT_EQ(w->Suchen1->actions()[0]->text(), "&Zeitraum");
    EXPECT_EQ(w->Suchen1->actions()[1]->text(), "Beliebiges Feld");

    zeitraum("0");
    EXPECT_EQ(numbersShown(), std::vector<int>({letztesJahr, heute, ohneDatum}));
    EXPECT_FALSE(zurueckSichtbar()) << "the period is no range";
    zeitraum("1");
    EXPECT_EQ(numbersShown(), std::vector<int>({letztesJahr, heute, morgen, ohneDatum}));

    zeitraum("0");
    zeitraum("zwei");
    EXPECT_TRUE(script.texts().last().contains("zwei"));
    EXPECT_EQ(numbersShown(), std::vector<int>({letztesJahr, heute, ohneDatum})) << "the filter stays";
    EXPECT_TRUE(modal.problems().isEmpty()) << modal.problems().join(" | ").toStdString();
}

TEST_F(PlanZeitraum, RangeShowsItsRemoveButtonAndKomplettEndsThePeriod)
{
    zeitraum("0");
    modal.then([](QDialog& d) {
        auto& dlg = dynamic_cast<shell::stammdaten::TAbfrageDlgEinFeld&>(d);
        dlg.KomplettCheckBox->setChecked(true);
        dlg.OKBtn->click();
    });
    w->Lotsenbefehl(Lotsencode::Bereich);
    EXPECT_FALSE(t().filtered());
    EXPECT_EQ(numbersShown().size(), 4u);
    EXPECT_FALSE(zurueckSichtbar());

    modal.then([](QDialog& d) {
        auto& dlg = dynamic_cast<shell::stammdaten::TAbfrageDlgEinFeld&>(d);
        dlg.FieldListBox1->setCurrentRow(0); // NUMMER
        dlg.BedingungListBox1->setCurrentRow(1); // größer als
        QTest::keyClicks(dlg.FromEdit, "2");
        dlg.OKBtn->click();
    });
    QTest::mouseClick(w->BereichToolButton, Qt::LeftButton);
    EXPECT_TRUE(t().filtered());
    EXPECT_EQ(numbersShown(), std::vector<int>({morgen, ohneDatum}));
    EXPECT_TRUE(zurueckSichtbar());

    gotoNumber(ohneDatum);
    QTest::mouseClick(w->BereichzurueckToolButton, Qt::LeftButton);
    EXPECT_FALSE(t().filtered());
    EXPECT_EQ(numbersShown().size(), 4u);
    EXPECT_EQ(t().text("NUMMER"), std::to_string(letztesJahr)) << "back at the first";
    EXPECT_FALSE(zurueckSichtbar());
    EXPECT_TRUE(modal.problems().isEmpty()) << modal.problems().join(" | ").toStdString();
}

} // namespace
} // namespace trevo::evenings::terminplan::test
