// Window codes, the window history, the merged menus and the status bar of the main window.
#include "shell_fixture.h"

#include "shell/please_wait_window.h"
#include "engine/core/error.h"
#include "common/fenster/window_codes.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;
using trevo::common::Answer;

using Codes = std::vector<int>;

TEST(WindowHistory, ActivatingAWindowCreatesItOnceAndRecordsIt)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    EXPECT_EQ(f.history(), Codes({1, 1})) << "the evening window was not active before";
    f.main->history().reset(1);
    f.main->FensterAktivieren(5);
    EXPECT_EQ(f.activeCode(), 5);
    EXPECT_EQ(f.history(), Codes({1, 5}));
    f.main->FensterAktivieren(5);
    EXPECT_EQ(f.history(), Codes({1, 5})) << "already active: no entry";
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    EXPECT_EQ(f.history(), Codes({1, 5, 1, 5})) << "entries repeat";
    EXPECT_EQ(f.created, 2);
    EXPECT_TRUE(f.probe(5)->parentWidget()->isMaximized());
}

TEST(WindowHistory, GoingBackFromTheOnlyWindowAfterTheEveningWindow)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    f.main->history().reset(1);
    f.main->FensterAktivieren(5);
    f.main->FensterZurueck();
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_EQ(f.history(), Codes({1}));
    EXPECT_TRUE(f.script.texts().isEmpty());
    EXPECT_NE(f.main->Fensterobjekt(5), nullptr) << "the window left stays alive";
}

TEST(WindowHistory, GoingBackWithAShortHistoryAsksToEndAndNoKeepsRunning)
{
    ShellFixture f;
    bool saved = false;
    f.main->setEndHandler([&saved] { saved = true; });
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    f.main->history().reset(1); // window 5 in front while the history holds only [1]
    f.script.answer(Answer::No);
    f.main->FensterZurueck();
    EXPECT_EQ(f.script.texts(), QStringList{"Programm beenden ?"});
    EXPECT_FALSE(f.main->ending());
    EXPECT_FALSE(saved);
    EXPECT_TRUE(f.main->isVisible());
    EXPECT_EQ(f.activeCode(), 1) << "the last entry's window comes to the front";
    EXPECT_EQ(f.history(), Codes({1}));
}

TEST(WindowHistory, AnsweringYesEndsTheProgramAfterSavingTheOptions)
{
    ShellFixture f;
    bool saved = false;
    f.main->setEndHandler([&saved] { saved = true; });
    QSignalSpy ends(f.main.get(), &MainForm1::programEnds);
    f.main->FensterAktivieren(1);
    f.main->history().reset(1);
    f.script.answer(Answer::Yes);
    f.main->FensterZurueck();
    EXPECT_TRUE(f.main->ending());
    EXPECT_TRUE(saved);
    EXPECT_EQ(ends.count(), 1);
    EXPECT_FALSE(f.main->isVisible());
}

TEST(WindowHistory, CodesOutsideTheTableMeanTheEveningWindow)
{
    ShellFixture f;
    f.main->FensterAktivieren(5);
    f.main->FensterAktivieren(77);
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_EQ(f.main->Fensterobjekt(77), f.main->Fensterobjekt(1));
    f.main->FensterAktivieren(5);
    f.main->FensterZurueck();
    EXPECT_EQ(f.activeCode(), 1);
}

TEST(WindowHistory, CodesWithoutWindowDoNothingAndTheirMenuItemsAreDisabled)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    const auto before = f.history();
    f.main->FensterAktivieren(trevo::common::Fenster::Terminplan);
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_EQ(f.history(), before);
    EXPECT_EQ(f.main->workspace()->subWindowList().size(), 1);
    EXPECT_FALSE(f.main->menuAction("Terminplan")->isEnabled());
    EXPECT_FALSE(f.main->menuAction("SQL-Abfrage")->isEnabled());
    EXPECT_FALSE(f.main->menuAction("Druckformulare (Reports) ändern")->isEnabled());
    EXPECT_TRUE(f.main->menuAction("Mitglieder/Gastkegler")->isEnabled());
    EXPECT_TRUE(f.main->menuAction("Optionen")->isEnabled());
}

TEST(WindowHistory, MenuItemsActivateTheirWindows)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    f.main->history().reset(1);
    f.main->menuAction("Kegelkasse")->trigger();
    EXPECT_EQ(f.activeCode(), 13);
    f.main->menuAction("Spiele")->trigger();
    EXPECT_EQ(f.history(), Codes({1, 13, 6}));
}

TEST(WindowHistory, TheFrameCloseBoxGoesBackAndKeepsTheWindow)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    QWidget* frame = f.probe(5)->parentWidget();
    frame->close();
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_EQ(f.main->Fensterobjekt(5)->parentWidget(), frame);
    EXPECT_EQ(f.main->workspace()->subWindowList().size(), 2);
}

TEST(WindowHistory, ActivationRunsTheWindowsActivateHandler)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    f.main->FensterAktivieren(5);
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    EXPECT_EQ(f.probe(5)->activations, 2);
    EXPECT_EQ(f.probe(1)->activations, 2);
}

TEST(MainWindow, CaptionAndTealWorkspace)
{
    ShellFixture f;
    EXPECT_EQ(f.main->windowTitle(), "Trevo 1.14");
    EXPECT_EQ(f.main->workspace()->background().color(), QColor(0, 128, 128));
}

