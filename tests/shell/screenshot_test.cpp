// Pictures of the windows for a look at them: runs only when TREVO_SCREENSHOT_DIR names a
// folder (under Xvfb, so that the pictures show the real screen).
#include "common/fenster/window_codes.h"
#include "shell_fixture.h"

#include "shell/about_box.h"
#include "shell/calendar_dialog.h"
#include "dbcontrols/folder_dialog.h"
#include "shell/guide_window.h"
#include "shell/help_window.h"
#include "shell/program_paths.h"
#include "shell/start_window.h"
#include "shell/startup.h"
#include "shell/registrierung.h"
#include "shell/wiring/programm.h"

#include "data/store/demo_club.h"
#include "data/store/installation.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;

namespace {

void snap(const QString& dir, const QString& name, QWidget* widget)
{
    QTest::qWait(300);
    QPixmap picture;
    if (QGuiApplication::platformName() == "xcb")
        picture = QGuiApplication::primaryScreen()->grabWindow(0);
    else
        picture = widget->grab();
    EXPECT_TRUE(picture.save(dir + "/" + name + ".png")) << name.toStdString();
}

} // namespace

TEST(Screenshots, TheWindowsOfTheShell)
{
    const QString dir = QString::fromLocal8Bit(qgetenv("TREVO_SCREENSHOT_DIR"));
    if (dir.isEmpty()) GTEST_SKIP() << "TREVO_SCREENSHOT_DIR is not set";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ShellFixture f({});
    QTemporaryDir program;
    ProgramPaths paths = ProgramPaths::of(program.path());
    {
        trevo::engine::Database db;
        trevo::data::installProgramFolder(db, paths.programFolder.toStdString());
        trevo::data::createDemoClub(db, paths.programFolder.toStdString(), {});
    }
    Programm programm(*f.main, paths);
    registrieren(f.registry, programm, paths, &programm);
    Startup startup(*f.main, paths, programm, &programm, f.registry);
    programm.setStartup(&startup);

    StartWindow start;
    start.StartSchritt("Datenbank öffnen");
    start.setProgress(24);
    start.show();
    snap(dir, "startfenster", &start);
    start.hide();

    ASSERT_TRUE(startup.run(QGuiApplication::primaryScreen()->geometry().width()));
    programm.setStartup(nullptr);
    f.main->FilterAnzeige(true);
    snap(dir, "hauptfenster", f.main.get());

    f.main->FensterAktivieren(trevo::common::Fenster::Optionen);
    snap(dir, "optionen", f.main.get());

    AboutForm about(f.main.get());
    about.show();
    snap(dir, "ueber", &about);
    about.hide();

    Kalenderform* calendar = f.main->calendar();
    calendar->show();
    snap(dir, "kalender", calendar);
    calendar->hide();

    trevo::controls::FolderDialog folder(f.main.get());
    folder.preset(paths.programFolder);
    folder.show();
    snap(dir, "ordnerdialog", &folder);
    folder.hide();

    f.main->Hilfe("TREVO.HLP", 80001);
    snap(dir, "hilfe", f.main->helpWindow());
    f.main->helpWindow()->hide();

    f.main->FensterZurueck();
    f.main->guide()->setFloating(true);
    f.main->guide()->move(60, 120);
    snap(dir, "lotse_frei", f.main.get());
}
