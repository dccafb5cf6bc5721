// Generated clubs: every evening, every member's period and the ranking by every item are
// checked against results worked out in the test from the rules; and the rows the
// evaluations read through the indexes are compared with the statements run through the
// SQL engine as they are written.
#include "auswertung_fixture.h"
#include "evaluation/kern/direkt_daten.h"
#include "evaluation/kern/sql_daten.h"
#include "zufallsverein.h"

#include <algorithm>
#include <set>

namespace trevo::evaluation::test {
namespace {

// The rules of the evaluation, worked out on the generated structures.
struct Regeln {
    Rundung rundung;
    int zahlweise = 1;

    // r(x) = T(x*m + a) / m on the exact fraction x = cents / (100 * n).
    long long runden(long long cents, long long n) const
    {
        const long long m = rundung.aufZehntel ? 10 : 100, a = rundung.immerAufrunden ? 99 : 50;
        const long long zaehler = cents * m + a * n, nenner = 100 * n;
        long long t = zaehler / nenner;
        if ((zaehler % nenner != 0) && ((zaehler < 0) != (nenner < 0))) t = -((-zaehler) / nenner);
        return t * (100 / m);
    }

    struct Abend {
        std::map<int, long long> zeilen, spiele, sonstige; // per section
        long long spielSumme = 0, sonstigeSumme = 0;       // of the rounded averages
    };

    Abend mittelwerte(const Zufallsverein& v, const ZAbend& a) const
    {
        Abend r;
        std::map<int, long long> g, o;
        for (const ZZeile& z : a.zeilen) {
            ++r.zeilen[z.abschnitt];
            for (long long s : z.spiele) g[z.abschnitt] += s;
            for (auto [p, n] : z.stuecke) {
                const ZPosten& item = v.posten[size_t(p)];
                if (item.mittelwert)
                    o[z.abschnitt] += n * item.preis * (item.gueltig == 1 ? 1 : long(a.zeilen.size()) - 1);
            }
        }
        for (auto [s, n] : r.zeilen) {
            r.spiele[s] = runden(g[s], n);
            r.sonstige[s] = runden(o[s], n);
            r.spielSumme += r.spiele[s];
            r.sonstigeSumme += r.sonstige[s];
        }
        return r;
    }

    // Games and items of a bowler who took part.
    std::pair<long long, long long> betraege(const Zufallsverein& v, const ZAbend& a, const Abend& m, int kegler) const
    {
        long long spiele = 0, sonstige = 0;
        std::set<int> gespielt;
        for (const ZZeile& z : a.zeilen) {
            if (z.kegler == kegler) gespielt.insert(z.abschnitt);
            for (auto [p, n] : z.stuecke) {
                const ZPosten& item = v.posten[size_t(p)];
                if ((z.kegler == kegler && item.gueltig == 1) || (z.kegler != kegler && item.gueltig == 2))
                    sonstige += n * item.preis;
            }
            if (z.kegler == kegler)
                for (long long s : z.spiele) spiele += s;
        }
        for (auto [s, n] : m.zeilen)
            if (!gespielt.count(s)) {
                spiele += m.spiele.at(s);
                sonstige += m.sonstige.at(s);
            }
        return {spiele, sonstige};
    }

    static bool teil(const ZAbend& a, int kegler)
    {
        return std::any_of(a.zeilen.begin(), a.zeilen.end(), [&](const ZZeile& z) { return z.kegler == kegler; });
    }
    static std::string b(long long c) { return formatiert(c, 0); }

    std::vector<std::string> abend(const Zufallsverein& v, const ZAbend& a, long long& gesamt) const
    {
        const Abend m = mittelwerte(v, a);
        const long long beitrag = zahlweise == 1 ? a.beitrag : 0;
        const std::string feld = zahlweise == 1 ? b(a.beitrag) : "";
        std::vector<std::string> out;
        gesamt = 0;
        for (const ZKegler& k : v.kegler) {
            std::pair<long long, long long> x;
            if (teil(a, k.nummer)) x = betraege(v, a, m, k.nummer);
            else if (k.mitglied) x = {m.spielSumme, m.sonstigeSumme};
            else continue;
            const long long summe = beitrag + x.first + x.second;
            gesamt += summe;
            out.push_back(k.name + "|" + k.mitgliedsnummer + "|" + b(x.first) + "|" + b(x.second) + "|" + feld + "|" +
                          b(summe));
        }
        return out;
    }

