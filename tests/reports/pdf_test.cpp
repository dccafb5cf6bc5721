// Reports written as PDF and read back with pdftotext: what a club official sees on paper.
#include "reports/render/pdf_output.h"
#include "reports/report.h"

#include "engine/dataset/table_data_set.h"
#include "report_test_util.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::ClubFolder;
using test::element;

QString squeezed(QString s)
{
    return s.replace(QRegularExpression("[ ]+"), " ");
}

TEST(PdfTest, ResultsListShowsHeadingsNamesAndAmountsOnEveryPage)
{
    ClubFolder club(70);
    Layout layout = test::resultsLayout();
    QTemporaryDir out;
    const QString pdf = out.filePath("ergebnisse.pdf");
    ReportData data(club.db, club.db.session(), [&](const std::string&) { return club.folder; });
    RenderHooks hooks;
    hooks.printDate = QDate(2024, 4, 1);
    renderToPdf(layout, data, pdf, hooks);
    test::keepPng(pdf, "ergebnisse");

    const QStringList pages = test::pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const QString page = squeezed(pages[i]);
        EXPECT_TRUE(page.contains("Ergebnisse vom 15.03.2024")) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(pages.size())));
        EXPECT_TRUE(page.contains("Nr. Name Spiele Sonstiges Beitrag Summe"));
        EXPECT_TRUE(page.contains("Gedruckt am 01.04.2024"));
    }
    const QString all = squeezed(pages.join("\n"));
    // The first row: 1,35 games, 0,10 other, 2,50 fee, 3,95 in all; each name once.
    EXPECT_TRUE(all.contains("1 " + club.names[0] + " 1,35 0,10 2,50 3,95")) << all.toStdString();
    for (const QString& name : club.names) EXPECT_EQ(all.count(name), 1) << name.toStdString();
    EXPECT_TRUE(squeezed(pages.back()).contains("70 Kegler Gesamt " + test::euros(club.totalCents)));
}

// A memo printed line by line: the program puts a plain multi-line text element where
// the memo field was, and fills its lines before each row prints.
TEST(PdfTest, MemoPrintsLineByLineThroughTheAdjustments)
{
    ClubFolder club(4);
    {
        engine::TableDataSet kegler(club.db, club.db.session(), club.path("KEGLER.DBF"));
        kegler.setIndex("NUMMER");
        kegler.open();
        kegler.first();
        kegler.edit();
        kegler.setText("BEMERKUNGE", "Zahlt den Beitrag jährlich.\r\nHat den Schlüssel zur Bahn.\r\n\r\nKegelt seit 1998.");
        kegler.post();
    }
    Layout layout;
    layout.sources.push_back({"KEGLER", "KEGLER.DBF", "", "NUMMER"});
    Band& detail = layout.addBand(BandKind::Detail);
    detail.source = "KEGLER";
    detail.heightMm = 7;
    detail.elements.push_back(element("NameFeld", {0, 1, 60, 5}, FieldElement{"KEGLER", "NAME", ""}));
    detail.elements.push_back(element("BemerkungFeld", {65, 1, 110, 5}, FieldElement{"KEGLER", "BEMERKUNGE", ""}));

    Report report(club.db, club.db.session());
    report.setFolderFinder([&](const std::string&) { return club.folder; });
    report.setAfterLoad([](Report& r) {
        Element* memo = r.addTextElementLike("BemerkungFeld", "BemerkungMemo");
        const FieldElement field = *r.find<FieldElement>("BemerkungFeld");
        r.clearBinding("BemerkungFeld");
        r.beforePrint(*r.bandOf(*memo), [memo, field](BandPrint& p) {
            memo->as<TextElement>()->lines = p.lines(field.source, field.field);
        });
    });
    ASSERT_TRUE(report.setLayout(layout, "MITGLIEDER.QR2")) << report.errorText().toStdString();
    QTemporaryDir out;
    const QString pdf = out.filePath("memo.pdf");
    ASSERT_TRUE(report.renderToPdf(pdf)) << report.errorText().toStdString();
    test::keepPng(pdf, "memo");

    const QStringList lines = test::pdfText(pdf).split('\n');
    const auto lineWith = [&](const QString& s, int from) {
        for (int i = from; i < lines.size(); ++i)
            if (lines[i].contains(s)) return i;
        return -1;
    };
    const int first = lineWith("Zahlt den Beitrag jährlich.", 0);
    ASSERT_GE(first, 0) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[first].contains(club.names[0].section(',', 0, 0))) << lines[first].toStdString();
    EXPECT_EQ(lineWith("Hat den Schlüssel zur Bahn.", 0), first + 1);
    EXPECT_TRUE(lines[first + 2].trimmed().isEmpty());
    EXPECT_EQ(lineWith("Kegelt seit 1998.", 0), first + 3);
    EXPECT_GT(lineWith(club.names[1].section(',', 0, 0), first + 1), first + 3);
}

