// The SQL window through its real widgets: queries, statements without rows, changes
// stored in the table files, errors, the working folder, keys and going back.
#include "sql_fixture.h"

#include "dbcontrols/db_navigator.h"
#include "engine/sql/sql.h"

#include <QTemporaryDir>
#include <QToolButton>

namespace trevo::sqlwindow::test {

namespace {

// The text the engine gives for a statement it refuses.
QString engineFehler(TestVerein& verein, const std::string& anweisung)
{
    try {
        engine::sql::execute(verein.datenbank(), verein.session(), anweisung, verein.datenordner());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

TEST_F(SqlFenster, ShowsTheRowsOfAStatementTypedOverSeveralLinesWithBlankLines)
{
    const QString anweisung = QStringLiteral("SELECT NAME, VORNAME\n\nFROM KEGLER\n\n   WHERE MITGLIED = TRUE\nORDER BY NAME");
    ausfuehren(anweisung);

    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_EQ(w->Memo1->toPlainText(), anweisung);
    ASSERT_EQ(zeilen(), 2);
    ASSERT_EQ(spalten(), 2);
    EXPECT_EQ(titel(0), "NAME");
    EXPECT_EQ(titel(1), "VORNAME");
    EXPECT_EQ(zelle(0, 0), "Müller");
    EXPECT_EQ(zelle(1, 0), "Schmidt");
    EXPECT_EQ(zelle(1, 1), "Karl");
    EXPECT_TRUE(status().startsWith("2 Zeilen in ")) << status().toStdString();

    // The please-wait indication came while the statement ran and is gone again.
    EXPECT_EQ(bitteWarten.gezeigt, 1);
    EXPECT_FALSE(w->Wartefenster->isVisible());
    EXPECT_TRUE(main->statusText(2).isEmpty());

    // The navigator moves through the rows, and the grid follows.
    QTest::mouseClick(w->DBNavigator1->lastButton(), Qt::LeftButton);
    EXPECT_EQ(w->query().position(), std::optional<size_t>(1));
    EXPECT_EQ(w->DBGrid1->currentIndex().row(), 1);
    EXPECT_FALSE(w->DBNavigator1->nextButton()->isEnabled());
    QTest::mouseClick(w->DBNavigator1->firstButton(), Qt::LeftButton);
    EXPECT_EQ(w->query().position(), std::optional<size_t>(0));
}

TEST_F(SqlFenster, AQueryWithoutRowsShowsAnEmptyGridWithItsColumns)
{
    ausfuehren(QStringLiteral("SELECT NAME, GEBURTSTAG FROM KEGLER WHERE NAME = 'Niemand'"));
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_EQ(zeilen(), 0);
    EXPECT_EQ(spalten(), 2);
    // A date column has room for dd.mm.yyyy.
    EXPECT_GT(w->DBGrid1->columnWidth(1), w->DBGrid1->fontMetrics().horizontalAdvance("00.00.0000"));
    EXPECT_TRUE(w->query().active());
    EXPECT_TRUE(status().startsWith("keine Zeilen in ")) << status().toStdString();
}

TEST_F(SqlFenster, ExecSqlWithASelectRunsWithoutShowingRows)
{
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    ASSERT_EQ(zeilen(), 3);

    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"), w->ExecSQLBtn);
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_FALSE(w->query().active());
    EXPECT_EQ(zeilen(), 0);
    EXPECT_EQ(spalten(), 0);
    EXPECT_TRUE(status().contains("3 Zeilen, nicht angezeigt")) << status().toStdString();
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF").size(), 3u);
}

TEST_F(SqlFenster, ChangingStatementsSayHowManyRecordsTheyChangedAndAreInTheFile)
{
    ausfuehren(QStringLiteral("UPDATE KEGLER\nSET VORNAME = 'Kurt'\nWHERE MITGLIED = TRUE"), w->ExecSQLBtn);
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_TRUE(status().startsWith("2 Datensätze geändert in ")) << status().toStdString();
    EXPECT_EQ(verein.feld(schmidt, "VORNAME"), "Kurt");
    EXPECT_EQ(verein.feld(mueller, "VORNAME"), "Kurt");
    EXPECT_EQ(verein.feld(adler, "VORNAME"), "Bernd");

    // "Abfrage starten" runs a changing statement as well; there are no rows to show.
    ausfuehren(QStringLiteral("DELETE FROM KEGLER WHERE NAME = 'Adler'"));
    EXPECT_TRUE(fehler().isEmpty()) << fehler().join(" | ").toStdString();
    EXPECT_TRUE(status().startsWith("1 Datensatz geändert in ")) << status().toStdString();
    EXPECT_FALSE(w->query().active());
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF").size(), 2u);
    EXPECT_EQ(verein.feld(adler, "NAME"), "<fehlt>");

    ausfuehren(QStringLiteral("UPDATE KEGLER SET VORNAME = 'X' WHERE NAME = 'Niemand'"), w->ExecSQLBtn);
    EXPECT_TRUE(status().startsWith("kein Datensatz geändert in ")) << status().toStdString();
}

TEST_F(SqlFenster, AStatementTheEngineRefusesShowsItsTextAndKeepsTheMemo)
{
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    ASSERT_EQ(zeilen(), 3);

    const QString fehlend = QStringLiteral("SELECT NAME\nFROM GIBTESNICHT");
    ausfuehren(fehlend);
    ASSERT_EQ(fehler().size(), 1);
    EXPECT_EQ(fehler()[0], engineFehler(verein, "SELECT NAME\nFROM GIBTESNICHT"));
    EXPECT_FALSE(fehler()[0].isEmpty());
    EXPECT_EQ(w->Memo1->toPlainText(), fehlend);
    EXPECT_FALSE(w->query().active());
    EXPECT_EQ(zeilen(), 0);
    EXPECT_EQ(status(), "Anweisung nicht ausgeführt");
    EXPECT_FALSE(w->Wartefenster->isVisible());
    EXPECT_TRUE(main->statusText(2).isEmpty());

    const QString falsch = QStringLiteral("SELEKT NAME FROM KEGLER");
    ausfuehren(falsch, w->ExecSQLBtn);
    ASSERT_EQ(fehler().size(), 2);
    EXPECT_EQ(fehler()[1], engineFehler(verein, falsch.toStdString()));
    EXPECT_EQ(w->Memo1->toPlainText(), falsch);

    // A change that fails changes nothing.
    ausfuehren(QStringLiteral("UPDATE KEGLER SET NUMMER = 'keine Zahl'"), w->ExecSQLBtn);
    EXPECT_EQ(fehler().size(), 3);
    EXPECT_EQ(verein.feld(schmidt, "NAME"), "Schmidt");
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF").size(), 3u);
}

TEST_F(SqlFenster, TableNamesAreFilesOfTheWorkingFolderNotOfTheDataFolder)
{
    QTemporaryDir anderswo;
    ASSERT_TRUE(QDir::setCurrent(anderswo.path()));
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    ASSERT_EQ(fehler().size(), 1);
    EXPECT_EQ(zeilen(), 0);

    // With its folder the table is found from anywhere.
    ausfuehren(QStringLiteral("SELECT NAME FROM \"%1\"").arg(QString::fromStdString(verein.pfad("KEGLER.DBF"))));
    EXPECT_EQ(fehler().size(), 1);
    EXPECT_EQ(zeilen(), 3);
}

TEST_F(SqlFenster, CtrlEnterRunsTheStatement)
{
    tippen(QStringLiteral("SELECT NAME\nFROM KEGLER"));
    QTest::keyClick(w->Memo1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(zeilen(), 3);
    EXPECT_EQ(w->Memo1->toPlainText(), "SELECT NAME\nFROM KEGLER");

    // From the grid as well, with the memo's statement as it is now.
    w->Memo1->setPlainText(QStringLiteral("SELECT NAME FROM KEGLER WHERE NAME = 'Adler'"));
    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(zeilen(), 1);
}

TEST_F(SqlFenster, TheButtonsKeysWorkFromTheMemoAndTheWindowTakesTheFocusWhenActivated)
{
    tippen(QStringLiteral("SELECT NAME FROM KEGLER"));
    QTest::keyClick(w->Memo1, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(zeilen(), 3);
    EXPECT_EQ(w->Memo1->toPlainText(), "SELECT NAME FROM KEGLER");

    script.choose(std::nullopt);
    QTest::keyClick(w->DBGrid1, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(script.choosers(), QStringList({"Öffnen"}));

    // Coming to the front, the window puts the focus into the memo.
    // (Without an active window the widget that would have the focus stands for it.)
    w->DBGrid1->setFocus();
    ASSERT_EQ(w->focusWidget(), w->DBGrid1);
    w->FormActivate();
    EXPECT_EQ(w->focusWidget(), w->DBGrid1);
    w->DBGrid1->clearFocus();
    ASSERT_EQ(w->focusWidget(), nullptr);
    w->FormActivate();
    EXPECT_EQ(w->focusWidget(), w->Memo1);
}

TEST_F(SqlFenster, CloseGoesBackAndTheWindowKeepsItsStatementAndRows)
{
    ausfuehren(QStringLiteral("SELECT NAME FROM KEGLER"));
    QTest::mouseClick(w->SchliessenBtn, Qt::LeftButton);
    EXPECT_EQ(main->activeCode(), common::Fenster::Termine);

    main->menuAction(QStringLiteral("SQL-Abfrage"))->trigger();
    EXPECT_EQ(main->activeCode(), common::Fenster::SQLAbfrage);
    EXPECT_EQ(main->Fensterobjekt(common::Fenster::SQLAbfrage), w);
    EXPECT_EQ(w->Memo1->toPlainText(), "SELECT NAME FROM KEGLER");
    EXPECT_EQ(zeilen(), 3);
    EXPECT_EQ(w->windowTitle(), "SQL-Abfrage");
}

} // namespace trevo::sqlwindow::test
