// The shared search, range and search-and-replace dialogs and the sort dialog, worked
// through their real controls over the tables of a temporary data folder.
#include "shell/stammdaten/abfrage_dlg.h"
#include "shell/stammdaten/modal.h"
#include "common/dialogs/scripted_dialogs.h"
#include "shell/stammdaten/sort_form.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/stammdaten/suchen_ersetzen_dlg.h"
#include "test_support.h"
#include "test_support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::masterdata::test {
namespace {

class Suchdialoge : public ::testing::Test {
protected:
    void SetUp() override
    {
        meier = verein.bowler({"Meier", "Hans", "7"});
        meise = verein.bowler({"Meise", "Eva", "8"});
        hameister = verein.bowler({"Hameister", "Jo", "9", false});
        verein.bowler({"O\"Brien", "Pat", "10"});
    }
    QStringList items(const QListWidget* list)
    {
        QStringList r;
        for (int i = 0; i < list->count(); ++i) r << list->item(i)->text();
        return r;
    }
    void select(QListWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
    }
    std::string folder() { return verein.datenordner(); }

    TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    masterdata::Suchdialoge dialoge{verein};
    int meier = 0, meise = 0, hameister = 0;
};

TEST_F(Suchdialoge, SearchDialogListsFieldsWithoutMemosAndRemembersPerFile)
{
    TSuchDlgKomplex& dlg = dialoge.SuchDlgKomplex();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    const QStringList fields = items(dlg.FieldListBox1);
    EXPECT_EQ(fields.front(), "NUMMER");
    EXPECT_TRUE(fields.contains("NAME"));
    EXPECT_FALSE(fields.contains("BEMERKUNGE"));
    EXPECT_EQ(dlg.gewaehltesFeld()->name, "NUMMER");

    select(dlg.FieldListBox1, "NAME");
    dlg.FromEdit->setText("Mei");
    dlg.TabelleSetzen(folder(), "kegler.dbf"); // the same file: everything stays
    EXPECT_EQ(dlg.gewaehltesFeld()->name, "NAME");
    EXPECT_EQ(dlg.FromEdit->text(), "Mei");

    dlg.TabelleSetzen(folder(), "FUNKTION.DBF"); // another file: list and text anew
    EXPECT_EQ(items(dlg.FieldListBox1), QStringList({"NUMMER", "BEZEICHNUN"}));
    EXPECT_EQ(dlg.gewaehltesFeld()->name, "NUMMER");
    EXPECT_TRUE(dlg.FromEdit->text().isEmpty());
}

TEST_F(Suchdialoge, SearchDialogRefusesAnEmptyTextAndCancelClearsIt)
{
    TSuchDlgKomplex& dlg = dialoge.SuchDlgKomplex();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    ModalSkript modal;
    bool stayedOpen = false;
    modal.then([&](QDialog&) {
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        stayedOpen = dlg.isVisible();
        QTest::keyClicks(dlg.FromEdit, "Mei");
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(zeigeModal(dlg), QDialog::Rejected);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(script.texts(), QStringList({"Ungültige Eingabe"}));
    EXPECT_TRUE(dlg.FromEdit->text().isEmpty());
    EXPECT_TRUE(modal.problems().isEmpty()) << modal.problems().join(";").toStdString();
}

TEST_F(Suchdialoge, SearchStatementWrittenIntoTheLines)
{
    TSuchDlgKomplex& dlg = dialoge.SuchDlgKomplex();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    select(dlg.FieldListBox1, "NAME");
    dlg.FromEdit->setText("Mei");
    std::vector<std::string> lines = {"old statement"};
    dlg.SQLErzeugen(lines);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "SELECT NUMMER,NAME");
    EXPECT_EQ(lines[2], "\"" + verein.pfad("KEGLER.DBF") + "\"");
    EXPECT_EQ(lines[4], "NAME LIKE \"Mei%\"");
}

TEST_F(Suchdialoge, RangeDialogSelectsTheFieldAfterNummerAndShowsTheSentence)
{
    TAbfrageDlgEinFeld& dlg = dialoge.AbfrageDlgEinFeld();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    EXPECT_EQ(dlg.gewaehltesFeld()->name, "MITGLIEDNR");
    EXPECT_EQ(dlg.BedingungListBox1->count(), 7);
    EXPECT_EQ(dlg.BedingungListBox1->item(1)->text(), QString::fromUtf8("größer als  >  "));
    EXPECT_EQ(dlg.bedingung(), Bedingung::Gleich);

    dlg.show();
    EXPECT_EQ(dlg.FeldnamenLabel->text(), "MITGLIEDNR");
    EXPECT_TRUE(dlg.FeldnamenLabel->font().bold());
    EXPECT_EQ(dlg.BedingungLabel->text(), "gleich  =");
    EXPECT_FALSE(dlg.ToEdit->isVisible());
    EXPECT_GE(dlg.BedingungLabel->x(), dlg.FeldnamenLabel->geometry().right() + 10);

    QTest::mouseClick(dlg.BedingungListBox1->viewport(), Qt::LeftButton, {},
                      dlg.BedingungListBox1->visualItemRect(dlg.BedingungListBox1->item(6)).center());
    EXPECT_EQ(dlg.bedingung(), Bedingung::Zwischen);
    EXPECT_EQ(dlg.BedingungLabel->text(), "zwischen");
    EXPECT_TRUE(dlg.ToEdit->isVisible());
    EXPECT_TRUE(dlg.UndLabel->isVisible());
    dlg.hide();
}

TEST_F(Suchdialoge, RangeIntervalIsCheckedAsText)
{
    TAbfrageDlgEinFeld& dlg = dialoge.AbfrageDlgEinFeld();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    select(dlg.FieldListBox1, "NUMMER");
    dlg.BedingungListBox1->setCurrentRow(6);
    ModalSkript modal;
    bool refused = false;
    modal.then([&](QDialog&) {
        QTest::keyClicks(dlg.FromEdit, "5");
        QTest::keyClicks(dlg.ToEdit, "10");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        refused = dlg.isVisible();
        dlg.FromEdit->setText("05");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(zeigeModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(refused);
    EXPECT_EQ(script.texts(), QStringList({QString::fromUtf8("Ungültige Eingabe für den Endwert")}));
    EXPECT_EQ(dlg.FilterErzeugen(), "(NUMMER>=5 AND NUMMER<=10)");
}

TEST_F(Suchdialoge, RangeNeedsAStartValueUnlessKomplett)
{
    TAbfrageDlgEinFeld& dlg = dialoge.AbfrageDlgEinFeld();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    ModalSkript modal;
    bool refused = false, clearedByKomplett = false, uncheckedByTyping = false;
    modal.then([&](QDialog&) {
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        refused = dlg.isVisible();
        dlg.FromEdit->setText("7");
        dlg.KomplettCheckBox->setChecked(true);
        clearedByKomplett = dlg.FromEdit->text().isEmpty();
        QTest::keyClicks(dlg.FromEdit, "8");
        uncheckedByTyping = !dlg.KomplettCheckBox->isChecked();
        dlg.KomplettCheckBox->setChecked(true);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(zeigeModal(dlg), QDialog::Accepted);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(clearedByKomplett);
    EXPECT_TRUE(uncheckedByTyping);
    EXPECT_TRUE(dlg.komplett());
    EXPECT_EQ(script.texts(), QStringList({QString::fromUtf8("Ungültige Eingabe für den Startwert")}));
}

TEST_F(Suchdialoge, RangeKeepsConditionAndCaptionAcrossFilesButResetsFieldsAndValues)
{
    TAbfrageDlgEinFeld& dlg = dialoge.AbfrageDlgEinFeld();
    dlg.setWindowTitle("Termine abfragen"); // set by another window
    dlg.TabelleSetzen(folder(), "FUNKTION.DBF");
    dlg.BedingungListBox1->setCurrentRow(3);
    dlg.FromEdit->setText("K");
    dlg.TabelleSetzen(folder(), "FUNKTION.DBF");
    EXPECT_EQ(dlg.FromEdit->text(), "K");

    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    EXPECT_EQ(dlg.windowTitle(), "Termine abfragen");
    EXPECT_EQ(dlg.bedingung(), Bedingung::Kleiner);
    EXPECT_EQ(items(dlg.FieldListBox1).size(), 16); // KEGLER.DBF without its memo
    EXPECT_TRUE(dlg.FromEdit->text().isEmpty());
    EXPECT_TRUE(dlg.ToEdit->text().isEmpty());
}

TEST_F(Suchdialoge, RangeCancelClearsTheValues)
{
    TAbfrageDlgEinFeld& dlg = dialoge.AbfrageDlgEinFeld();
    dlg.TabelleSetzen(folder(), "KEGLER.DBF");
    ModalSkript modal;
    modal.then([&](QDialog&) {
        QTest::keyClicks(dlg.FromEdit, "A");
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(zeigeModal(dlg), QDialog::Rejected);
    EXPECT_TRUE(dlg.FromEdit->text().isEmpty());
}

TEST_F(Suchdialoge, SortDialogPreselectionAndCancel)
{
    TSortForm sort;
    sort.setItems({"Mitgliedsnummer", "Name", "Nummer"});
    sort.setGroupHeight(102);
    EXPECT_EQ(sort.itemIndex(), -1);
    EXPECT_EQ(sort.RadioGroup1->height(), 102);
    sort.setItemIndex(1);
    EXPECT_EQ(sort.itemIndex(), 1);
    sort.setItemIndex(-1);
    EXPECT_EQ(sort.itemIndex(), -1);

    sort.setItemIndex(2);
    ModalSkript modal;
    modal.then([&](QDialog&) { QTest::mouseClick(sort.CancelBtn, Qt::LeftButton); });
    modal.then([&](QDialog&) {
        QTest::mouseClick(sort.findChild<QWidget*>("RadioItem0"), Qt::LeftButton);
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(zeigeModal(sort), QDialog::Rejected);
    EXPECT_EQ(sort.itemIndex(), -1);
    EXPECT_EQ(zeigeModal(sort), QDialog::Accepted);
    EXPECT_EQ(sort.itemIndex(), 0);
}

TEST_F(Suchdialoge, SearchAndReplaceFindsTheTextAnywhereAndOverwritesTheWholeValue)
{
    TSuchenErsetzenDlg& dlg = dialoge.SuchenErsetzenDlg();
    ModalSkript modal;
    modal.then([&](QDialog&) {
        select(dlg.FieldListBox1, "NAME");
        QTest::keyClicks(dlg.FromEdit, "ei");
        QTest::keyClicks(dlg.NeuEdit, "Neu");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    FakeShell shell;
    EXPECT_EQ(dlg.SuchenErsetzen(folder(), "KEGLER.DBF", &shell), 3);
    EXPECT_EQ(shell.waits, std::vector<int>({0, 1}));
    EXPECT_EQ(verein.feld(meier, "NAME"), "Neu");
    EXPECT_EQ(verein.feld(meise, "NAME"), "Neu");
    EXPECT_EQ(verein.feld(hameister, "NAME"), "Neu");
    EXPECT_EQ(verein.feld(hameister, "VORNAME"), "Jo");
    EXPECT_EQ(verein.feld(4, "NAME"), "O\"Brien");
    EXPECT_TRUE(script.texts().isEmpty()); // no message after a successful replace
}

TEST_F(Suchdialoge, SearchAndReplaceWithAQuoteInTheText)
{
    TSuchenErsetzenDlg& dlg = dialoge.SuchenErsetzenDlg();
    ModalSkript modal;
    modal.then([&](QDialog&) {
        select(dlg.FieldListBox1, "NAME");
        dlg.FromEdit->setText("\"B");
        dlg.NeuEdit->setText("O'Brian");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.SuchenErsetzen(folder(), "KEGLER.DBF"), 1);
    EXPECT_EQ(verein.feld(4, "NAME"), "O'Brian");
    EXPECT_EQ(verein.feld(meier, "NAME"), "Meier");
}

TEST_F(Suchdialoge, SearchAndReplaceWithoutHitOrCancelledChangesNothing)
{
    TSuchenErsetzenDlg& dlg = dialoge.SuchenErsetzenDlg();
    ModalSkript modal;
    modal.then([&](QDialog&) {
        select(dlg.FieldListBox1, "NAME");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton); // empty: refused, stays open
        QTest::keyClicks(dlg.FromEdit, "Zander");
        QTest::keyClicks(dlg.NeuEdit, "X");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    modal.then([&](QDialog&) {
        EXPECT_TRUE(dlg.FromEdit->text().isEmpty() == false);
        EXPECT_EQ(dlg.NeuEdit->text(), "X"); // the replacement text stays
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.SuchenErsetzen(folder(), "KEGLER.DBF"), 0);
    EXPECT_EQ(dlg.SuchenErsetzen(folder(), "KEGLER.DBF"), 0);
    EXPECT_EQ(script.texts(), QStringList({"Ungültige Eingabe", "Der Suchtext wurde nicht gefunden"}));
    EXPECT_TRUE(dlg.FromEdit->text().isEmpty());
    EXPECT_EQ(verein.feld(meier, "NAME"), "Meier");
}

TEST_F(Suchdialoge, SearchAndReplaceListsMemosAndConvertsTheReplacement)
{
    const int chair = verein.bowler({"Zorn", "Udo", "11", true, 1});
    TSuchenErsetzenDlg& dlg = dialoge.SuchenErsetzenDlg();
    ModalSkript modal;
    modal.then([&](QDialog&) {
        EXPECT_TRUE(items(dlg.FieldListBox1).contains("BEMERKUNGE"));
        select(dlg.FieldListBox1, "FUNKTION");
        dlg.FromEdit->setText("1");
        dlg.NeuEdit->setText("2");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    modal.then([&](QDialog&) {
        dlg.FromEdit->setText("2");
        dlg.NeuEdit->setText("zwei");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    FakeShell shell;
    EXPECT_EQ(dlg.SuchenErsetzen(folder(), "KEGLER.DBF", &shell), 1);
    EXPECT_EQ(verein.feld(chair, "FUNKTION"), "2");
    // A replacement that is no number reaches the caller; the indication goes off.
    EXPECT_THROW(dlg.SuchenErsetzen(folder(), "KEGLER.DBF", &shell), engine::ValueError);
    EXPECT_EQ(shell.waits, std::vector<int>({0, 1, 0, 1}));
    EXPECT_EQ(verein.feld(chair, "FUNKTION"), "2");
}

} // namespace
} // namespace trevo::masterdata::test
