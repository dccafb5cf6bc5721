// The command-line tool: the same evaluations as the window, its rows printed as
// tab-separated text, German errors with exit code 1.
#include "auswertung_fixture.h"

#include <QProcess>
#include <QStringList>

namespace trevo::evaluation::test {
namespace {

struct Lauf {
    int code = -1;
    QString ausgabe, fehler;
};

class Werkzeug : public Auswertungstest {
protected:
    void SetUp() override
    {
        const int a = club.kegler("Adler", "11"), b = club.kegler("Bauer", "12");
        club.kegler("Christ", "13");
        termin = club.termin(tag(2024, 3, 5), 1, 500);
        club.spiel(termin, club.teilnahme(termin, a, 1), 1, 350);
        club.spiel(termin, club.teilnahme(termin, b, 1), 1, 350);
        club.spiel(termin, club.teilnahme(termin, a, 2), 2, 100);
    }
    Lauf starten(QStringList argumente)
    {
        argumente.prepend(QString::fromStdString(club.ordner()));
        QProcess p;
        p.start(QStringLiteral(TREVO_TOOLS_DIR "/trevo-auswertung"), argumente);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    int termin = 0;
};

TEST_F(Werkzeug, TheEveningPrintsItsRowsAndWritesTheTables)
{
    const Lauf l = starten({"termin", QString::number(termin)});
    EXPECT_EQ(l.code, 0) << l.fehler.toStdString();
    EXPECT_EQ(l.ausgabe, "NAME\tNUMMER\tSPIELE\tSONSTIGES\tBEITRAG\tSUMME\n"
                         "Adler\t11\t4.50\t0.00\t5.00\t9.50\n"
                         "Bauer\t12\t4.50\t0.00\t5.00\t9.50\n"
                         "Christ\t13\t4.50\t0.00\t5.00\t9.50\n");
    EXPECT_EQ(werte()["GESAMTBETRAG"], "   28.50");
}

TEST_F(Werkzeug, OptionsChangeThePaymentModeAndTheRounding)
{
    club.spiel(termin, club.teilnahme(termin, club.kegler("Dorn", "14"), 1), 1, 0);
    const Lauf l = starten({"--zahlweise=2", "termin", QString::number(termin), "--runden", "nein"});
    EXPECT_EQ(l.code, 0) << l.fehler.toStdString();
    // Section 1: 7.00 among three is 2.34 with cents and always rounding up.
    EXPECT_TRUE(l.ausgabe.contains("Christ\t13\t3.34\t0.00\t\t3.34\n")) << l.ausgabe.toStdString();
}

TEST_F(Werkzeug, PeriodAndRankingTakeTheirDatesInEitherOrder)
{
    Lauf l = starten({"zeitraum", "31.3.2024", "1.3.2024", "13"});
    EXPECT_EQ(l.code, 0) << l.fehler.toStdString();
    EXPECT_EQ(l.ausgabe, "NAME\tNUMMER\tSPIELE\tSONSTIGES\tBEITRAG\tSUMME\nChrist\t13\t4.50\t0.00\t5.00\t4.50\n");
    l = starten({"rangliste", "1.3.2024", "31.3.2024", "1"});
    EXPECT_EQ(l.code, 1);
    EXPECT_EQ(l.fehler, "Keine Daten gefunden\n");
}

TEST_F(Werkzeug, EveryFailureIsAGermanMessageAndExitCodeOne)
{
    const std::vector<std::pair<QStringList, QString>> faelle = {
        {{"termin", "99"}, "Der Termin Nr. 99 ist nicht vorhanden\n"},
        {{"zeitraum", "1.1.2030", "2.1.2030", "11"}, "Keine Termine in diesem Zeitraum gefunden\n"},
        {{"zeitraum", "1.13.2024", "2.1.2030", "11"}, "Ungültige Datumangabe\n"},
        {{"zeitraum", "1.1.2024", "2.1.2030", "elf"}, "'elf' ist kein gültiger Integerwert\n"},
        {{"termin", "1", "--zahlweise", "4"}, "--zahlweise erwartet 1, 2 oder 3\n"},
        {{"wochen", "1"}, "Unbekannte Auswertung wochen\n"},
    };
    for (const auto& [argumente, text] : faelle) {
        const Lauf l = starten(argumente);
        EXPECT_EQ(l.code, 1) << argumente.join(' ').toStdString();
        EXPECT_TRUE(l.fehler.startsWith(text)) << l.fehler.toStdString();
    }
}

} // namespace
} // namespace trevo::evaluation::test
