// Pagination, sums, groups and the calls before each band, checked on the laid-out pages.
#include "reports/render/renderer.h"

#include "reports/render/band_layout.h"

#include "engine/core/error.h"
#include "report_test_util.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::ClubFolder;
using test::element;

QStringList texts(const Page& page)
{
    QStringList out;
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item)) out << t->text;
    return out;
}

const TextRun* run(const Page& page, const QString& text)
{
    for (const PageItem& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item); t && t->text == text) return t;
    return nullptr;
}

struct Rendering {
    ClubFolder& club;
    RenderHooks hooks;
    Rendering(ClubFolder& c) : club(c) { hooks.printDate = QDate(2024, 4, 1); }
    Printout operator()(Layout& layout)
    {
        ReportData data(club.db, club.db.session(), [&](const std::string&) { return club.folder; });
        return renderReport(layout, data, hooks);
    }
};

TEST(RenderTest, LongListContinuesWithHeadersAndPageNumbersOnEveryPage)
{
    ClubFolder club(70);
    Layout layout = test::resultsLayout();
    const Printout out = Rendering{club}(layout);
    const int n = static_cast<int>(out.pages.size());
    ASSERT_GE(n, 2);
    const double footerTop = 297 - 15 - 8;
    QStringList printedNames;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i + 1);
        const Page& page = out.pages[i];
        const QStringList t = texts(page);
        EXPECT_TRUE(t.contains("Ergebnisse vom 15.03.2024"));
        EXPECT_TRUE(t.contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(n)));
        EXPECT_TRUE(t.contains("Name"));
        EXPECT_TRUE(t.contains("Gedruckt am 01.04.2024"));
        EXPECT_NEAR(run(page, "Gedruckt am 01.04.2024")->box.top(), footerTop + 2, 1e-9);
        for (const PageItem& item : page.items) {
            const auto* t = std::get_if<TextRun>(&item);
            if (t && !t->text.startsWith("Gedruckt")) {
                EXPECT_LE(t->box.bottom(), footerTop + 1e-9) << t->text.toStdString();
            }
        }
        for (const QString& s : t)
            if (club.names.contains(s)) printedNames << s;
    }
    EXPECT_EQ(printedNames, club.names);
    const QStringList last = texts(out.pages.back());
    EXPECT_TRUE(last.contains("70 Kegler"));
    EXPECT_TRUE(last.contains("Gesamt " + test::euros(club.totalCents)));
    EXPECT_FALSE(texts(out.pages.front()).contains("70 Kegler"));
}

TEST(RenderTest, SumsAddUpToTheCentAndGroupsSumTheirOwnRows)
{
    ClubFolder club(0);
    const double amounts[] = {0.1, 0.2, 0.7, 1000.05, 0.1, 0.2};
    for (int i = 0; i < 6; ++i) club.addResult(i + 1, QStringLiteral("Kegler %1").arg(i + 1), amounts[i], 0, i < 3 ? 2.5 : 0);
    Layout layout = test::resultsLayout();
    layout.sources[0].order = "BEITRAG";
    Band& header = layout.addBand(BandKind::GroupHeader);
    header.groupField = "BEITRAG";
    header.heightMm = 6;
    header.elements.push_back(element("Gruppe", {0, 0, 100, 5}, ExprElement{"\"Beitrag \" + AUSWERTUNG.BEITRAG", "0.00"}));
    Band& footer = layout.addBand(BandKind::GroupFooter);
    footer.heightMm = 6;
    footer.elements.push_back(element("Zwischensumme", {0, 0, 175, 5},
                                      ExprElement{"COUNT(AUSWERTUNG) + \" Kegler: \" + SUM(AUSWERTUNG.SUMME)", "0.00"}));
    const Printout out = Rendering{club}(layout);
    ASSERT_EQ(out.pages.size(), 1u);
    const QStringList t = texts(out.pages[0]);
    const auto at = [&](const QString& s) { return t.indexOf(s); };
    EXPECT_GE(at("Beitrag 0,00"), 0) << t.join(" | ").toStdString();
    EXPECT_GT(at("3 Kegler: 1000,35"), at("Beitrag 0,00"));
    EXPECT_GT(at("Beitrag 2,50"), at("3 Kegler: 1000,35"));
    EXPECT_GT(at("3 Kegler: 8,50"), at("Beitrag 2,50"));
    EXPECT_GT(at("Gesamt 1.008,85"), at("3 Kegler: 8,50"));
    EXPECT_GE(at("6 Kegler"), 0);
}

