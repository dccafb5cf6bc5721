// The evaluation window inside a real main window over a test club: the three evaluations
// as the evening window asks for them, the request dialog worked through its widgets,
// the header pages, the grid, printing and the booking into the cash book.
#include "common/dialogs/scripted_dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_grid.h"
#include "evaluation/auswerte_form.h"
#include "evaluation/date_query_dlg.h"
#include "evaluation/registrierung.h"
#include "common/options/programmoptionen.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/stammdaten/modal.h"
#include "shell/window_registry.h"
#include "support/fake_shell.h"
#include "vereinsbau.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::evaluation::test {
namespace {

class Abendfenster : public shell::ChildWindow {
public:
    explicit Abendfenster(shell::ShellServices& s) : ChildWindow(s) { setWindowTitle("Termine"); }
};

class Auswertefenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        adler = club.kegler("Adler", "11");
        bauer = club.kegler("Bauer", "12");
        club.kegler("Christ", "13");
        pudel = club.posten(1, "Pudel", 20, false);
        termin = club.termin(tag(2024, 3, 5), 1, 500);
        const int a = club.teilnahme(termin, adler, 1);
        club.spiel(termin, a, 1, 2000);
        club.stueck(termin, a, 1, pudel, 3);
        club.spiel(termin, club.teilnahme(termin, bauer, 1), 1, 550);
        club.verein.druck = &druck;
        club.verein.host.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        club.verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        registrieren(registry, club.verein, nullptr, optionen);
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        w = dynamic_cast<TAuswerteForm2*>(fenster());
        ASSERT_NE(w, nullptr);
    }
    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        EXPECT_TRUE(modal.problems().isEmpty()) << modal.problems().join(" | ").toStdString();
        club.verein.host.fenster = nullptr;
        main.reset();
    }
    // As the evening window does it: activate window 100, then ask its service.
    shell::ChildWindow* fenster()
    {
        main->FensterAktivieren(common::Fenster::Auswerten);
        QApplication::processEvents();
        return main->Fensterobjekt(common::Fenster::Auswerten);
    }
    shell::Auswertungsdienst& dienst() { return *dynamic_cast<shell::Auswertungsdienst*>(fenster()); }
    int gridZeilen() { return w->DBGrid1->model().rowCount(); }
    QString zelle(int row, int col)
    {
        return w->DBGrid1->model().data(w->DBGrid1->model().index(row, col), Qt::DisplayRole).toString();
    }
    void tippen(QLineEdit* feld, const QString& text)
    {
        feld->setFocus();
        feld->selectAll();
        QTest::keyClicks(feld, text);
    }

    Vereinsbau club;
    Druckprotokoll druck;
    common::TProgrammoptionen optionen;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::stammdaten::ModalSkript modal;
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    TAuswerteForm2* w = nullptr;
    int adler = 0, bauer = 0, termin = 0, pudel = 0;
};

TEST_F(Auswertefenster, TheEveningEvaluationFillsTheGridAndTheTotal)
{
    EXPECT_EQ(w->windowTitle(), "Auswerten");
    EXPECT_EQ(w->seite(), TAuswerteForm2::Start);
    dienst().AuswertungTermin(std::to_string(termin));
    EXPECT_EQ(w->seite(), TAuswerteForm2::Termin);
    EXPECT_FALSE(w->wartet());
    EXPECT_TRUE(w->ToolBar1->isVisible());
    ASSERT_EQ(gridZeilen(), 3);
    const QStringList titel = {"Name", "Mitgliedsnummer", "Spiele", "Sonstiges", "Beitrag", "Summe"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(w->DBGrid1->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), titel[c]);
        EXPECT_FALSE(w->DBGrid1->isColumnHidden(c));
    }
    EXPECT_EQ(zelle(0, 0), "Adler");
    EXPECT_EQ(zelle(0, 5), "25,60");
    // Christ, absent member: games average 12.75 raised to 12.80 and the fee.
    EXPECT_EQ(zelle(2, 2), "12,80");
    EXPECT_EQ(w->GesamtbetragLabel->text(), "   53,90 EUR");
    EXPECT_TRUE(w->VerrechnenBtn->isEnabled());
    // Printing takes the page's report.
    QTest::mouseClick(w->DruckenBtn, Qt::LeftButton);
    EXPECT_EQ(druck.gedruckt, QStringList{"Auswertungsreportfilename=ERGEBNISSE1.QR2"});
}

TEST_F(Auswertefenster, TheBookingAsksBeforeTheSameAmountIsBookedTwiceOnOneDay)
{
    dienst().AuswertungTermin(std::to_string(termin));
    QTest::mouseClick(w->VerrechnenBtn, Qt::LeftButton);
    ASSERT_EQ(club.verein.dateiInhalt("KONTO.DBF").size(), 1u);
    EXPECT_EQ(club.verein.dateiInhalt("KONTO.DBF")[0][2].toNumber(), 53.90);
    script.answer(common::Answer::No);
    QTest::mouseClick(w->VerrechnenBtn, Qt::LeftButton);
    EXPECT_EQ(club.verein.dateiInhalt("KONTO.DBF").size(), 1u);
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_TRUE(script.texts()[0].startsWith("Es ist schon eine Buchung für den 05.03.2024 mit 53,90 "));
    EXPECT_DOUBLE_EQ(club.verein.dateiInhalt("KONTOINF.DBF")[0][5].toNumber(), 53.90);
}

