// The German lines of the status bar.
#include "sqlwindow/sql_lauf.h"

#include <gtest/gtest.h>

namespace trevo::sqlwindow {

TEST(SqlStatuszeile, CountsAndDurationsReadGerman)
{
    EXPECT_EQ(zeilenText(0), "keine Zeilen");
    EXPECT_EQ(zeilenText(1), "1 Zeile");
    EXPECT_EQ(zeilenText(12345), "12.345 Zeilen");
    EXPECT_EQ(geaendertText(0), "kein Datensatz geändert");
    EXPECT_EQ(geaendertText(1), "1 Datensatz geändert");
    EXPECT_EQ(geaendertText(2), "2 Datensätze geändert");
    EXPECT_EQ(dauerText(std::chrono::microseconds(400)), "unter 1 ms");
    EXPECT_EQ(dauerText(std::chrono::milliseconds(1)), "1 ms");
    EXPECT_EQ(dauerText(std::chrono::milliseconds(999)), "999 ms");
    EXPECT_EQ(dauerText(std::chrono::milliseconds(1250)), "1,25 s");
    EXPECT_EQ(dauerText(std::chrono::seconds(75)), "75,00 s");

    SqlLauf lauf;
    lauf.dauer = std::chrono::milliseconds(3);
    lauf.ergebnis.rows.resize(2);
    EXPECT_EQ(statuszeile(lauf, true), "2 Zeilen in 3 ms");
    EXPECT_EQ(statuszeile(lauf, false), "Abfrage ausgeführt in 3 ms (2 Zeilen, nicht angezeigt)");
    lauf.ergebnis.affected = 0;
    EXPECT_EQ(statuszeile(lauf, true), "kein Datensatz geändert in 3 ms");
    lauf.hinweise = QStringLiteral("Tabelle A beschädigt\nTabelle B beschädigt");
    EXPECT_EQ(statuszeile(lauf, true), "kein Datensatz geändert in 3 ms \u2013 Tabelle A beschädigt; Tabelle B beschädigt");
}

} // namespace trevo::sqlwindow
