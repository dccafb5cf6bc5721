// Every window of the shell paints itself: each picture has the window's size and shows
// more than a blank area. With TREVO_SCREENSHOT_DIR naming a folder the pictures are kept
// there for a look at them (under Xvfb they show the real screen).
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
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;

namespace {

// Number of distinct colours on a grid of sample points (a blank window has one or two).
int sampledColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

void snap(const QString& dir, const QString& name, QWidget* widget)
{
    QTest::qWait(dir.isEmpty() ? 20 : 300);
    QPixmap picture;
    if (QGuiApplication::platformName() == "xcb")
        picture = QGuiApplication::primaryScreen()->grabWindow(0);
    else
        picture = widget->grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    if (QGuiApplication::platformName() != "xcb") EXPECT_EQ(picture.size(), widget->size()) << name.toStdString();
    EXPECT_GT(sampledColours(picture.toImage()), 3) << name.toStdString() << " shows nothing";
    if (!dir.isEmpty()) EXPECT_TRUE(picture.save(dir + "/" + name + ".png")) << name.toStdString();
}

} // namespace

TEST(Screenshots, TheWindowsOfTheShell)
{
    const QString dir = QString::fromLocal8Bit(qgetenv("TREVO_SCREENSHOT_DIR"));
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
