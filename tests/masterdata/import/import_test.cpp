// The member import worked through the real dialog, the stored bowlers read from the file.
#include "import_fixture.h"

#include <QApplication>
#include <QLabel>

namespace trevo::masterdata::test {
namespace {

using engine::Value;

int satz(TestVerein& v, int nummer, const std::string& name, const std::string& vorname = {})
{
    return v.satz("KEGLER.DBF", {{"NUMMER", Value::number(nummer)},
                                 {"NAME", Value::text(name)},
                                 {"VORNAME", Value::text(vorname)}});
}

TEST_F(Import, NumbersNewBowlersAfterTheHighestAndWritesOnlyWhatIsConnected)
{
    satz(verein, 41, "Vorhanden");
    const auto pfad = quelle("ALT.DBF", "VNAME C(20); NNAME C(20); ORT C(20)",
                             {"('Anna', 'Adler', 'Bonn')", "('Bernd', 'Berg', 'Köln')", "('Carla', 'Cremer', 'Ulm')",
                              "('Dirk', 'Dorn', 'Hof')"});
    QStringList zeilen;
    QList<bool> spalten;
    const int n = importieren(pfad, [&](TDBImportDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Datenimport");
        EXPECT_EQ(d.Listbox2->count(), 3);
        EXPECT_EQ(d.ListBox3->currentRow(), 0);
        EXPECT_FALSE(d.HelpBtn->isVisible());
        verbinden(d, "NAME", "NNAME");
        verbinden(d, "VORNAME", "VNAME"); // the first source field
        zeilen = d.verbindungszeilen();
        // The source field starts at the first blank past 150 pixels.
        const QFontMetrics m = d.ListBox3->fontMetrics();
        for (const QString& z : {zeilen.value(2), zeilen.value(3)}) {
            const int ab = int(z.lastIndexOf(' ')) + 1;
            spalten << (m.horizontalAdvance(z.left(ab)) >= 150 && m.horizontalAdvance(z.left(ab - 1)) < 150);
        }
        ok(d);
    });
    EXPECT_EQ(n, 4);
    // Unconnected rows show the target field alone, connected ones the source field after a column.
    EXPECT_EQ(zeilen.value(0), "NUMMER");
    EXPECT_TRUE(zeilen.value(2).startsWith("NAME ")) << zeilen.value(2).toStdString();
    EXPECT_TRUE(zeilen.value(2).endsWith(" NNAME"));
    EXPECT_EQ(spalten, (QList<bool>{true, true}));
    EXPECT_EQ(anzahl(), 5u);
    EXPECT_EQ(verein.feld(42, "NAME"), "Adler");
    EXPECT_EQ(verein.feld(42, "VORNAME"), "Anna");
    EXPECT_EQ(verein.feld(45, "NAME"), "Dorn");
    EXPECT_EQ(verein.feld(45, "VORNAME"), "Dirk");
    // No rule of the members table ran: nothing else was written.
    for (const char* feld : {"ORT", "MITGLIED", "GEBTAGNUM", "MITGLIEDNR"}) EXPECT_EQ(verein.feld(43, feld), "") << feld;
    EXPECT_EQ(verein.feld(41, "NAME"), "Vorhanden");
}

TEST_F(Import, KeyMatchingChangesTheBowlerOfTheNumberAndAppendsTheOthers)
{
    satz(verein, 7, "Schmidt", "Karl");
    satz(verein, 8, "Berg", "Eva");
    const auto pfad = quelle("NR.DBF", "NR N(5,0); NAME C(20)", {"(7, 'Schmitz')", "(50, 'Neu')"});
    int schluessel = -2;
    importieren(pfad, [&](TDBImportDlg& d) {
        verbinden(d, "NUMMER", "NR");
        verbinden(d, "NAME", "NAME");
        schluessel = d.schluessel();
        ok(d);
    });
    EXPECT_EQ(schluessel, 0);
    EXPECT_EQ(anzahl(), 3u);
    EXPECT_EQ(verein.feld(7, "NAME"), "Schmitz");
    EXPECT_EQ(verein.feld(7, "VORNAME"), "Karl"); // not connected: kept
    EXPECT_EQ(verein.feld(50, "NAME"), "Neu");
    EXPECT_EQ(verein.feld(8, "NAME"), "Berg");
}

TEST_F(Import, LoosingTheNumberEndsKeyMatchingAndAnEmptyTargetStartsWithoutNumber)
{
    const auto pfad = quelle("NR.DBF", "NR N(5,0); NAME C(20)", {"(7, 'Erster')", "(8, 'Zweiter')", "(9, 'Dritter')"});
    QString zeile;
    importieren(pfad, [&](TDBImportDlg& d) {
        verbinden(d, "NUMMER", "NR");
        verbinden(d, "NAME", "NAME");
        d.ListBox3->setCurrentRow(0);
        QTest::mouseClick(d.LoesenBtn, Qt::LeftButton);
        EXPECT_EQ(d.schluessel(), -1);
        zeile = d.verbindungszeilen().value(0);
        ok(d);
    });
    EXPECT_EQ(zeile, "NUMMER");
    const auto saetze = verein.dateiInhalt("KEGLER.DBF");
    ASSERT_EQ(saetze.size(), 3u);
    EXPECT_TRUE(saetze[0][0].isNull());
    EXPECT_EQ(verein.feld(1, "NAME"), "Zweiter");
    EXPECT_EQ(verein.feld(2, "NAME"), "Dritter");
}

TEST_F(Import, ProgressCountsInPercentOfTheSourceRecords)
{
    const auto pfad = quelle("DREI.DBF", "NAME C(20)", {"('A',)", "('B',)", "('C',)"});
    QList<int> fortschritt;
    QStringList angezeigt; // the message line of the visible please-wait window at each step
    importieren(pfad, [&](TDBImportDlg& d) {
        QObject::connect(&d, &TDBImportDlg::fortschrittGeschrieben, [&](int p) {
            fortschritt << p;
            for (QWidget* fenster : QApplication::topLevelWidgets())
                if (fenster->objectName() == "Bitte_warten_form" && fenster->isVisible())
                    if (auto* zeile = fenster->findChild<QLabel*>("Meldung")) angezeigt << zeile->text();
        });
        verbinden(d, "NAME", "NAME");
        ok(d);
    });
    EXPECT_EQ(fortschritt, (QList<int>{33, 67, 100}));
    EXPECT_EQ(angezeigt, (QStringList{"33", "67", "100"}));
    for (QWidget* fenster : QApplication::topLevelWidgets())
        EXPECT_FALSE(fenster->objectName() == "Bitte_warten_form" && fenster->isVisible());
    EXPECT_EQ(anzahl(), 3u);
}

TEST_F(Import, CancelImportsNothing)
{
    satz(verein, 3, "Alt");
    const auto pfad = quelle("ZWEI.DBF", "NAME C(20)", {"('A',)", "('B',)"});
    const int n = importieren(pfad, [&](TDBImportDlg& d) {
        verbinden(d, "NAME", "NAME");
        QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(anzahl(), 1u);
}

TEST_F(Import, NoSourceEmptySourceAndForeignFileShowNoDialog)
{
    script.choose(std::nullopt);
    EXPECT_EQ(Importieren(verein), 0);

    script.choose(QString::fromStdString(quelle("LEER.DBF", "NAME C(20)", {})));
    EXPECT_EQ(Importieren(verein), 0);
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_EQ(script.texts().value(0), "Die Datei enthält keine Daten");

    QFile fremd(QString::fromStdString(verein.pfad("FREMD.DBF")));
    ASSERT_TRUE(fremd.open(QIODevice::WriteOnly));
    fremd.write("Das ist keine Tabelle, sondern ein Brief.\n");
    fremd.close();
    script.choose(fremd.fileName());
    EXPECT_EQ(Importieren(verein), 0);
    ASSERT_EQ(script.texts().size(), 2);
    EXPECT_TRUE(script.texts().value(1).contains("FREMD.DBF")) << script.texts().value(1).toStdString();
    EXPECT_EQ(script.shown().back().kind, common::BoxKind::Error);
    EXPECT_TRUE(modal.shown().isEmpty());
    EXPECT_EQ(anzahl(), 0u);
}

TEST_F(Import, WaitsForTheBowlerBeingTypedInTheMembersWindow)
{
    quelle("EINS.DBF", "NAME C(20)", {"('A',)"});
    verein.kegler().append();
    verein.kegler().setText("NAME", "Getippt");
    EXPECT_EQ(Importieren(verein), 0); // no file chooser, no dialog
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_TRUE(script.texts().value(0).contains("zuerst den Datensatz"));
    EXPECT_EQ(verein.kegler().text("NAME"), "Getippt");
    EXPECT_EQ(anzahl(), 0u);
    verein.kegler().cancel();
}

TEST_F(Import, AValueThatDoesNotConvertEndsTheImportKeepingTheRecordsBefore)
{
    const auto pfad = quelle("AMT.DBF", "NAME C(20); AMT C(10)", {"('Adler', '3')", "('Berg', 'Kassierer')",
                                                                   "('Cremer', '4')"});
    const int n = importieren(pfad, [&](TDBImportDlg& d) {
        verbinden(d, "NAME", "NAME");
        verbinden(d, "FUNKTION", "AMT");
        ok(d);
    });
    EXPECT_EQ(n, 1);
    ASSERT_EQ(anzahl(), 1u);
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF")[0][2].text(), "Adler");
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_EQ(script.shown().back().kind, common::BoxKind::Error);
    EXPECT_TRUE(script.texts().value(0).startsWith("'Kassierer' ist keine gültige Zahl für das Feld 'FUNKTION'"));
    EXPECT_TRUE(script.texts().value(0).endsWith("Importierte Datensätze: 1")) << script.texts().value(0).toStdString();
}

TEST_F(Import, ReadsASourceInItsOwnCodePage)
{
    satz(verein, 1, "Erster");
    const auto pfad = quelle("DOS.DBF", "NAME C(20)", {"('Müller',)", "('Größe',)"}, "cp850");
    importieren(pfad, [&](TDBImportDlg& d) {
        verbinden(d, "NAME", "NAME");
        ok(d);
    });
    EXPECT_EQ(verein.feld(2, "NAME"), "Müller");
    EXPECT_EQ(verein.feld(3, "NAME"), "Größe");
}

} // namespace
} // namespace trevo::masterdata::test
