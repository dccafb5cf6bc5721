// The options window: filling, OK with its folder change, Abbrechen.
#include "shell_fixture.h"

#include "shell/program_paths.h"
#include "shell/setup_form.h"
#include "shell/startup_seams.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;

namespace {

class Tables : public DataModuleSeam {
public:
    bool create(ProgramPaths&) override { return true; }
    void reopenTables(const QString& folder) override { reopened << folder; }
    void positionPriceList(int) override {}
    QStringList reopened;
};

struct SetupFixture : ShellFixture {
    DefaultOptions options;
    ProgramPaths paths = ProgramPaths::of("/programm");
    Tables tables;
    Setupform* form = nullptr;

    SetupFixture() : ShellFixture({1, 5})
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        registry.addWindow(14, [this](ShellServices& s) -> ChildWindow* {
            return form = new Setupform(s, options, paths, &tables);
        });
        main->FensterAktivieren(1);
        main->history().reset(1);
    }
    ~SetupFixture() { QLocale::setDefault(QLocale::c()); }
    void open(const SetupValues& v)
    {
        options.setSetupValues(v);
        main->FensterAktivieren(14);
    }
};

} // namespace

TEST(Setupform, FilledFromTheOptionsWhenCreated)
{
    SetupFixture f;
    SetupValues v;
    v.runden = false;
    v.beitrag = 2.5;
    v.zahlweise = 3;
    v.datenordner = "/verein/";
    f.open(v);
    ASSERT_NE(f.form, nullptr);
    EXPECT_EQ(f.form->windowTitle(), "Optionen");
    EXPECT_FALSE(f.form->RundenCheckBox1->isChecked());
    EXPECT_TRUE(f.form->AufrundenCheckBox1->isChecked());
    EXPECT_EQ(f.form->BeitragEdit->text(), "2,50    ") << "two decimals, left-aligned in eight places";
    EXPECT_TRUE(f.form->Zahlweise[2]->isChecked());
    EXPECT_EQ(f.form->SuchpfadEdit->text(), "/verein/");
}

TEST(Setupform, ContributionFormat)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Setupform::formatBeitrag(0), "0,00    ");
    EXPECT_EQ(Setupform::formatBeitrag(12345.678), "12345,68");
    EXPECT_EQ(Setupform::formatBeitrag(-1.5), "-1,50   ");
    QLocale::setDefault(QLocale::c());
}

TEST(Setupform, OkTakesTheValuesOverAndGoesBack)
{
    SetupFixture f;
    f.open({});
    f.form->RundenCheckBox1->setChecked(false);
    f.form->MittelwertefuerFehlendeMitgliederCheckBox1->setChecked(false);
    f.form->BeitragEdit->setText("3,75");
    f.form->Zahlweise[1]->setChecked(true);
    f.form->OKBtn->click();
    const SetupValues v = f.options.setupValues();
    EXPECT_FALSE(v.runden);
    EXPECT_TRUE(v.aufrunden);
    EXPECT_FALSE(v.mittelwerteFehlende);
    EXPECT_DOUBLE_EQ(v.beitrag, 3.75);
    EXPECT_EQ(v.zahlweise, 2);
    EXPECT_TRUE(f.tables.reopened.isEmpty()) << "the folder did not change";
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_NE(f.main->Fensterobjekt(14), nullptr) << "the window stays open behind";
}

TEST(Setupform, AChangedFolderReopensTheTablesThere)
{
    SetupFixture f;
    f.open({});
    f.form->SuchpfadEdit->setText("/verein/daten");
    f.form->OKBtn->click();
    EXPECT_EQ(f.options.setupValues().datenordner, "/verein/daten/") << "a missing slash is added";
    EXPECT_EQ(f.paths.dataFolder, "/verein/daten/");
    EXPECT_EQ(f.tables.reopened, QStringList{"/verein/daten/"});
    EXPECT_EQ(f.paths.configFolder, "/programm/");

    f.main->FensterAktivieren(14);
    EXPECT_EQ(f.form->SuchpfadEdit->text(), "/verein/daten/") << "shown as it was left";
    f.form->OKBtn->click();
    EXPECT_EQ(f.tables.reopened.size(), 1) << "the same folder again does not reopen";
}

TEST(Setupform, AnEmptyFolderMeansTheProgramFolder)
{
    SetupFixture f;
    SetupValues v;
    v.datenordner = "/verein/";
    f.paths.dataFolder = "/verein/";
    f.open(v);
    f.form->SuchpfadEdit->clear();
    f.form->OKBtn->click();
    EXPECT_EQ(f.options.setupValues().datenordner, "");
    EXPECT_EQ(f.paths.dataFolder, "/programm/");
    EXPECT_EQ(f.tables.reopened, QStringList{"/programm/"});
}

TEST(Setupform, AnUnreadableContributionStopsWithTheSwitchesTaken)
{
    SetupFixture f;
    f.open({});
    f.form->RundenCheckBox1->setChecked(false);
    f.form->BeitragEdit->setText("zwei");
    f.form->SuchpfadEdit->setText("/anders/");
    f.form->OKBtn->click();
    EXPECT_EQ(f.script.texts(), QStringList{"'zwei' ist kein gültiger Gleitkommawert"});
    EXPECT_EQ(f.script.shown()[0].kind, trevo::common::BoxKind::Error);
    EXPECT_FALSE(f.options.setupValues().runden);
    EXPECT_DOUBLE_EQ(f.options.setupValues().beitrag, 0);
    EXPECT_EQ(f.options.setupValues().datenordner, "");
    EXPECT_TRUE(f.tables.reopened.isEmpty());
    EXPECT_EQ(f.activeCode(), 14) << "the window stays open";
}

TEST(Setupform, CancelTakesNothing)
{
    SetupFixture f;
    f.open({});
    f.form->AufrundenCheckBox1->setChecked(false);
    f.form->SuchpfadEdit->setText("/anders/");
    f.form->CancelBtn->click();
    EXPECT_TRUE(f.options.setupValues().aufrunden);
    EXPECT_EQ(f.options.setupValues().datenordner, "");
    EXPECT_TRUE(f.tables.reopened.isEmpty());
    EXPECT_EQ(f.activeCode(), 1);
    f.main->FensterAktivieren(14);
    EXPECT_FALSE(f.form->AufrundenCheckBox1->isChecked()) << "the controls stay as they were left";
}
