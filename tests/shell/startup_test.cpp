// Start-up: options file messages, progress, start-up errors, the guide, the data module.
#include "shell_fixture.h"

#include "shell/guide_window.h"
#include "shell/program_paths.h"
#include "shell/start_window.h"
#include "shell/startup.h"
#include "shell/startup_seams.h"

#include "engine/core/error.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;
using trevo::common::Answer;

namespace {

const QString missing = "Die Konfigurationsdatenbank KEGELCFG.DB fehlt";

class RecordingOptions : public DefaultOptions {
public:
    void load(const QString& file) override
    {
        loaded << file;
        if (failLoad) throw trevo::engine::FormatError("Ungültiger Eigenschaftswert");
        SetupValues v = setupValues();
        v.datenordner = storedFolder;
        setSetupValues(v);
    }
    void save(const QString& file) override { saved << file; }
    QStringList loaded, saved;
    QString storedFolder;
    bool failLoad = false;
};

class RecordingData : public DataModuleSeam {
public:
    void createTools() override { calls << "Datenbankfunktionen"; }
    bool create(ProgramPaths& paths) override
    {
        calls << "Datenmodul";
        createdIn = paths.dataFolder;
        if (fail) throw trevo::engine::IoError("Fehler beim Öffnen der Datei /daten/TERMINE.DBF");
        return goOn;
    }
    void reopenTables(const QString& folder) override { reopened << folder; }
    void positionPriceList(int number) override { priceList = number; }
    QString createdIn;
    QStringList calls;
    QStringList reopened;
    int priceList = 0;
    bool goOn = true;
    bool fail = false;
};

struct StartFixture : ShellFixture {
    QTemporaryDir dir;
    ProgramPaths paths = ProgramPaths::of(dir.path());
    RecordingOptions options;
    RecordingData data;
    std::vector<std::pair<QString, int>> steps;