TEST_F(Auswertefenster, ThePeriodEvaluationAsksForTheBowlerAndTitlesThePage)
{
    modal.then([this](QDialog& d) {
        auto& dlg = dynamic_cast<TDateQueryDlg_Auswertung&>(d);
        EXPECT_EQ(dlg.TeilnehmernummerEdit->text(), "0");
        EXPECT_FALSE(dlg.OKBtn->isEnabled());
        tippen(dlg.TeilnehmernummerEdit, "11");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    dienst().AuswertungZeitraum();
    EXPECT_EQ(w->seite(), TAuswerteForm2::Zeitraum);
    EXPECT_FALSE(w->wartet());
    ASSERT_EQ(gridZeilen(), 1);
    EXPECT_EQ(zelle(0, 5), "25,60");
    EXPECT_EQ(w->ZeitraumtitelLabel1->text(), "Auswertung für Adler über alle Termine");
    QTest::mouseClick(w->DruckenBtn, Qt::LeftButton);
    EXPECT_EQ(druck.gedruckt, QStringList{"ZeitraumAuswertungsreportfilename=ZEITRAUM.QR2"});
}

TEST_F(Auswertefenster, ACancelledRequestGoesBackAndAnEmptyPeriodKeepsTheWaitingPanel)
{
    dienst().AuswertungTermin(std::to_string(termin));
    modal.then([](QDialog& d) { QTest::mouseClick(dynamic_cast<TDateQueryDlg_Auswertung&>(d).CancelBtn, Qt::LeftButton); });
    dienst().AuswertungZeitraum();
    EXPECT_TRUE(w->wartet());
    EXPECT_EQ(gridZeilen(), 0);

    modal.then([this](QDialog& d) {
        auto& dlg = dynamic_cast<TDateQueryDlg_Auswertung&>(d);
        dlg.KomplettCheckBox->click();
        tippen(dlg.DateFromEdit, "1.1.2030");
        tippen(dlg.TeilnehmernummerEdit, "11");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    dienst().AuswertungZeitraum();
    EXPECT_TRUE(w->wartet());
    EXPECT_EQ(script.texts().back(), "Keine Termine in diesem Zeitraum gefunden");
}

TEST_F(Auswertefenster, TheRankingShowsNameNumberAndCountUnderItsTitle)
{
    modal.then([this](QDialog& d) {
        auto& dlg = dynamic_cast<TDateQueryDlg_Auswertung&>(d);
        EXPECT_EQ(dlg.SonstigesnummerEdit->text(), "1");
        tippen(dlg.SonstigesnummerEdit, QString::number(pudel));
        EXPECT_EQ(dlg.SonstigesNameLabel->text(), "Pudel");
        tippen(dlg.DateFromEdit, "1.3.2024");
        tippen(dlg.dateToEdit, "31.3.2024");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    dienst().AuswertungRangfolge();
    EXPECT_EQ(w->seite(), TAuswerteForm2::Rangfolge);
    ASSERT_EQ(gridZeilen(), 1);
    EXPECT_EQ(zelle(0, 0), "Adler");
    EXPECT_EQ(zelle(0, 1), QString::number(adler));
    EXPECT_EQ(zelle(0, 5), "3,00");
    EXPECT_FALSE(w->DBGrid1->isColumnHidden(0));
    EXPECT_TRUE(w->DBGrid1->isColumnHidden(2));
    EXPECT_TRUE(w->DBGrid1->isColumnHidden(3));
    EXPECT_TRUE(w->DBGrid1->isColumnHidden(4));
    EXPECT_FALSE(w->DBGrid1->isColumnHidden(5));
    EXPECT_EQ(w->RangfolgeTitelLabel->text(), "Auswertung für Pudel für den Zeitraum von 1.3.2024 bis 31.3.2024");
    // The next evaluation shows every column again.
    dienst().AuswertungTermin(std::to_string(termin));
    EXPECT_FALSE(w->DBGrid1->isColumnHidden(3));
}

TEST_F(Auswertefenster, TheResultsSurviveClosingAndReopening)
{
    dienst().AuswertungTermin(std::to_string(termin));
    main->FensterAktivieren(common::Fenster::Termine);
    EXPECT_EQ(fenster(), w);
    EXPECT_EQ(w->seite(), TAuswerteForm2::Termin);
    EXPECT_EQ(gridZeilen(), 3);
}

TEST_F(Auswertefenster, TheOptionsOfTheProgramAreReadAtEveryEvaluation)
{
    optionen.zahlweise = common::Monatlich;
    optionen.rundenAufZehntel = false;
    dienst().AuswertungTermin(std::to_string(termin));
    EXPECT_EQ(zelle(0, 4), "");
    EXPECT_EQ(zelle(2, 2), "12,75");
    EXPECT_EQ(w->GesamtbetragLabel->text(), "   38,85 EUR");
}

// Closing and a cancelled request go back along the window history.
TEST_F(Auswertefenster, ClosingAndACancelledRequestGoBack)
{
    trevo::test::FakeShell shell;
    TAuswerteForm2 f(shell, club.verein, [] { return Auswertungsoptionen(); });
    QTest::mouseClick(f.SchliessenBtn, Qt::LeftButton);
    EXPECT_EQ(shell.back, 1);
    modal.then([](QDialog& d) { QTest::mouseClick(dynamic_cast<TDateQueryDlg_Auswertung&>(d).CancelBtn, Qt::LeftButton); });
    f.AuswertungRangfolge();
    EXPECT_EQ(shell.back, 2);
    EXPECT_TRUE(f.wartet());
    EXPECT_FALSE(f.ToolBar1->isVisibleTo(&f));
    EXPECT_TRUE(shell.waits.empty());
}

} // namespace
} // namespace trevo::evaluation::test
