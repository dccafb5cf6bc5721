// The print facility's view of a report: loading, the program's adjustments, output.
#include "reports/report.h"

#include "reports/format/layout_writer.h"
#include "report_test_util.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::ClubFolder;

struct ReportFixture : ::testing::Test {
    ClubFolder club{5};
    QTemporaryDir programFolder;
    Report report{club.db, club.db.session()};
    QString layoutPath = programFolder.filePath("ERGEBNISSE1.QR2");

    ReportFixture()
    {
        Layout layout = test::resultsLayout();
        Band& title = layout.addBand(BandKind::Title);
        title.heightMm = 8;
        title.elements.push_back(test::element("DATUMQRLABEL", {0, 0, 60, 6}, LabelElement{"Datum"}));
        writeLayoutFile(layout, layoutPath, nullptr);
        report.setFolderFinder([this](const std::string&) { return club.folder; });
    }
    QStringList pageTexts(int page)
    {
        QStringList out;
        for (const PageItem& item : report.printout().pages.at(page).items)
            if (const auto* t = std::get_if<TextRun>(&item)) out << t->text;
        return out;
    }
};

TEST_F(ReportFixture, LoadReportsFailureInGermanAndHoldsNoLayout)
{
    EXPECT_FALSE(report.load(programFolder.filePath("FEHLT.QR2")));
    EXPECT_FALSE(report.loaded());
    EXPECT_TRUE(report.errorText().startsWith("Die Reportdatei FEHLT.QR2 wurde nicht gefunden")) << report.errorText().toStdString();
    QFile broken(programFolder.filePath("KAPUTT.QR2"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<trevo-report version=\"1\">\n<band kind=\"detail\"");
    broken.close();
    EXPECT_FALSE(report.load(broken.fileName()));
    EXPECT_TRUE(report.errorText().startsWith("Die Reportdatei KAPUTT.QR2 ist beschädigt: Zeile 2: ")) << report.errorText().toStdString();
    EXPECT_FALSE(report.render());
    EXPECT_EQ(report.errorText(), "Es ist kein Bericht geladen.");
}

TEST_F(ReportFixture, AfterLoadAdjustsLabelsCopiesAndFindsElementsByNameAndClass)
{
    int loads = 0;
    report.setAfterLoad([&](Report& r) {
        ++loads;
        EXPECT_TRUE(r.setLabelText("datumqrlabel", "01.04.2024"));
        EXPECT_FALSE(r.setLabelText("Gesamt", "kein Label")); // an expression, not a label
        EXPECT_EQ(r.find<LabelElement>("Gesamt"), nullptr);
        EXPECT_NE(r.find<ExprElement>("Gesamt"), nullptr);
        EXPECT_EQ(r.elements(ElementKind::Field).size(), 6);
        r.setCopies(2);
    });
    ASSERT_TRUE(report.load(programFolder.filePath("ergebnisse1.qr2"))) << report.errorText().toStdString();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(report.fileName(), "ergebnisse1.qr2");
    EXPECT_EQ(report.description(), (QStringList{"Ergebnisliste eines Abends", "mit Summen"}));
    EXPECT_EQ(report.copies(), 2);
    ASSERT_TRUE(report.render()) << report.errorText().toStdString();
    EXPECT_EQ(report.printout().copies, 2);
    EXPECT_TRUE(pageTexts(0).contains("01.04.2024"));
    EXPECT_TRUE(pageTexts(0).contains(club.names[4]));
}

TEST_F(ReportFixture, FailuresOfTheCallBacksAndTheDataEndInTheErrorText)
{
    report.setAfterLoad([](Report&) { throw engine::EngineError("Kein Abend ausgewählt."); });
    EXPECT_FALSE(report.load(layoutPath));
    EXPECT_EQ(report.errorText(), "Der Bericht ERGEBNISSE1.QR2 kann nicht vorbereitet werden: Kein Abend ausgewählt.");
    EXPECT_FALSE(report.loaded());

    report.setAfterLoad([](Report& r) {
        r.beforePrint(BandKind::Detail, [](BandPrint& p) {
            if (p.value("AUSWERTUNG", "NUMMER").toNumber() == 3) throw engine::EngineError("Abbruch bei Kegler 3.");
        });
    });
    ASSERT_TRUE(report.load(layoutPath));
    EXPECT_FALSE(report.render());
    EXPECT_EQ(report.errorText(), "Der Bericht ERGEBNISSE1.QR2 kann nicht erstellt werden: Abbruch bei Kegler 3.");

    report.setAfterLoad({});
    ASSERT_TRUE(report.load(layoutPath));
    report.setFolderFinder([](const std::string&) { return std::string("/kein/ordner/"); });
    EXPECT_FALSE(report.renderToPdf(programFolder.filePath("x.pdf")));
    EXPECT_EQ(report.errorText(), "Der Bericht ERGEBNISSE1.QR2 kann nicht erstellt werden: Die Tabelle AUSWERTU.DBF "
                                  "der Datenquelle AUSWERTUNG fehlt im Ordner '/kein/ordner/'.");
}

// The program names a folder per table; the names in the folder may differ in case.
TEST_F(ReportFixture, FolderCallBackIsAskedForEachTable)
{
    QTemporaryDir other;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(club.path("WERTETAB.DBF")), other.filePath("wertetab.dbf")));
    club.addValue(9, "DATUM", "nicht dieser Ordner"); // the data folder's table is not read
    std::vector<std::string> asked;
    report.setFolderFinder([&](const std::string& fileName) {
        asked.push_back(fileName);
        return fileName == "WERTETAB.DBF" ? other.path().toStdString() : club.folder;
    });
    ASSERT_TRUE(report.load(layoutPath));
    ASSERT_TRUE(report.render()) << report.errorText().toStdString();
    EXPECT_EQ(asked, (std::vector<std::string>{"AUSWERTU.DBF", "WERTETAB.DBF"}));
    EXPECT_TRUE(pageTexts(0).contains("Ergebnisse vom 15.03.2024"));
}

TEST_F(ReportFixture, PrintingPaintsTheRenderedPagesOnAnyPagedDevice)
{
    ASSERT_TRUE(report.load(layoutPath));
    report.setPrintDate(QDate(2024, 12, 24));
    ASSERT_TRUE(report.render());
    const QString path = programFolder.filePath("drucker.pdf");
    QPdfWriter printer(path);
    EXPECT_TRUE(report.print(printer));
    EXPECT_TRUE(test::pdfText(path).contains("Gedruckt am 24.12.2024"));
    EXPECT_FALSE(report.renderToPdf(programFolder.filePath("kein/ordner/x.pdf")));
    EXPECT_TRUE(report.errorText().startsWith("Die PDF-Datei ")) << report.errorText().toStdString();
}

} // namespace
} // namespace trevo::reports
