// The running program over a real installation: options from KEGELCFG.DB, the data module
// opened in the data folder, the options window moving the tables, and saving at the end.
#include "shell_fixture.h"

#include "shell/program_paths.h"
#include "shell/setup_form.h"
#include "shell/startup.h"
#include "shell/registrierung.h"
#include "shell/wiring/programm.h"

#include "common/options/optionen_laden.h"
#include "data/store/installation.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;
using trevo::common::Answer;

namespace {

struct ProgramFixture : ShellFixture {
    QTemporaryDir dir;
    ProgramPaths paths = ProgramPaths::of(dir.path());
    std::unique_ptr<Programm> programm;

    ProgramFixture() : ShellFixture({1, 5})
    {
        trevo::engine::Database db;
        trevo::data::installProgramFolder(db, paths.programFolder.toStdString());
        trevo::data::installDataFolder(db, paths.programFolder.toStdString(), 45000);
        QDir(dir.path()).mkdir("zweiter");
        trevo::data::installDataFolder(db, (paths.programFolder + "zweiter/").toStdString(), 45000);
        programm = std::make_unique<Programm>(*main, paths);
        registrieren(registry, *programm, paths, programm.get());
    }
    bool start()
    {
        Startup startup(*main, paths, *programm, programm.get(), registry);
        programm->setStartup(&startup);
        const bool ok = startup.run(1280);
        programm->setStartup(nullptr);
        return ok;
    }
};

} // namespace

TEST(Programm, StartsOverAnInstallationWithoutAnyMessage)
{
    ProgramFixture f;
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(f.script.texts().isEmpty()) << f.script.texts().join(" | ").toStdString();
    ASSERT_NE(f.programm->datenmodul(), nullptr);
    EXPECT_TRUE(f.programm->datenmodul()->alleTabellenOffen());
    auto& lists = f.programm->datenmodul()->d().SonstigeMainTable1;
    EXPECT_EQ(lists.value("NUMMER").toNumber(), 1) << "positioned on the current price list";
}

TEST(Programm, TheOptionsWindowMovesTheTablesAndTheEndSavesTheFolder)
{
    ProgramFixture f;
    ASSERT_TRUE(f.start());
    f.main->FensterAktivieren(14);
    auto* form = static_cast<Setupform*>(f.main->activeChild());
    form->BeitragEdit->setText("2,5");
    form->SuchpfadEdit->setText(f.paths.programFolder + "zweiter");
    form->OKBtn->click();
    EXPECT_TRUE(f.script.texts().isEmpty()) << f.script.texts().join(" | ").toStdString();
    EXPECT_EQ(f.paths.dataFolder, f.paths.programFolder + "zweiter/");
    EXPECT_EQ(f.programm->datenmodul()->ordner(), (f.paths.programFolder + "zweiter/").toStdString());
    EXPECT_TRUE(f.programm->datenmodul()->alleTabellenOffen());

    f.script.answer(Answer::Yes);
    f.main->close();

    // The next start reads the stored folder back; the contribution is an option of the run.
    trevo::common::TProgrammoptionen read;
    trevo::common::Programmpfade pfade = trevo::common::Programmpfade::ausProgrammordner(f.paths.programFolder.toStdString());
    trevo::engine::Database db;
    ASSERT_TRUE(trevo::common::OptionenLaden(read, pfade, db.storage()));
    EXPECT_EQ(read.gespeichert.datenordner, (f.paths.programFolder + "zweiter/").toStdString());
    EXPECT_DOUBLE_EQ(read.beitrag, 0);
}

TEST(Programm, AMissingDataFolderIsAskedForAndNoEndsAtOnce)
{
    ProgramFixture f;
    f.programm->optionen().gespeichert.datenordner = "/gibt/es/nicht/";
    // The stored options name the missing folder.
    {
        trevo::common::TProgrammoptionen o;
        o.gespeichert.datenordner = "/gibt/es/nicht/";
        trevo::engine::Database db;
        auto pfade = trevo::common::Programmpfade::ausProgrammordner(f.paths.programFolder.toStdString());
        ASSERT_TRUE(trevo::common::OptionenSpeichern(o, pfade, db.storage()));
    }
    f.script.answer(Answer::No);
    EXPECT_FALSE(f.start());
    ASSERT_EQ(f.script.texts().size(), 1);
    EXPECT_TRUE(f.script.texts()[0].contains("/gibt/es/nicht/"));
    EXPECT_EQ(f.script.shown()[0].kind, trevo::common::BoxKind::Error);
    EXPECT_TRUE(f.programm->endRequested());
}

TEST(Programm, TheFolderDialogCanPointToAnotherFolder)
{
    ProgramFixture f;
    {
        trevo::common::TProgrammoptionen o;
        o.gespeichert.datenordner = "/gibt/es/nicht/";
        trevo::engine::Database db;
        auto pfade = trevo::common::Programmpfade::ausProgrammordner(f.paths.programFolder.toStdString());
        ASSERT_TRUE(trevo::common::OptionenSpeichern(o, pfade, db.storage()));
    }
    f.script.answer(Answer::Yes).choose(f.paths.programFolder + "zweiter/");
    ASSERT_TRUE(f.start());
    EXPECT_EQ(f.paths.dataFolder, f.paths.programFolder + "zweiter/");
    EXPECT_EQ(f.programm->optionen().gespeichert.datenordner, (f.paths.programFolder + "zweiter/").toStdString());
    EXPECT_TRUE(f.programm->datenmodul()->alleTabellenOffen());
}

TEST(Programm, TheDataModuleTellsAWindowWhetherItsTableHoldsRecords)
{
    ProgramFixture f;
    ASSERT_TRUE(f.start());
    f.main->FensterAktivieren(5);
    auto& kegler = f.programm->datenmodul()->d().KeglerTable1;
    kegler.append();
    kegler.setValue("NAME", trevo::engine::Value::text("Huber"));
    kegler.post();
    kegler.deleteRecord();
    EXPECT_EQ(f.probe(5)->filled, (std::vector<bool>{true, false}));
    f.programm->datenmodul()->MenueFreigebenTabelle(5, "KeglerTable1");
    EXPECT_EQ(f.probe(5)->filled.back(), false);
}