    void writeConfig()
    {
        QFile f(paths.configFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    bool run(int screenWidth = 1280)
    {
        Startup startup(*main, paths, options, &data, registry);
        startup.onStep = [this, &startup](const QString& text) { steps.emplace_back(text, startup.progress()); };
        return startup.run(screenWidth);
    }
};

} // namespace

TEST(Startup, ProgressRunsInStepsOfTwelveToNinetySix)
{
    StartFixture f;
    f.writeConfig();
    ASSERT_TRUE(f.run());
    const std::vector<std::pair<QString, int>> expected = {
        {"Datenbankfunktionen", 12}, {"Datenbank öffnen", 24}, {"Druckfunktion", 36}, {"Reportgenerator", 48},
        {"Suchfunktionen", 60},      {"Suchfunktionen", 72},   {"Suchfunktionen", 84}, {"Termine", 96}};
    EXPECT_EQ(f.steps, expected);
}

TEST(Startup, TheDatabaseToolsComeFirstThenTheDataModule)
{
    StartFixture f;
    f.writeConfig();
    QStringList atSteps;
    Startup startup(*f.main, f.paths, f.options, &f.data, f.registry);
    startup.onStep = [&](const QString& text) { atSteps << text + ":" + f.data.calls.join(','); };
    ASSERT_TRUE(startup.run(1280));
    EXPECT_EQ(f.data.calls, QStringList({"Datenbankfunktionen", "Datenmodul"}));
    ASSERT_GE(atSteps.size(), 3);
    EXPECT_EQ(atSteps.mid(0, 3), QStringList({"Datenbankfunktionen:", "Datenbank öffnen:Datenbankfunktionen",
                                              "Druckfunktion:Datenbankfunktionen,Datenmodul"}));
}

TEST(Startup, EndsWithTheEveningWindowInFrontAndTheGuideDocked)
{
    StartFixture f;
    f.writeConfig();
    ASSERT_TRUE(f.run());
    EXPECT_NE(f.main->Fensterobjekt(100), nullptr) << "the evaluation window exists from the start";
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_EQ(f.history(), std::vector<int>({1}));
    EXPECT_TRUE(f.main->isMaximized());
    ASSERT_NE(f.main->guide(), nullptr);
    EXPECT_FALSE(f.main->guide()->isFloating());
    EXPECT_EQ(f.main->dockPanelWidth(), 200);
    EXPECT_EQ(f.data.priceList, 1);
    EXPECT_TRUE(f.script.texts().isEmpty());
    EXPECT_EQ(f.options.loaded, QStringList{f.paths.configFile()});
}

TEST(Startup, WithoutTheGuideOptionNoGuideExists)
{
    StartFixture f;
    f.writeConfig();
    // The defaults show the guide; the loaded option switches it off.
    struct NoGuide : RecordingOptions {
        void load(const QString& file) override { RecordingOptions::load(file); setShowGuideAtStart(false); }
    } options;
    Startup startup(*f.main, f.paths, options, &f.data, f.registry);
    ASSERT_TRUE(startup.run(1280));
    EXPECT_EQ(f.main->guide(), nullptr);
    EXPECT_EQ(f.main->dockPanelWidth(), 0);
}

TEST(Startup, MissingConfigurationIsReportedAtStartAndAtTheEnd)
{
    StartFixture f;
    ASSERT_TRUE(f.run());
    EXPECT_EQ(f.script.texts(), QStringList{missing});
    EXPECT_TRUE(f.options.loaded.isEmpty());
    EXPECT_EQ(f.data.createdIn, f.paths.programFolder) << "defaults: tables in the program folder";
    f.script.answer(Answer::Yes);
    f.main->close();
    EXPECT_EQ(f.script.texts(), QStringList({missing, "Programm beenden ?", missing}));
    EXPECT_TRUE(f.options.saved.isEmpty()) << "nothing is saved without the file";
}

TEST(Startup, EndingSavesTheOptionsIntoTheConfiguration)
{
    StartFixture f;
    f.writeConfig();
    ASSERT_TRUE(f.run());
    f.script.answer(Answer::No).answer(Answer::Yes);
    f.main->close();
    EXPECT_TRUE(f.options.saved.isEmpty());
    f.main->close();
    EXPECT_EQ(f.options.saved, QStringList{f.paths.configFile()});
}

TEST(Startup, StoredDataFolderBecomesTheDataFolder)
{
    StartFixture f;
    f.writeConfig();
    f.options.storedFolder = "/verein/daten";
    ASSERT_TRUE(f.run());
    EXPECT_EQ(f.paths.dataFolder, "/verein/daten/");
    EXPECT_EQ(f.data.createdIn, "/verein/daten/");
    EXPECT_EQ(f.paths.configFolder, f.paths.programFolder);
}

TEST(Startup, ErrorsOfAStepAreShownAndStartUpGoesOn)
{
    StartFixture f;
    f.writeConfig();
    f.options.failLoad = true;
    f.data.fail = true;
    bool laterStepRan = false;
    f.registry.addCommand(Komponente::Druckdialog, [] { throw std::runtime_error("Kein Drucker installiert"); });
    f.registry.addCommand(Komponente::Reportgenerator, [&] { laterStepRan = true; });
    ASSERT_TRUE(f.run());
    EXPECT_EQ(f.script.texts(), QStringList({"Ungültiger Eigenschaftswert", "Fehler beim Öffnen der Datei /daten/TERMINE.DBF",
                                             "Kein Drucker installiert"}));
    EXPECT_EQ(f.script.shown()[0].kind, trevo::common::BoxKind::Error);
    EXPECT_EQ(f.steps.back().second, 96);
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_TRUE(laterStepRan);
}

TEST(Startup, TheStartWindowIsHiddenWhileAnErrorIsShown)
{
    StartFixture f;
    f.writeConfig();
    struct Watching : trevo::common::ScriptedDialogs {
        StartWindow* start = nullptr;
        std::vector<bool> visible;
        trevo::common::Answer show(trevo::common::BoxKind k, const QString& t, trevo::common::Buttons b) override
        {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* s = qobject_cast<StartWindow*>(w)) visible.push_back(s->isVisible());
            return ScriptedDialogs::show(k, t, b);
        }
    } watching;
    trevo::common::DialogsScope scope(watching);
    f.data.fail = true;
    StartWindow* seenAfter = nullptr;
    f.registry.addCommand(Komponente::Druckdialog, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<StartWindow*>(w); s && s->isVisible()) seenAfter = s;
    });
    ASSERT_TRUE(f.run());
    EXPECT_EQ(watching.visible, std::vector<bool>({false}));
    EXPECT_NE(seenAfter, nullptr) << "shown again after the box";
}

TEST(Startup, NoToTheDataFolderQuestionEndsAtOnce)
{
    StartFixture f;
    f.writeConfig();
    f.data.goOn = false;
    EXPECT_FALSE(f.run());
    EXPECT_EQ(f.steps.size(), 2u);
    EXPECT_EQ(f.main->Fensterobjekt(1), nullptr);
    EXPECT_TRUE(f.options.saved.isEmpty());
}
