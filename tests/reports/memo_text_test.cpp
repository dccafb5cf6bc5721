#include "reports/render/memo_text.h"

#include "report_test_util.h"

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

TEST(MemoTextTest, RtfBecomesItsTextWithParagraphsAndEmphasis)
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Editor 1.0;}\\f0\\fs20 Beitr\\'e4ge f\\'fcr {\\b M\\'e4rz} gezahlt.\\par "
        "Kasse: 12,50 \\u8364?\\tab {\\i kursiv}\\par}");
    EXPECT_EQ(rtfToHtml(rtf), QStringLiteral("Beiträge für <b>März</b> gezahlt.<br>Kasse: 12,50 €\t<i>kursiv</i><br>"));
    EXPECT_EQ(memoHtml(rtf), rtfToHtml(rtf));
}

TEST(MemoTextTest, PlainTextIsEscapedAndHtmlKept)
{
    const QString plain = memoHtml("Pudel < 3\nAlle Neune & Kranz");
    EXPECT_TRUE(plain.contains("Pudel &lt; 3<br")) << plain.toStdString();
    EXPECT_TRUE(plain.contains("Alle Neune &amp; Kranz"));
    EXPECT_EQ(memoHtml("<b>fett</b> und <i>kursiv</i>"), "<b>fett</b> und <i>kursiv</i>");
}

TEST(MemoTextTest, BrokenRtfEndsWithoutHarm)
{
    EXPECT_EQ(rtfToHtml("{\\rtf1 offen {{{{ \\'zz \\u"), "offen  zz ");
    QString deep = "{\\rtf1 ";
    for (int i = 0; i < 10000; ++i) deep += "{";
    deep += "tief";
    EXPECT_EQ(rtfToHtml(deep), "tief");
}

} // namespace
} // namespace trevo::reports
