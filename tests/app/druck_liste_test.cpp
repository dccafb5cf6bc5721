// The members window's "Liste" prints through the program's print facility, assembled as
// the program assembles it: the report file of the option, found in the data folder,
// over the members' table.
#include "app/zusammensetzung.h"
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/store/demo_club.h"
#include "reports/druck/druckfunktion.h"
#include "reports/format/layout_writer.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/program_paths.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trevo;

namespace {

reports::Layout memberList()
{
    reports::Layout l;
    l.sources.push_back({"KEGLER", "KEGLER.DBF", "", "NUMMER"});
    reports::Band& detail = l.addBand(reports::BandKind::Detail);
    detail.source = "KEGLER";
    reports::Element name;
    name.name = "Name";
    name.box = {0, 0, 80, 5};
    name.data = reports::FieldElement{"KEGLER", "NAME", ""};
    detail.elements.push_back(name);
    return l;
}

} // namespace

TEST(DruckListe, MembersWindowPrintsItsListThroughThePrintFacility)
{
    common::ScriptedDialogs dialoge;
    common::DialogsScope scope(dialoge);
    QTemporaryDir folder;
    shell::ProgramPaths paths = shell::ProgramPaths::of(folder.path() + '/');
    {
        engine::Database db;
        data::DemoOptions demo;
        demo.years = 1;
        demo.bowlers = 6;
        data::createDemoClub(db, paths.dataFolder.toStdString(), demo);
    }
    shell::WindowRegistry registry;
    shell::MainForm1 main(registry);
    shell::Programm programm(main, paths);
    app::Zusammensetzung zusammensetzung(registry, programm, paths, main);
    ASSERT_TRUE(programm.create(paths));
    ASSERT_TRUE(registry.runCommand(shell::Komponente::Druckdialog));

    auto& druck = dynamic_cast<reports::Druckfunktion&>(zusammensetzung.druckdienst());
    EXPECT_EQ(druck.Druckform().parent(), &main) << "made at start-up, belongs to the main window";
    int dialogs = 0;
    druck.zeigeModal = [&](QDialog&) {
        ++dialogs;
        return int(QDialog::Accepted);
    };
    QStringList printed;
    druck.zeigeVorschau = [&](reports::Report& r) { printed << r.fileName() + ":" + QString::number(r.printout().pages.size()); };

    main.FensterAktivieren(common::Fenster::Mitglieder);
    shell::ChildWindow* mitglieder = main.Fensterobjekt(common::Fenster::Mitglieder);
    ASSERT_NE(mitglieder, nullptr);
    mitglieder->Lotsenbefehl(shell::Lotsencode::Liste);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(dialoge.texts(), QStringList("Die Reportdatei MITGLIEDERLIST.QR2 ist nicht vorhanden"));

    programm.optionen().gespeichert.mitgliederlistFilename = (folder.path() + "/alt/Mitglieder.qr2").toStdString();
    ASSERT_TRUE(reports::writeLayoutFile(memberList(), paths.dataFolder + "MITGLIEDER.QR2", nullptr));
    mitglieder->Lotsenbefehl(shell::Lotsencode::Liste);
    EXPECT_EQ(printed, QStringList("MITGLIEDER.QR2:1"));
    EXPECT_EQ(main.statusText(2), QString()) << "please-wait off";
    EXPECT_EQ(dialoge.texts().size(), 1) << dialoge.texts().join(" | ").toStdString();
}
