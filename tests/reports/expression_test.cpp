#include "reports/model/expression.h"

#include "report_test_util.h"

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using Kind = Term::Kind;

std::vector<Term> terms(const QString& text)
{
    QString error;
    const std::optional<Expression> e = parseExpression(text, &error);
    EXPECT_TRUE(e.has_value()) << text.toStdString() << ": " << error.toStdString();
    return e ? e->terms : std::vector<Term>{};
}

QString failure(const QString& text)
{
    QString error;
    EXPECT_FALSE(parseExpression(text, &error).has_value()) << text.toStdString();
    return error;
}

TEST(ExpressionTest, JoinsTextsFieldsAndFunctions)
{
    const auto t = terms(QStringLiteral("\"Ergebnisse vom \" + DATUM.WERT"));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0], (Term{Kind::Text, "Ergebnisse vom ", {}, {}}));
    EXPECT_EQ(t[1], (Term{Kind::Field, {}, "DATUM", "WERT"}));

    const auto pages = terms(QStringLiteral("'Seite ' + page + ' von ' + PageCount"));
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[1].kind, Kind::Page);
    EXPECT_EQ(pages[3].kind, Kind::PageCount);

    const auto sums = terms(QStringLiteral("SUM( AUSWERTUNG.SUMME ) + COUNT(AUSWERTUNG)+PRINTDATE"));
    ASSERT_EQ(sums.size(), 3u);
    EXPECT_EQ(sums[0], (Term{Kind::Sum, {}, "AUSWERTUNG", "SUMME"}));
    EXPECT_EQ(sums[1], (Term{Kind::Count, {}, "AUSWERTUNG", {}}));
    EXPECT_EQ(sums[2].kind, Kind::PrintDate);
    EXPECT_EQ(sourcesOf(Expression{sums}), QStringList{"AUSWERTUNG"});
}

TEST(ExpressionTest, DoubledQuotesAndUmlautsInTexts)
{
    const auto t = terms(QStringLiteral("'Kegler''s Abend' + \"\"\"Pudelkönig\"\"\""));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, QStringLiteral("Kegler's Abend"));
    EXPECT_EQ(t[1].text, QStringLiteral("\"Pudelkönig\""));
}

TEST(ExpressionTest, FaultsAreNamedInGerman)
{
    EXPECT_EQ(failure(""), QStringLiteral("leerer Ausdruck"));
    EXPECT_TRUE(failure("\"offen").contains("nicht geschlossen"));
    EXPECT_TRUE(failure("\"a\" \"b\"").contains("'+' erwartet"));
    EXPECT_TRUE(failure("\"a\" +").contains("endet nach '+'"));
    EXPECT_TRUE(failure("SEITENZAHL").contains("unbekannter Name 'SEITENZAHL'"));
    EXPECT_TRUE(failure("SUM(AUSWERTUNG)").contains("'.' nach 'AUSWERTUNG' erwartet"));
    EXPECT_TRUE(failure("SUM(A.B").contains("')' erwartet"));
    EXPECT_TRUE(failure("COUNT").contains("'(' nach COUNT erwartet"));
    EXPECT_TRUE(failure("DATUM.").contains("Feldname"));
    EXPECT_TRUE(failure("3 + 4").contains("unerwartetes Zeichen '3'"));
    EXPECT_EQ(failure(QString(maxExpressionLength + 1, u'x')), QStringLiteral("Ausdruck ist zu lang"));
    QString many = "PAGE";
    for (int i = 0; i < maxExpressionTerms; ++i) many += "+PAGE";
    EXPECT_TRUE(failure(many).contains("zu viele"));
}

} // namespace
} // namespace trevo::reports
