// The calendar dialog, the about box, the help window and the start window.
#include "shell_fixture.h"

#include "shell/about_box.h"
#include "shell/calendar_dialog.h"
#include "shell/help_window.h"
#include "shell/start_window.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;

namespace {

// Runs `action` on the modal dialog as soon as it is shown.
void whenShown(QDialog* dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action] {
        ASSERT_TRUE(dialog->isVisible());
        action();
    });
}

} // namespace

TEST(Kalenderform, OkReturnsTheChosenDateAndHidesTheDialog)
{
    ShellFixture f;
    Kalenderform* calendar = f.main->calendar();
    EXPECT_EQ(calendar->windowTitle(), "Datum");
    calendar->Calendar1->setSelectedDate(QDate(2024, 3, 9));
    whenShown(calendar, [calendar] { calendar->OKBtn->click(); });
    EXPECT_EQ(f.main->DatumWaehlen(), "09.03.2024");
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(f.main->calendar(), calendar) << "kept, not freed";
}

TEST(Kalenderform, CancelReturnsEmptyText)
{
    ShellFixture f;
    Kalenderform* calendar = f.main->calendar();
    whenShown(calendar, [calendar] { calendar->CancelBtn->click(); });
    EXPECT_EQ(f.main->DatumWaehlen(), "");
    whenShown(calendar, [calendar] { calendar->reject(); });
    EXPECT_EQ(f.main->DatumWaehlen(), "");
}

TEST(Kalenderform, ActivatingADayClosesWithOk)
{
    ShellFixture f;
    Kalenderform* calendar = f.main->calendar();
    whenShown(calendar, [calendar] {
        calendar->Calendar1->setSelectedDate(QDate(2023, 12, 31));
        emit calendar->Calendar1->activated(QDate(2023, 12, 31));
    });
    EXPECT_EQ(f.main->DatumWaehlen(), "31.12.2023");
}

TEST(AboutForm, ModalWhiteBoxWithOk)
{
    AboutForm about;
    EXPECT_EQ(about.windowTitle(), "Über Trevo");
    EXPECT_EQ(about.size(), QSize(365, 190));
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(about.isModal());
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint);
    whenShown(&about, [&about] { about.OKButton->click(); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST(HelpWindow, TheTopicsOfTheProgramHavePages)
{
    ShellFixture f;
    f.main->menuAction("Hilfe")->trigger();
    HelpWindow* help = f.main->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source().toString(), "qrc:/hilfe/trevo/80001.html");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Trevo im Überblick"));

    f.main->Hilfe("TREVO.HLP", 80150);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Kegelabend"));
    // With a window in front, "Hilfe" opens that window's page.
    f.main->FensterAktivieren(13);
    f.main->menuAction("Hilfe")->trigger();
    EXPECT_EQ(help->browser()->source().toString(), "qrc:/hilfe/trevo/80015.html");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Kegelkasse"));
    f.main->menuAction("Hilfe zum Reportgenerator")->trigger();
    EXPECT_EQ(help->browser()->source().toString(), "qrc:/hilfe/qrduser/90001.html");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Druckformulare"));
}

TEST(HelpWindow, ATopicWithoutPageShowsANotice)
{
    HelpWindow help;
    help.showTopic("TREVO.HLP", 81234);
    EXPECT_TRUE(help.browser()->toPlainText().contains("keine Hilfeseite"));
    EXPECT_EQ(HelpWindow::pagePath("QRDUSER.HLP", 90001), ":/hilfe/qrduser/90001.html");
    EXPECT_EQ(HelpWindow::pagePath(".\\Trevo.hlp", 80001), ":/hilfe/trevo/80001.html");
}

TEST(StartWindow, StepTextAndProgress)
{
    StartWindow start;
    EXPECT_EQ(start.windowTitle(), "Trevo");
    EXPECT_EQ(start.size(), QSize(462, 178));
    EXPECT_TRUE(start.windowFlags() & Qt::WindowStaysOnTopHint);
    start.StartSchritt("Datenbank öffnen");
    start.setProgress(24);
    EXPECT_EQ(start.stepText(), "Datenbank öffnen");
    EXPECT_EQ(start.progress(), 24);
}