    std::vector<std::string> zeitraum(const Zufallsverein& v, const ZKegler& k, long long& gesamt) const
    {
        std::vector<const ZAbend*> abende;
        for (const ZAbend& a : v.abende) abende.push_back(&a);
        std::sort(abende.begin(), abende.end(), [](auto* x, auto* y) { return x->datum < y->datum; });
        std::vector<std::string> out;
        gesamt = 0;
        for (const ZAbend* a : abende) {
            const Abend m = mittelwerte(v, *a);
            std::pair<long long, long long> x{m.spielSumme, m.sonstigeSumme};
            long long summe = x.first + x.second;
            if (teil(*a, k.nummer)) {
                x = betraege(v, *a, m, k.nummer);
                summe = (zahlweise == 1 ? a->beitrag : 0) + x.first + x.second;
            }
            gesamt += summe;
            out.push_back(k.name + "|" + k.mitgliedsnummer + "|" + b(x.first) + "|" + b(x.second) + "|" +
                          (zahlweise == 1 ? b(a->beitrag) : "") + "|" + b(summe));
        }
        return out;
    }

    static std::vector<std::string> rangfolge(const Zufallsverein& v, int posten, int32_t von, int32_t bis)
    {
        std::map<int, long long> anzahl;
        for (const ZAbend& a : v.abende)
            if (a.datum >= von && a.datum <= bis)
                for (const ZZeile& z : a.zeilen)
                    for (auto [p, n] : z.stuecke)
                        if (p == posten) anzahl[z.kegler] += n;
        std::vector<std::pair<int, long long>> r(anzahl.begin(), anzahl.end());
        std::stable_sort(r.begin(), r.end(), [](auto& x, auto& y) { return x.second > y.second; });
        std::vector<std::string> out;
        for (auto [k, n] : r) out.push_back(v.kegler[size_t(k - v.kegler.front().nummer)].name + "|" +
                                            std::to_string(k) + "||||" + b(n * 100));
        return out;
    }
};

class Zufallsvereine : public Auswertungstest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override { verein.erzeugen(club, GetParam()); }
    Zufallsverein verein;
};

TEST_P(Zufallsvereine, EveryEveningInEveryPaymentAndRoundingModeAsTheRulesGiveIt)
{
    for (const auto& [zahlweise, rundung] : std::vector<std::pair<int, Rundung>>{
             {1, {true, true}}, {2, {false, false}}, {1, {true, false}}, {3, {false, true}}}) {
        optionen.zahlweise = zahlweise;
        optionen.rundung = rundung;
        const Regeln regeln{rundung, zahlweise};
        auto a = auswertung();
        for (const ZAbend& abend : verein.abende) {
            Terminergebnis e;
            a->AuswertungTermin(std::to_string(abend.nummer), e);
            long long gesamt = 0;
            EXPECT_EQ(zeilen(), regeln.abend(verein, abend, gesamt)) << "Termin " << abend.nummer;
            EXPECT_EQ(e.gesamtbetrag, gesamt);
            EXPECT_EQ(werte()["GESAMTBETRAG"], formatiert(regeln.runden(gesamt, 1), 8));
        }
    }
}

TEST_P(Zufallsvereine, EveryBowlersPeriodAsTheRulesGiveIt)
{
    const Regeln regeln;
    auto a = auswertung();
    for (const ZKegler& k : verein.kegler) {
        Zeitraumergebnis e;
        a->AuswertungZeitraum("1.1.1900", "1.1.2100", std::stoi(k.mitgliedsnummer), e);
        long long gesamt = 0;
        EXPECT_EQ(zeilen(), regeln.zeitraum(verein, k, gesamt)) << k.name;
        EXPECT_EQ(werte()["Gesamtbetrag"], kuerzesterText(regeln.runden(gesamt, 1)));
    }
}

TEST_P(Zufallsvereine, TheRankingOfEveryItemAsTheRulesGiveIt)
{
    auto a = auswertung();
    const int32_t von = tag(2024, 1, 10), bis = tag(2024, 1, 25);
    for (size_t p = 0; p < verein.posten.size(); ++p) {
        Rangergebnis e;
        const auto erwartet = Regeln::rangfolge(verein, int(p), von, bis);
        try {
            a->AuswertungRangfolge("10.1.2024", "25.1.2024", verein.posten[p].nummer, e);
            EXPECT_EQ(zeilen(), erwartet);
        } catch (const engine::EngineError& f) {
            EXPECT_TRUE(erwartet.empty()) << f.what();
        }
    }
}

// The statements as written, run by the SQL engine, give the rows the index reading gives.
TEST_P(Zufallsvereine, TheIndexReadingGivesTheRowsOfTheStatements)
{
    DirektDaten direkt(club.verein.datenbank(), club.verein.session(), club.ordner());
    SqlDaten sql(club.verein.datenbank(), club.verein.session(), club.ordner());
    for (const ZAbend& a : verein.abende) {
        const int64_t n = a.nummer;
        EXPECT_EQ(direkt.teilnehmer(n), sql.teilnehmer(n));
        EXPECT_EQ(direkt.teilnehmerProAbschnitt(n), sql.teilnehmerProAbschnitt(n));
        EXPECT_EQ(direkt.spielSummen(n), sql.spielSummen(n));
        EXPECT_EQ(direkt.sonstigeSummen(n), sql.sonstigeSummen(n));
        for (const ZKegler& k : verein.kegler) {
            EXPECT_EQ(direkt.spiele(n, k.nummer), sql.spiele(n, k.nummer));
            EXPECT_EQ(direkt.sonstiges(n, k.nummer), sql.sonstiges(n, k.nummer));
            for (int s = 0; s <= 4; ++s)
                EXPECT_EQ(direkt.teilgenommen(n, k.nummer, s), sql.teilgenommen(n, k.nummer, s));
        }
    }
    for (const auto& [von, bis] : std::vector<std::pair<std::string, std::string>>{
             {"1.1.1900", "1.1.2100"}, {"10.1.2024", "25.1.2024"}, {"1.1.30", "1.1.2100"}}) {
        EXPECT_EQ(direkt.termine(von, bis), sql.termine(von, bis));
        for (const ZPosten& p : verein.posten) EXPECT_EQ(direkt.rangfolge(von, bis, p.nummer), sql.rangfolge(von, bis, p.nummer));
    }
    EXPECT_GT(sql.anweisungen(), 100u);
}

// The whole evaluations on the statements give the same result tables.
TEST_P(Zufallsvereine, TheEvaluationsOnTheStatementsWriteTheSameTables)
{
    auto sql = std::make_shared<SqlDaten>(club.verein.datenbank(), club.verein.session(), club.ordner());
    for (const ZAbend& a : verein.abende) {
        Terminergebnis e1, e2;
        auswertung()->AuswertungTermin(std::to_string(a.nummer), e1);
        const auto z1 = zeilen();
        const auto w1 = werte();
        auswertung(sql)->AuswertungTermin(std::to_string(a.nummer), e2);
        EXPECT_EQ(zeilen(), z1);
        EXPECT_EQ(werte(), w1);
    }
    Zeitraumergebnis z1, z2;
    auswertung()->AuswertungZeitraum("1.1.1900", "1.1.2100", 20, z1);
    const auto r1 = zeilen();
    auswertung(sql)->AuswertungZeitraum("1.1.1900", "1.1.2100", 20, z2);
    EXPECT_EQ(zeilen(), r1);
    EXPECT_EQ(z1.gesamtbetrag, z2.gesamtbetrag);
}

INSTANTIATE_TEST_SUITE_P(Saaten, Zufallsvereine, ::testing::Values(1u, 7u, 42u));

} // namespace
} // namespace trevo::evaluation::test
