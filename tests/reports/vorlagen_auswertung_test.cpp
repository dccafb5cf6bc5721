// The three evaluation layouts printed over result tables as the evaluations leave them.
#include "report_test_util.h"
#include "vorlagen_test_util.h"

#include "engine/core/collation.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace trevo::reports {
namespace {

using test::ClubFolder;
using test::Druck;

void expectNoLayoutFaults(const Druck& druck)
{
    EXPECT_TRUE(druck.error.isEmpty()) << druck.error.toStdString();
    const QStringList faults = test::layoutFaults(druck.printout, 20, 15, 12, 12);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

// 70 bowlers: the results of one evening take two pages; the evaluation wrote the date,
// the currency and the rounded total.
TEST(VorlagenAuswertung, EveningResultsShowTheDateRowInTheTitleAndTheTotalOnEveryPageLaidOut)
{
    ClubFolder club(70);
    club.addValue(4, "WAEHRUNG", "EUR");
    club.addValue(5, "GESAMTBETRAG", "  312.40");
    const Druck druck(club.db, club.folder, "ERGEBNISSE1.QR2", test::testLogo());
    expectNoLayoutFaults(druck);
    EXPECT_TRUE(druck.dateLabel);
    ASSERT_GE(druck.pages.size(), 2);
    for (int i = 0; i < druck.pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const QString& page = druck.pages[i];
        EXPECT_TRUE(page.contains("Ergebnisse vom 15.03.2024")) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Seite %1 von %2").arg(i + 1).arg(druck.pages.size())));
        EXPECT_TRUE(page.contains("Mitgliedsnr. Name Spiele Sonstiges Beitrag Summe"));
        EXPECT_TRUE(page.contains("Gedruckt am 01.04.2024"));
    }
    const QString all = druck.all();
    // Bowler 1: 1,35 games, 0,10 other items, 2,50 fee, 3,95 in all; bowler 3 pays no fee.
    EXPECT_TRUE(all.contains("1 " + club.names[0] + " 1,35 EUR 0,10 EUR 2,50 EUR 3,95 EUR")) << all.toStdString();
    EXPECT_TRUE(all.contains("3 " + club.names[2] + " 3,35 EUR 0,30 EUR 0,00 EUR 3,65 EUR"));
    for (const QString& name : club.names) EXPECT_EQ(all.count(name), 1) << name.toStdString();
    EXPECT_TRUE(druck.pages.back().contains("70 Kegler Gesamtbetrag 312,40 EUR")) << druck.pages.back().toStdString();
    EXPECT_FALSE(druck.pages.front().contains("Gesamtbetrag"));
    // The rows follow the names in the German alphabet.
    QStringList sorted = club.names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return engine::collate(a.toStdString(), b.toStdString()) < 0; });
    for (int i = 1; i < sorted.size(); ++i)
        EXPECT_LT(all.indexOf(sorted[i - 1]), all.indexOf(sorted[i])) << sorted[i - 1].toStdString();
}

TEST(VorlagenAuswertung, EveningResultsWithoutEvaluationValuesStillPrintTheRows)
{
    ClubFolder club(0);
    club.addResult(4, "Schulte", 2.4, 1.5, 2);
    const Druck druck(club.db, club.folder, "ERGEBNISSE1.QR2");
    expectNoLayoutFaults(druck);
    ASSERT_EQ(druck.pages.size(), 1);
    EXPECT_TRUE(druck.all().contains("4 Schulte 2,40 1,50 2,00 5,90")) << druck.all().toStdString();
    EXPECT_TRUE(druck.all().contains("Ergebnisse vom"));
}

// The period evaluation writes one row per evening and its total under "Gesamtbetrag",
// which is not the evening evaluation's "GESAMTBETRAG".
TEST(VorlagenAuswertung, PeriodOfOneBowlerEveningByEveningWithItsOwnTotal)
{
    ClubFolder club(0);
    club.addResult(7, "Hoffmann", 3.2, 1.1, 2.5);
    club.addResult(7, "Hoffmann", 2.75, 0.4, 2.5);
    club.addResult(7, "Hoffmann", 1.0, 0.85, 2.5);
    club.addValue(1, "Gesamtbetrag", "16.8");
    club.addValue(2, "WAEHRUNG", "EUR");
    club.addValue(3, "GESAMTBETRAG", "99.99");
    const Druck druck(club.db, club.folder, "ZEITRAUM.QR2", test::testLogo());
    expectNoLayoutFaults(druck);
    EXPECT_TRUE(druck.dateLabel);
    ASSERT_EQ(druck.pages.size(), 1);
    const QString page = druck.pages.front();
    EXPECT_TRUE(page.contains("Auswertung für Hoffmann")) << page.toStdString();
    EXPECT_TRUE(page.contains("Mitgliedsnr. 7"));
    EXPECT_TRUE(page.contains("Abend Spiele Sonstiges Beitrag Summe"));
    EXPECT_TRUE(page.contains("1. 3,20 EUR 1,10 EUR 2,50 EUR 6,80 EUR"));
    EXPECT_TRUE(page.contains("2. 2,75 EUR 0,40 EUR 2,50 EUR 5,65 EUR"));
    EXPECT_TRUE(page.contains("3. 1,00 EUR 0,85 EUR 2,50 EUR 4,35 EUR"));
    EXPECT_TRUE(page.contains("Summen (3 Abende) 6,95 EUR 2,35 EUR 7,50 EUR 16,80 EUR"));
    EXPECT_TRUE(page.contains("Gesamtbetrag (gerundet) 16,80 EUR"));
    EXPECT_FALSE(page.contains("99.99"));
    EXPECT_TRUE(page.contains("Gedruckt am 01.04.2024"));
}

TEST(VorlagenAuswertung, RankingNumbersThePlacesInTheOrderOfTheEvaluation)
{
    ClubFolder club(0);
    club.addResult(12, "Becker, Jürgen", 0, 0, 9);
    club.addResult(3, "Albers, Hans", 0, 0, 5);
    club.addResult(8, "Zander, Uwe", 0, 0, 5);
    const Druck druck(club.db, club.folder, "RANGLISTE.QR2");
    expectNoLayoutFaults(druck);
    EXPECT_TRUE(druck.dateLabel);
    const QString page = druck.all();
    EXPECT_TRUE(page.contains("Rangliste")) << page.toStdString();
    EXPECT_TRUE(page.contains("Platz Name Kegler-Nr. Anzahl"));
    const int first = page.indexOf("1. Becker, Jürgen 12 9");
    const int second = page.indexOf("2. Albers, Hans 3 5");
    const int third = page.indexOf("3. Zander, Uwe 8 5");
    EXPECT_GE(first, 0);
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
    EXPECT_TRUE(page.contains("3 Kegler zusammen 19"));
}

} // namespace
} // namespace trevo::reports