TEST(MainWindow, ChildMenusStandInFrontOfTheThreeMenus)
{
    ShellFixture f;
    auto titles = [&f] {
        QStringList t;
        for (QAction* a : f.main->menuBar()->actions()) t << a->text();
        return t;
    };
    EXPECT_EQ(titles(), QStringList({"E&xtras", "&Fenster", "&Hilfe"}));
    f.main->FensterAktivieren(5);
    EXPECT_EQ(titles(), QStringList({"&Eingabe", "E&xtras", "&Fenster", "&Hilfe"}));
    auto* other = new QMenu("&Bearbeiten", f.probe(5));
    f.probe(5)->setMenus({f.probe(5)->menus().front(), other});
    EXPECT_EQ(titles(), QStringList({"&Eingabe", "&Bearbeiten", "E&xtras", "&Fenster", "&Hilfe"}));
    f.main->FensterAktivieren(1);
    EXPECT_EQ(titles().size(), 4);
    f.probe(5)->setMenus({}); // a window behind changes its menus: the bar stays
    EXPECT_EQ(titles().size(), 4);
}

TEST(MainWindow, StatusPanelsFilterTextAndPleaseWait)
{
    ShellFixture f;
    f.main->FilterAnzeige(true);
    EXPECT_EQ(f.main->statusText(1), "Anzeigebereich eingeschränkt (Filter ein)");
    f.main->FilterAnzeige(false);
    EXPECT_EQ(f.main->statusText(1), "");

    f.main->BitteWarten(0);
    EXPECT_EQ(f.main->statusText(2), "Bitte warten...");
    EXPECT_TRUE(f.main->pleaseWaitWindow()->isVisible());
    EXPECT_EQ(f.main->pleaseWaitWindow()->windowTitle(), "Bitte warten ...");
    f.main->BitteWarten(7); // other values do nothing
    EXPECT_TRUE(f.main->pleaseWaitWindow()->isVisible());
    f.main->BitteWarten(1);
    EXPECT_EQ(f.main->statusText(2), "");
    EXPECT_FALSE(f.main->pleaseWaitWindow()->isVisible());
}

TEST(MainWindow, TheClockShowsDateAndTime)
{
    ShellFixture f;
    const QRegularExpression clock(R"(^\d\d\.\d\d\.\d{4}\s+\d\d:\d\d:\d\d$)");
    EXPECT_TRUE(clock.match(f.main->statusText(3)).hasMatch()) << f.main->statusText(3).toStdString();
    f.main->setStatusText(3, "");
    QTest::qWait(1100);
    EXPECT_TRUE(clock.match(f.main->statusText(3)).hasMatch());
}

TEST(MainWindow, NarrowScreensAreWarnedAbout)
{
    ShellFixture f;
    f.main->adaptToScreen(800);
    EXPECT_TRUE(f.script.texts().isEmpty());
    f.main->adaptToScreen(640);
    EXPECT_EQ(f.script.texts(), QStringList{"Die Bildschirmauflösung sollte bei mindestens 800 x 600 Bildpunkten liegen"});
}

TEST(MainWindow, ClosingTheMainWindowAsksFirst)
{
    ShellFixture f;
    f.script.answer(Answer::No).answer(Answer::Yes);
    EXPECT_FALSE(f.main->close());
    EXPECT_TRUE(f.main->isVisible());
    EXPECT_TRUE(f.main->close());
    EXPECT_EQ(f.script.texts(), QStringList({"Programm beenden ?", "Programm beenden ?"}));
}

TEST(MainWindow, WindowsInAnEditModeAreAskedBeforeTheProgramEnds)
{
    ShellFixture f;
    f.main->FensterAktivieren(1);
    f.main->FensterAktivieren(5);
    f.main->FensterAktivieren(6);
    f.probe(5)->setTag(Eingabemodus::Neu);

    // The window's own question is answered with Cancel: no end question, the program runs on.
    f.probe(5)->allowEnd = false;
    const int activations = f.probe(5)->activations;
    EXPECT_FALSE(f.main->close());
    EXPECT_EQ(f.probe(5)->activations, activations) << "brought to the front without its activation, "
                                                        "which would leave the edit mode";
    EXPECT_EQ(f.probe(5)->endQuestions, 1);
    EXPECT_EQ(f.probe(6)->endQuestions, 0) << "windows in browse mode are not asked";
    EXPECT_EQ(f.activeCode(), 5) << "the window that asks comes to the front";
    EXPECT_TRUE(f.script.texts().isEmpty());
    EXPECT_FALSE(f.main->ending());

    // Settled (stored or dropped): then the program asks "Programm beenden ?".
    f.probe(5)->allowEnd = true;
    f.script.answer(Answer::Yes);
    EXPECT_TRUE(f.main->close());
    EXPECT_EQ(f.probe(5)->endQuestions, 2);
    EXPECT_EQ(f.script.texts(), QStringList{"Programm beenden ?"});
    EXPECT_TRUE(f.main->ending());
}

TEST(MainWindow, AnErrorWhileAWindowSettlesKeepsTheProgramRunning)
{
    ShellFixture f;
    f.main->FensterAktivieren(5);
    f.probe(5)->setTag(Eingabemodus::Aendern);
    f.registry.addWindow(6, [](ShellServices& s) -> ChildWindow* {
        struct Throws : ProbeWindow {
            using ProbeWindow::ProbeWindow;
            bool programmendeErlaubt() override { throw trevo::engine::IoError("Der Datenträger ist voll"); }
        };
        auto* w = new Throws(s, 6);
        w->setTag(Eingabemodus::Neu);
        return w;
    });
    f.main->FensterAktivieren(6);
    EXPECT_FALSE(f.main->close());
    EXPECT_EQ(f.script.texts(), QStringList{"Der Datenträger ist voll"});
    EXPECT_FALSE(f.main->ending());
}
