// trevo-druck as the support runs it: a layout file over a data folder, into a PDF file
// or refused with a German message and exit code 1.
#include "report_test_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::ClubFolder;

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun druck(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TREVO_TOOLS_DIR "/trevo-druck"), args);
    const bool finished = p.waitForFinished(120000);
    EXPECT_TRUE(finished && p.exitStatus() == QProcess::NormalExit) << "trevo-druck " << args.join(' ').toStdString();
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

// The evening's results, as a club would write the file by hand.
const char* resultsFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<trevo-report version="1">
  <description><text-line>Ergebnisse</text-line></description>
  <sources>
    <source name="AUSWERTUNG" file="auswertu.dbf" order="NUMMER"/>
    <source name="TITEL" file="WERTETAB.DBF" filter="BEZEICHNUN='TITEL'"/>
  </sources>
  <band kind="page-header" height="10">
    <expression x="0" y="0" width="175" height="8" size="14" bold="true">TITEL.WERT + ", Seite " + PAGE</expression>
  </band>
  <band kind="detail" height="6" source="AUSWERTUNG">
    <field x="0" y="0" width="100" height="5" source="AUSWERTUNG" field="NAME"/>
    <field x="140" y="0" width="35" height="5" align="right" source="AUSWERTUNG" field="SUMME" format="#,##0.00"/>
  </band>
  <band kind="summary" height="8">
    <expression x="0" y="1" width="175" height="6" align="right" format="#,##0.00">"Gesamt " + SUM(AUSWERTUNG.SUMME)</expression>
  </band>
</trevo-report>
)";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QString squeezed(QString s)
{
    return s.replace(QRegularExpression("[ ]+"), " ");
}

class TrevoDruck : public ::testing::Test {
protected:
    ClubFolder club{12};
    QString folder = QString::fromStdString(club.folder);
    QTemporaryDir out;
    QString pdf = out.filePath("ergebnisse.pdf");

    void SetUp() override { writeFile(folder + "Ergebnisse.qr2", resultsFile); }
};

TEST_F(TrevoDruck, WritesThePdfOfALayoutInTheDataFolderWithoutAScreen)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    // The bare file name lies in the data folder, whatever its case.
    const ToolRun run = druck({folder, "ERGEBNISSE.QR2", "--pdf", pdf}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("1 Seite (1 Exemplar) in die PDF-Datei")) << run.out.toStdString();
    const QString text = squeezed(test::pdfText(pdf));
    EXPECT_TRUE(text.contains("Kegelabend im Vereinsheim, Seite 1")) << text.toStdString();
    for (const QString& name : club.names) EXPECT_EQ(text.count(name), 1) << name.toStdString();
    EXPECT_TRUE(text.contains("Gesamt " + test::euros(club.totalCents))) << text.toStdString();
}

TEST_F(TrevoDruck, CopiesFollowOneAnotherAndALayoutMayLieElsewhere)
{
    writeFile(out.filePath("eigene.qr2"), resultsFile);
    const ToolRun run = druck({"--kopien=3", folder, out.filePath("eigene.qr2"), "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("1 Seite (3 Exemplare)")) << run.out.toStdString();
    const QStringList pages = test::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3);
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(club.names.front()));
        EXPECT_TRUE(squeezed(page).contains("Gesamt " + test::euros(club.totalCents)));
    }
}

TEST_F(TrevoDruck, RefusesWrongCallsInGermanWithExitCodeOne)
{
    writeFile(folder + "kaputt.qr2", "<trevo-report version=\"1\">\n<band kind=\"detail\" height=\"viel\"/>\n</trevo-report>\n");
    writeFile(folder + "fremd.qr2", QByteArray(resultsFile).replace("auswertu.dbf", "ABRECHNG.DBF"));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "Aufruf: trevo-druck ORDNER REPORTDATEI"},
        {{folder}, "Es fehlt die Angabe der Reportdatei."},
        {{folder, "ergebnisse.qr2", "mehr"}, "Zu viele Angaben: 'mehr'."},
        {{folder + "fehlt", "ergebnisse.qr2"}, "Der Datenordner " },
        {{folder, "fehlt.qr2", "--pdf", pdf}, "Die Reportdatei fehlt.qr2 wurde nicht gefunden"},
        {{folder, "kaputt.qr2", "--pdf", pdf}, "Die Reportdatei kaputt.qr2 ist beschädigt: Zeile 2: Attribut 'height'"},
        {{folder, "fremd.qr2", "--pdf", pdf}, "Die Tabelle ABRECHNG.DBF der Datenquelle AUSWERTUNG fehlt"},
        {{folder, "ergebnisse.qr2", "--farbe", "rot"}, "Unbekannte Angabe '--farbe'."},
        {{folder, "ergebnisse.qr2", "-p"}, "Unbekannte Angabe '-p'."},
        {{folder, "ergebnisse.qr2", "--pdf"}, "Bei '--pdf' fehlt der Wert."},
        {{folder, "ergebnisse.qr2", "--kopien", "0"}, "von 1 bis 99 sein, nicht '0'"},
        {{folder, "ergebnisse.qr2", "--kopien", "100"}, "von 1 bis 99 sein, nicht '100'"},
        {{folder, "ergebnisse.qr2", "--kopien=zwei"}, "von 1 bis 99 sein, nicht 'zwei'"},
        {{folder, "ergebnisse.qr2", "--kopien", "2.5"}, "von 1 bis 99 sein, nicht '2.5'"},
        {{folder, "ergebnisse.qr2", "--pdf", out.filePath("fehlt/x.pdf")}, "kann nicht geschrieben werden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun run = druck(c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// No print server to ask: the tool says so rather than failing silently.
TEST_F(TrevoDruck, WithoutAPrinterPointsToThePdf)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", out.filePath("kein-cups.sock"));
    const ToolRun run = druck({folder, "ergebnisse.qr2", "--kopien", "2"}, env);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Es ist kein Drucker eingerichtet. Mit --pdf DATEI")) << run.err.toStdString();
}

} // namespace
} // namespace trevo::reports
