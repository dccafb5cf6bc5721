// Memos print line by line: the print facility puts a plain text element in the place
// of each of the first ten formatted-text elements bound to a field.
#include "druck_test_util.h"

#include "engine/dataset/table_data_set.h"
#include "reports/druck/memo_adjustment.h"

#include <gtest/gtest.h>

namespace trevo::reports::test {
namespace {

void setMemo(ClubFolder& club, const std::string& text)
{
    engine::TableDataSet kegler(club.db, club.db.session(), club.path("KEGLER.DBF"));
    kegler.setIndex("NUMMER");
    kegler.open();
    kegler.first();
    kegler.edit();
    kegler.setText("BEMERKUNGE", text);
    kegler.post();
}

// A list of bowlers with their remarks in `memos` formatted-text elements side by side.
Layout remarks(int memos)
{
    Layout l;
    l.sources.push_back({"KEGLER", "KEGLER.DBF", "", "NUMMER"});
    Band& detail = l.addBand(BandKind::Detail);
    detail.source = "KEGLER";
    detail.heightMm = 7;
    detail.elements.push_back(element("Name", {0, 1, 40, 5}, FieldElement{"KEGLER", "NAME", ""}));
    for (int i = 1; i <= memos; ++i) {
        const QRectF box(30.0 + 12 * i, 1, memos == 1 ? 120 : 12, 5);
        Element e = element(QStringLiteral("Bemerkung%1").arg(i), box, RichTextElement{"KEGLER", "BEMERKUNGE", true});
        e.style.pointSize = 7 + i % 3;
        e.style.align = HAlign::Right;
        detail.elements.push_back(e);
    }
    return l;
}

// The text runs of the page whose box starts at x (mm).
std::vector<TextRun> runsAt(const Printout& printout, double x)
{
    std::vector<TextRun> out;
    for (const PageItem& item : printout.pages.at(0).items)
        if (const auto* t = std::get_if<TextRun>(&item); t && std::abs(t->box.left() - x) < 0.01) out.push_back(*t);
    return out;
}

TEST(DruckMemo, MemoPrintsLineByLineInItsElementsPlace)
{
    DruckTest t(3);
    setMemo(t.club, "Zahlt jährlich.\r\nHat den Schlüssel.\r\n\r\nKegelt seit 1998.");
    const Layout layout = remarks(1);
    t.write(layout, "BEMERKUNGEN.QR2");
    t.druck.DruckeListe("BEMERKUNGEN.QR2", t.dataFile("KEGLER.DBF"));
    ASSERT_EQ(t.previews.size(), 1u) << t.dialogs.texts().join(" | ").toStdString();
    const Printout& printout = t.previews[0].printout;
    for (const PageItem& item : printout.pages.at(0).items)
        EXPECT_FALSE(std::holds_alternative<RichTextItem>(item)) << "the formatted element prints nothing";
    const Element& like = layout.bands.front().elements.back();
    const std::vector<TextRun> runs = runsAt(printout, layout.page.leftMm + like.box.left());
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "Zahlt jährlich.");
    EXPECT_EQ(runs[1].text, "Hat den Schlüssel.");
    EXPECT_EQ(runs[2].text, "Kegelt seit 1998.");
    EXPECT_LT(runs[0].box.top(), runs[1].box.top());
    EXPECT_GT(runs[2].box.top() - runs[1].box.top(), runs[1].box.top() - runs[0].box.top()) << "the empty line kept";
    EXPECT_EQ(runs[0].style, like.style);
    const std::vector<TextRun> names = runsAt(printout, layout.page.leftMm);
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0].box.top(), runs[0].box.top());
    EXPECT_GT(names[1].box.top(), runs[2].box.top()) << "the next bowler below the memo";
}

TEST(DruckMemo, OnlyTheFirstTenBoundElementsAreAdjusted)
{
    ClubFolder club(2);
    Report report(club.db, club.db.session());
    report.setAfterLoad(adjustMemos);
    Layout layout = remarks(11);
    layout.bands.front().elements.front() = element("Frei", {0, 1, 40, 5}, RichTextElement{}); // without field
    ASSERT_TRUE(report.setLayout(layout, "ELF.QR2"));
    EXPECT_EQ(report.find<TextElement>("Freimemo"), nullptr);
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        const QString name = QStringLiteral("Bemerkung%1").arg(i);
        const Element* memo = report.element(name + "memo");
        ASSERT_NE(memo, nullptr);
        ASSERT_NE(memo->as<TextElement>(), nullptr);
        EXPECT_EQ(memo->box, report.element(name)->box);
        EXPECT_EQ(memo->style, report.element(name)->style);
        EXPECT_EQ(report.bandOf(*memo), report.bandOf(*report.element(name)));
        EXPECT_TRUE(report.find<RichTextElement>(name)->field.isEmpty());
    }
    EXPECT_EQ(report.element("Bemerkung10memo"), nullptr) << "the unbound one took the tenth place";
    EXPECT_EQ(report.find<RichTextElement>("Bemerkung10")->field, "BEMERKUNGE");
    EXPECT_EQ(report.find<RichTextElement>("Bemerkung11")->field, "BEMERKUNGE");
}

TEST(DruckMemo, EleventhElementPrintsFormatted)
{
    ClubFolder club(2);
    setMemo(club, "Kasse");
    Report report(club.db, club.db.session());
    report.setFolderFinder([&](const std::string&) { return club.folder; });
    report.setAfterLoad(adjustMemos);
    ASSERT_TRUE(report.setLayout(remarks(11), "ELF.QR2"));
    ASSERT_TRUE(report.render()) << report.errorText().toStdString();
    int formatted = 0, plain = 0;
    for (const PageItem& item : report.printout().pages.at(0).items) {
        if (const auto* r = std::get_if<RichTextItem>(&item)) formatted += r->html.contains("Kasse") ? 1 : 0;
        if (const auto* t = std::get_if<TextRun>(&item)) plain += t->text == "Kasse" ? 1 : 0;
    }
    EXPECT_EQ(formatted, 1);
    EXPECT_EQ(plain, 10);
}

TEST(DruckMemo, RtfMemosPrintTheirText)
{
    EXPECT_EQ(memoLines({"{\\rtf1\\ansi{\\b Kassenwart} seit 2010\\par Schl\\'fcssel f\\'fcr Bahn 2}"}),
              QStringList({"Kassenwart seit 2010", "Schlüssel für Bahn 2"}));
    EXPECT_EQ(memoLines({"{\\rtf1 kaputt"}), QStringList({"kaputt"}));
    EXPECT_EQ(memoLines({"Schlicht", "{\\rtf nicht am Anfang"}), QStringList({"Schlicht", "{\\rtf nicht am Anfang"}));
    EXPECT_EQ(memoLines({}), QStringList());
}

} // namespace
} // namespace trevo::reports::test
