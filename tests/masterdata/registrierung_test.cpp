// The master-data layer made known to the program: what registrieren puts into the
// registry, and the program's data access, which finds the data module only once
// start-up made it.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "data/module/datenquelle.h"
#include "data/store/installation.h"
#include "test_support.h"
#include "masterdata/mitglieder_form.h"
#include "shell/stammdaten/modul_zugang.h"
#include "masterdata/registrierung.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/main_window.h"
#include "shell/program_paths.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"
#include "test_support.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace trevo::masterdata::test {
namespace {

QList<QWidget*> named(const QString& objectName)
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) found << w;
    return found;
}

TEST(Registrierung, TheMembersWindowAndTheSharedDialogsOverTheGivenAccess)
{
    common::ScriptedDialogs script;
    common::DialogsScope scope(script);
    TestVerein verein;
    verein.oeffnen();
    {
        shell::WindowRegistry registry;
        registrieren(registry, verein, shell::stammdaten::suchdialogeRegistrieren(registry, verein));
        EXPECT_EQ(registry.windowCodes(), std::vector<int>({common::Fenster::Mitglieder, common::Fenster::Spiele,
                                                        common::Fenster::Sonstige, common::Fenster::Aemter,
                                                        common::Fenster::Terminarten, common::Fenster::Waehrungen}));
        for (const QString& name : {shell::Komponente::Suchdialog, shell::Komponente::Bereichsdialog,
                                    shell::Komponente::SuchenErsetzenDialog})
            EXPECT_TRUE(registry.runCommand(name)) << name.toStdString();
        const QList<QWidget*> search = named(QStringLiteral("SuchDlgKomplex"));
        ASSERT_EQ(search.size(), 1) << "made at start-up";

        FakeShell shell;
        std::unique_ptr<shell::ChildWindow> first(registry.createWindow(common::Fenster::Mitglieder, shell));
        std::unique_ptr<shell::ChildWindow> second(registry.createWindow(common::Fenster::Mitglieder, shell));
        auto* form = dynamic_cast<TMitgliederform*>(first.get());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->tabelle(), &verein.kegler());
        EXPECT_EQ(&form->suchdialoge().SuchDlgKomplex(), search.front()) << "the one made at start-up";
        EXPECT_EQ(&dynamic_cast<TMitgliederform&>(*second).suchdialoge(), &form->suchdialoge());
        EXPECT_TRUE(script.texts().isEmpty()) << script.texts().join(" | ").toStdString();
    }
    EXPECT_TRUE(named(QStringLiteral("SuchDlgKomplex")).isEmpty()) << "the dialogs go with the registry";
}

TEST(ModulZugang, ReachesTheDataModuleOnlyOnceStartUpMadeIt)
{
    common::ScriptedDialogs script;
    common::DialogsScope scope(script);
    QTemporaryDir dir;
    shell::ProgramPaths paths = shell::ProgramPaths::of(dir.path() + "/");
    {
        engine::Database db;
        data::installDataFolder(db, paths.dataFolder.toStdString(), engine::daysFromCivil(2024, 3, 1));
    }
    shell::WindowRegistry registry;
    shell::MainForm1 main(registry);
    shell::Programm programm(main, paths);
    ModulZugang zugang(programm);
    EXPECT_EQ(&zugang.datenbank(), &programm.datenbank());
    try {
        zugang.tabelle("KeglerTable1");
        ADD_FAILURE() << "no data module yet";
    } catch (const engine::EngineError& e) {
        EXPECT_STREQ(e.what(), "Die Datenbank ist nicht geöffnet");
    }

    ASSERT_TRUE(programm.create(paths));
    data::TKeDataForm& module = *programm.datenmodul();
    EXPECT_EQ(zugang.tabelle("Keglertable1"), module.tabelle("KeglerTable1")) << "without regard to case";
    EXPECT_EQ(zugang.datenquelle("KeglerDataSource1"), &module.datenquelle("KeglerDataSource1"));
    EXPECT_EQ(zugang.datenquelle("KeinDataSource"), nullptr);
    EXPECT_EQ(zugang.datenordner(), module.ordner());
    EXPECT_EQ(zugang.AnzahlMitWert("KEGLER", 1, zugang.datenordner() + "KEGLTERM.DBF"), 0);
}

} // namespace
} // namespace trevo::masterdata::test