// Formatted memos (RTF of older editors, HTML) print with their line breaks, and the
// row grows so that the next one begins below them.
TEST(PdfTest, RichTextMemoGrowsItsRow)
{
    ClubFolder club(3);
    {
        engine::TableDataSet kegler(club.db, club.db.session(), club.path("KEGLER.DBF"));
        kegler.setIndex("NUMMER");
        kegler.open();
        kegler.first();
        kegler.edit();
        kegler.setText("BEMERKUNGE", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\b Kassenwart} seit 2010\\par "
                                     "Schl\\'fcssel f\\'fcr Bahn 2\\par Spendet das Freibier}");
        kegler.post();
    }
    Layout layout;
    layout.sources.push_back({"KEGLER", "KEGLER.DBF", "", "NUMMER"});
    Band& detail = layout.addBand(BandKind::Detail);
    detail.source = "KEGLER";
    detail.heightMm = 6;
    detail.elements.push_back(element("Name", {0, 0, 60, 5}, FieldElement{"KEGLER", "NAME", ""}));
    detail.elements.push_back(element("Bemerkung", {65, 0, 110, 5}, RichTextElement{"KEGLER", "BEMERKUNGE", true}));
    Report report(club.db, club.db.session());
    report.setFolderFinder([&](const std::string&) { return club.folder; });
    ASSERT_TRUE(report.setLayout(layout, "BEMERKUNGEN.QR2"));
    QTemporaryDir out;
    const QString pdf = out.filePath("bemerkungen.pdf");
    ASSERT_TRUE(report.renderToPdf(pdf)) << report.errorText().toStdString();
    const QStringList lines = test::pdfText(pdf).split('\n');
    const int first = lines.indexOf(QRegularExpression(".*Kassenwart seit 2010.*"));
    ASSERT_GE(first, 0);
    EXPECT_TRUE(lines[first + 1].contains("Schlüssel für Bahn 2"));
    EXPECT_TRUE(lines[first + 2].contains("Spendet das Freibier"));
    const int second = lines.indexOf(QRegularExpression(".*" + club.names[1].section(',', 0, 0) + ".*"), first);
    EXPECT_GT(second, first + 2);
}

TEST(PdfTest, BlankTallySheetShowsItsRuledGrid)
{
    ClubFolder club(0);
    Layout layout;
    layout.description << "Strichliste für einen Abend";
    Band& title = layout.addBand(BandKind::Title);
    title.heightMm = 240;
    Element heading = element("Ueberschrift", {0, 0, 175, 9}, LabelElement{"Strichliste Kegelabend"});
    heading.style.pointSize = 16;
    heading.style.bold = true;
    title.elements.push_back(heading);
    Element grid = element("Liste", {0, 14, 175, 220},
                           GridElement{24, {{"Name", 55}, {"Pudel"}, {"Kränze"}, {"Alle Neune"}, {"Getränke"}}, 0.25});
    grid.style.bold = true;
    grid.style.align = HAlign::Center;
    title.elements.push_back(grid);
    Report report(club.db, club.db.session());
    ASSERT_TRUE(report.setLayout(layout, "STRICHLISTE.QR2"));
    QTemporaryDir out;
    const QString pdf = out.filePath("strichliste.pdf");
    ASSERT_TRUE(report.renderToPdf(pdf)) << report.errorText().toStdString();
    test::keepPng(pdf, "strichliste");
    const QString text = squeezed(test::pdfText(pdf));
    EXPECT_TRUE(text.contains("Strichliste Kegelabend"));
    EXPECT_TRUE(text.contains("Name Pudel Kränze Alle Neune Getränke")) << text.toStdString();
    // 25 rows and 6 column lines: every line is in the page, none repeated.
    const Printout& pages = report.printout();
    ASSERT_EQ(pages.pages.size(), 1u);
    int lines = 0;
    for (const PageItem& item : pages.pages[0].items) lines += std::holds_alternative<LineItem>(item) ? 1 : 0;
    EXPECT_EQ(lines, 26 + 6);
}

} // namespace
} // namespace trevo::reports
