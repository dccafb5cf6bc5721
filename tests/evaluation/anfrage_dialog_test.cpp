// The request dialog of the period evaluation and the ranking, worked through its widgets.
#include "common/dialogs/scripted_dialogs.h"
#include "dbcontrols/db_grid.h"
#include "evaluation/date_query_dlg.h"
#include "support/fake_shell.h"
#include "vereinsbau.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace trevo::evaluation::test {
namespace {

class Kalendershell : public trevo::test::FakeShell {
public:
    QString DatumWaehlen() override { return datum; }
    QString datum;
};

class Anfragedialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        club.kegler("Adler", "11");
        club.kegler("Bauer", "12");
        club.posten(1, "Pudel", 20, false);
        club.verein.oeffnen();
    }
    void oeffnen(int seite)
    {
        dlg = std::make_unique<TDateQueryDlg_Auswertung>(shell, club.verein);
        dlg->InitAbfrage(seite, QString(), seite == 0 ? 0 : 1, QString());
        dlg->show();
        QApplication::processEvents();
    }
    void tippen(QLineEdit* feld, const QString& text)
    {
        feld->setFocus();
        feld->selectAll();
        QTest::keyClicks(feld, text);
    }
    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        dlg.reset();
    }

    Vereinsbau club;
    Kalendershell shell;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    std::unique_ptr<TDateQueryDlg_Auswertung> dlg;
};

TEST_F(Anfragedialog, ThePeriodPageStartsAtZeroWithOkDisabledAndAnyTextEnablesIt)
{
    oeffnen(0);
    EXPECT_EQ(dlg->TeilnehmernummerEdit->text(), "0");
    EXPECT_TRUE(dlg->TeilnehmernummerEdit->hasFocus());
    EXPECT_FALSE(dlg->OKBtn->isEnabled());
    EXPECT_TRUE(dlg->KomplettCheckBox->isChecked());
    tippen(dlg->TeilnehmernummerEdit, "12");
    EXPECT_TRUE(dlg->OKBtn->isEnabled());
    EXPECT_EQ(dlg->NameLabel->text(), "Bauer");
    tippen(dlg->TeilnehmernummerEdit, "x");
    EXPECT_TRUE(dlg->OKBtn->isEnabled());
    EXPECT_EQ(dlg->NameLabel->text(), "");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_THROW(dlg->nummer(), engine::ValueError);
}

TEST_F(Anfragedialog, TheRankingPageShowsItemOneWithItsNameAndOkEnabled)
{
    oeffnen(1);
    EXPECT_EQ(dlg->SonstigesnummerEdit->text(), "1");
    EXPECT_EQ(dlg->SonstigesNameLabel->text(), "Pudel");
    EXPECT_TRUE(dlg->OKBtn->isEnabled());
    tippen(dlg->SonstigesnummerEdit, "0");
    EXPECT_FALSE(dlg->OKBtn->isEnabled());
    EXPECT_EQ(dlg->SonstigesNameLabel->text(), "");
    tippen(dlg->SonstigesnummerEdit, "abc");
    EXPECT_FALSE(dlg->OKBtn->isEnabled());
}

TEST_F(Anfragedialog, AllEveningsGivesTheWidestDatesWhateverWasTyped)
{
    oeffnen(1);
    tippen(dlg->DateFromEdit, "3.4.2024");
    EXPECT_FALSE(dlg->KomplettCheckBox->isChecked());
    EXPECT_TRUE(dlg->DateFromEdit->hasFocus());
    dlg->KomplettCheckBox->click();
    EXPECT_EQ(dlg->DateFromEdit->text(), "");
    tippen(dlg->dateToEdit, "5.4.2024");
    dlg->KomplettCheckBox->click();
    EXPECT_EQ(dlg->dateToEdit->text(), "");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->von(), "1.1.1900");
    EXPECT_EQ(dlg->bis(), "1.1.2100");
    EXPECT_TRUE(dlg->alle());
    EXPECT_EQ(dlg->nummer(), 1);
}

TEST_F(Anfragedialog, DatesAreCheckedAndAReversedPeriodIsExchanged)
{
    oeffnen(1);
    dlg->KomplettCheckBox->click();
    EXPECT_TRUE(dlg->DateFromEdit->hasFocus());
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    tippen(dlg->DateFromEdit, "31.13.2001");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    EXPECT_TRUE(dlg->isVisible());
    tippen(dlg->DateFromEdit, "31.12.2001");
    tippen(dlg->dateToEdit, "1.1.2001");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->von(), "1.1.2001");
    EXPECT_EQ(dlg->bis(), "31.12.2001");
    EXPECT_FALSE(dlg->alle());
    const QStringList texte = script.texts();
    ASSERT_GE(texte.size(), 3);
    EXPECT_EQ(texte[0], "Sie müssen ein Datum angeben");
    EXPECT_EQ(texte[1], "'31.13.2001' ist kein gültiges Datum"); // on leaving the field
    EXPECT_EQ(texte[2], "Ungültige Datumangabe");
}

TEST_F(Anfragedialog, AnEmptyEndDatePassesAndAnOldYearIsMovedACenturyOnLeaving)
{
    oeffnen(0);
    tippen(dlg->DateFromEdit, "5.6.1925");
    dlg->dateToEdit->setFocus();
    EXPECT_EQ(dlg->DateFromEdit->text(), "05.06.2025");
    tippen(dlg->dateToEdit, "1.1.25");
    tippen(dlg->TeilnehmernummerEdit, "11");
    EXPECT_EQ(dlg->dateToEdit->text(), "1.1.25");
    dlg->dateToEdit->clear();
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->von(), "05.06.2025");
    EXPECT_EQ(dlg->bis(), "");
    EXPECT_EQ(dlg->nummer(), 11);
}

TEST_F(Anfragedialog, TheCalendarFillsTheDateAndTheCancelButtonEmptiesThem)
{
    oeffnen(0);
    shell.datum = "24.12.2024";
    QTest::mouseClick(dlg->KalenderBis, Qt::LeftButton);
    EXPECT_EQ(dlg->dateToEdit->text(), "24.12.2024");
    EXPECT_TRUE(dlg->dateToEdit->hasFocus());
    EXPECT_FALSE(dlg->KomplettCheckBox->isChecked());
    QTest::mouseClick(dlg->CancelBtn, Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(dlg->dateToEdit->text(), "");
}

TEST_F(Anfragedialog, ThePickListCopiesTheChosenBowlerOrLeavesTheNumber)
{
    oeffnen(0);
    QTest::mouseClick(dlg->ListeButton0, Qt::LeftButton);
    EXPECT_TRUE(dlg->Listenpanel->isVisible());
    QTest::mouseClick(dlg->BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(dlg->Listenpanel->isVisible());
    EXPECT_EQ(dlg->TeilnehmernummerEdit->text(), "0");
    QTest::mouseClick(dlg->ListeButton0, Qt::LeftButton);
    dlg->DBGrid1->chooseRow(1);
    QTest::mouseClick(dlg->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(dlg->Listenpanel->isVisible());
    EXPECT_EQ(dlg->TeilnehmernummerEdit->text(), "12");
    EXPECT_EQ(dlg->NameLabel->text(), "Bauer");
    EXPECT_TRUE(dlg->OKBtn->isEnabled());
    EXPECT_TRUE(dlg->isVisible());
}

} // namespace
} // namespace trevo::evaluation::test