TEST(RenderTest, SecondSourceGivesTheFilteredRecordAndFaultsNameTheSource)
{
    ClubFolder club(3);
    Layout layout = test::resultsLayout();
    layout.sources[1].filter = "BEZEICHNUN='ORT'";
    layout.band(BandKind::Summary)->elements.push_back(element("Werte", {0, 8, 50, 5}, ExprElement{"COUNT(DATUM) + \" Wert\"", ""}));
    const QStringList t = texts(Rendering{club}(layout).pages[0]);
    EXPECT_TRUE(t.contains("Ergebnisse vom Gasthaus Zur Linde"));
    EXPECT_TRUE(t.contains("1 Wert")); // all records of another source, filtered
    layout.sources[1].filter = "BEZEICHNUN='FEHLT'";
    EXPECT_TRUE(texts(Rendering{club}(layout).pages[0]).contains("Ergebnisse vom "));

    const auto error = [&](Layout l) {
        try {
            Rendering render(club);
            render(l);
        } catch (const engine::EngineError& e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    Layout badFilter = test::resultsLayout();
    badFilter.sources[1].filter = "BEZEICHNUNG='DATUM'";
    EXPECT_TRUE(error(badFilter).startsWith("Datenquelle DATUM (WERTETAB.DBF): ")) << error(badFilter).toStdString();
    Layout badField = test::resultsLayout();
    badField.band(BandKind::Detail)->elements.front().as<FieldElement>()->field = "NUMMMER";
    EXPECT_EQ(error(badField), "Element NUMMER: Die Tabelle AUSWERTU.DBF der Datenquelle AUSWERTUNG hat kein Feld NUMMMER.");
    Layout missing = test::resultsLayout();
    missing.sources[0].fileName = "ERGEBNIS.DBF";
    EXPECT_EQ(error(missing), QStringLiteral("Die Tabelle ERGEBNIS.DBF der Datenquelle AUSWERTUNG fehlt im Ordner '%1'.")
                                  .arg(QString::fromStdString(club.folder)));
}

TEST(RenderTest, CallsBeforeEachBandSeeTheRecordAndMayLeaveTheBandOut)
{
    ClubFolder club(6);
    Layout layout = test::resultsLayout();
    Rendering render(club);
    Band& detail = *layout.band(BandKind::Detail);
    QStringList seen;
    render.hooks.addBeforePrint(detail, [&](BandPrint& p) {
        seen << p.text("AUSWERTUNG", "NUMMER");
        if (p.value("AUSWERTUNG", "NUMMER").toNumber() > 4) p.skip();
    });
    const Printout out = render(layout);
    EXPECT_EQ(seen, (QStringList{"1", "2", "3", "4", "5", "6"}));
    const QStringList t = texts(out.pages[0]);
    EXPECT_TRUE(t.contains(club.names[3]));
    EXPECT_FALSE(t.contains(club.names[4]));
    EXPECT_TRUE(t.contains("6 Kegler")); // left out of the print, not of the count
}

TEST(RenderTest, BandTallerThanAPageGoesOnOverTheNextPages)
{
    ClubFolder club(2);
    Layout layout = test::resultsLayout();
    Band& summary = *layout.band(BandKind::Summary);
    Element lines = element("Protokoll", {0, 12, 175, 5}, TextElement{});
    lines.frame = Frame{true, true, true, true};
    for (int i = 1; i <= 150; ++i) lines.as<TextElement>()->lines << QStringLiteral("Protokollzeile %1").arg(i);
    summary.elements.push_back(lines);
    const Printout out = Rendering{club}(layout);
    ASSERT_GE(out.pages.size(), 3u);
    QStringList printed;
    for (const Page& page : out.pages) {
        for (const PageItem& item : page.items) EXPECT_LE(itemBottom(item), 297 - 15 + 1e-9);
        for (const QString& s : texts(page))
            if (s.startsWith("Protokollzeile")) printed << s;
    }
    ASSERT_EQ(printed.size(), 150);
    EXPECT_EQ(printed.back(), "Protokollzeile 150");
    EXPECT_TRUE(texts(out.pages.back()).contains(QStringLiteral("Seite %1 von %1").arg(out.pages.size())));
}

TEST(RenderTest, HeadersThatFillThePageAreRefusedRatherThanPrintedWithoutEnd)
{
    ClubFolder club(2);
    Layout layout = test::resultsLayout();
    layout.band(BandKind::PageHeader)->heightMm = 260;
    Rendering render(club);
    try {
        render(layout);
        ADD_FAILURE() << "no error";
    } catch (const engine::EngineError& e) {
        EXPECT_STREQ(e.what(), "Kopf- und Fußbereiche lassen auf der Seite keinen Platz für den Bericht.");
    }
}

TEST(RenderTest, PicturesKeepTheirAspectInTheirBoxes)
{
    ClubFolder club(2);
    Layout layout = test::resultsLayout();
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkBlue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    wide.save(&buffer, "PNG");
    Band& title = layout.addBand(BandKind::Title);
    title.heightMm = 30;
    Element logo = element("Logo", {0, 0, 40, 40}, PictureElement{png, {}, true});
    logo.style.valign = VAlign::Middle;
    title.elements.push_back(logo);
    Element photo = element("Foto", {100, 0, 30, 10}, PictureElement{{}, "FOTO", true});
    photo.style.align = HAlign::Right;
    title.elements.push_back(photo);
    title.elements.push_back(element("Gestreckt", {140, 0, 30, 10}, PictureElement{png, {}, false}));
    title.elements.push_back(element("Fehlt", {0, 0, 30, 10}, PictureElement{{}, "NIEMAND", true}));
    Rendering render(club);
    render.hooks.setPicture("foto", wide);
    std::vector<QRectF> boxes;
    for (const PageItem& item : render(layout).pages[0].items)
        if (const auto* i = std::get_if<ImageItem>(&item)) boxes.push_back(i->box.translated(-20, -15 - 14));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], QRectF(0, 10, 40, 20));   // middle of its box
    EXPECT_EQ(boxes[1], QRectF(110, 0, 20, 10));  // right in its box
    EXPECT_EQ(boxes[2], QRectF(140, 0, 30, 10));  // stretched
}

} // namespace
} // namespace trevo::reports
