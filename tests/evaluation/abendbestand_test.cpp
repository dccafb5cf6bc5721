// Every evening read at once: the rows it gives for each evening are those of the
// statements, odd records included, and a stock kept from one evaluation is never used for
// tables that changed since. A folder whose tables hold text where numbers are read is
// answered by the statements.
#include "auswertung_fixture.h"
#include "data/store/schema.h"
#include "engine/storage/session.h"
#include "evaluation/kern/abendbestand.h"
#include "evaluation/kern/direkt_daten.h"
#include "evaluation/kern/sql_daten.h"
#include "zufallsverein.h"

#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <functional>

namespace trevo::evaluation::test {
namespace {

// Every question about evenings 0 to hoechster and bowlers 0 to keglerzahl, asked of both.
void vergleichen(DirektDaten& direkt, SqlDaten& sql, int hoechster, int keglerzahl)
{
    for (int n = 0; n <= hoechster; ++n) {
        SCOPED_TRACE("Termin " + std::to_string(n));
        EXPECT_EQ(direkt.teilnehmer(n), sql.teilnehmer(n));
        EXPECT_EQ(direkt.teilnehmerProAbschnitt(n), sql.teilnehmerProAbschnitt(n));
        EXPECT_EQ(direkt.spielSummen(n), sql.spielSummen(n));
        EXPECT_EQ(direkt.sonstigeSummen(n), sql.sonstigeSummen(n));
        for (int k = 0; k <= keglerzahl; ++k) {
            EXPECT_EQ(direkt.spiele(n, k), sql.spiele(n, k)) << "Kegler " << k;
            EXPECT_EQ(direkt.sonstiges(n, k), sql.sonstiges(n, k)) << "Kegler " << k;
            for (int s = 0; s <= 3; ++s)
                EXPECT_EQ(direkt.teilgenommen(n, k, s), sql.teilgenommen(n, k, s)) << "Kegler " << k << " " << s;
        }
    }
}

class Abendbestandtest : public Auswertungstest {
protected:
    engine::Database& db() { return club.verein.datenbank(); }
    std::shared_ptr<engine::DbfTable> tabelle(const char* datei) { return db().table(club.ordner() + datei); }
    template <class F>
    void aendern(F&& f)
    {
        club.verein.session().atomically(f);
    }
    // The record of the file whose NUMMER is n.
    uint32_t satzNr(const char* datei, int n)
    {
        auto t = tabelle(datei);
        for (uint32_t r = 0; r < t->recordCount(); ++r)
            if (!t->isDeleted(r) && t->get(r, t->fieldIndex("NUMMER")).toNumber() == n) return r;
        ADD_FAILURE() << datei << " " << n;
        return 0;
    }
    void setzen(const char* datei, uint32_t satz, const char* feld, Value v)
    {
        auto t = tabelle(datei);
        engine::Record r = t->getRecord(satz);
        r[size_t(t->fieldIndex(feld))] = std::move(v);
        aendern([&] { t->put(satz, r); });
    }
    std::vector<std::string> zeitraum(std::shared_ptr<Auswertungsdaten> daten = nullptr)
    {
        Zeitraumergebnis e;
        auswertung(std::move(daten))->AuswertungZeitraum("1.1.1900", "1.1.2100", 20, e);
        auto z = zeilen();
        z.push_back(werte()["Gesamtbetrag"]);
        return z;
    }
    std::vector<std::string> perSql() { return zeitraum(std::make_shared<SqlDaten>(db(), club.verein.session(), club.ordner())); }
};

// Records the program would not write but a data folder may hold: two evening records and
// two participant rows of one number, deleted rows, counts of no item or without a bowler
// row, an item paid by all others counted on another evening, NULL fields, numbers that
// are not whole, and evenings that exist only in the amounts; for the ranking also bowler
// numbers held by two bowler records.
TEST_F(Abendbestandtest, OddRecordsGiveTheRowsOfTheStatements)
{
    const int a = club.kegler("Adler", "1"), b = club.kegler("Bauer", "2"), c = club.kegler("Christ", "3", false);
    const int bier = club.posten(1, "Bier", 180, true, 1), runde = club.posten(1, "Runde", 50, true, 2),
              pudel = club.posten(1, "Pudel", 20, false, 1), fremd = club.posten(2, "Fremd", 70, true, 2);
    const int t1 = club.termin(tag(2024, 1, 1), 1, 300), t2 = club.termin(tag(2024, 1, 8), 1, 0);
    const int t3 = club.termin(tag(2024, 1, 15), 2, 100);
    club.satz("TERMINE.DBF", {{"DATUM", Value::date(tag(2024, 1, 22))}, {"PREISLISTE", Value::number(1)}});
    setzen("TERMINE.DBF", satzNr("TERMINE.DBF", 4), "NUMMER", Value::number(t2)); // t2 twice

    const int a1 = club.teilnahme(t1, a, 1), b1 = club.teilnahme(t1, b, 1), c1 = club.teilnahme(t1, c, 2);
    const int a2 = club.teilnahme(t2, a, 1), b2 = club.teilnahme(t2, b, 2), c3 = club.teilnahme(t3, c, 1);
    const int doppelt = club.teilnahme(t2, c, 1);
    setzen("KEGLTERM.DBF", satzNr("KEGLTERM.DBF", doppelt), "NUMMER", Value::number(b1)); // b1 on two evenings
    const int geloescht = club.teilnahme(t1, c, 1);
    const int ohneKegler = club.teilnahme(t2, 0, 2);
    setzen("KEGLTERM.DBF", satzNr("KEGLTERM.DBF", ohneKegler), "KEGLER", Value());
    const int halb = club.teilnahme(t3, a, 1);
    setzen("KEGLTERM.DBF", satzNr("KEGLTERM.DBF", halb), "ABSCHNITT", Value::number(1.5));

    for (auto [t, z, s, betrag] : std::vector<std::array<int, 4>>{
             {t1, a1, 1, 250}, {t1, b1, 1, 120}, {t1, c1, 2, 75}, {t2, a2, 1, 310}, {t2, b2, 2, 40},
             {t3, c3, 1, 99}, {t1, geloescht, 1, 500}, {t2, ohneKegler, 2, 60}, {t3, halb, 1, 33}, {9, 777, 1, 10}})
        club.spiel(t, z, s, betrag);
    club.spiel(t1, a1, 3, 0);
    setzen("SPIELKEG.DBF", satzNr("SPIELKEG.DBF", 11), "BETRAG", Value());
    for (auto [t, z, s, typ, n] : std::vector<std::array<int, 5>>{
             {t1, a1, 1, bier, 2}, {t1, b1, 1, runde, 3}, {t1, c1, 2, pudel, 4}, {t2, a2, 1, runde, 1},
             {t2, b2, 2, bier, 1}, {t3, c3, 1, fremd, 2}, {t3, c3, 1, runde, 1}, {t1, geloescht, 1, bier, 9},
             {t2, 555, 2, runde, 2}, {t1, a1, 1, 99, 3}, {t2, b1, 1, runde, 1}, {t1, ohneKegler, 1, runde, 1}})
        club.stueck(t, z, s, typ, n);
    setzen("SONSTKEG.DBF", satzNr("SONSTKEG.DBF", 12), "KEGLERNR", Value());
    club.stueck(t1, a1, 1, bier, 1);
    setzen("SONSTKEG.DBF", satzNr("SONSTKEG.DBF", 13), "TYP", Value());
    club.stueck(t2, b2, 2, bier, 1);
    setzen("SONSTKEG.DBF", satzNr("SONSTKEG.DBF", 14), "ANZAHL", Value());
    for (const char* datei : {"KEGLTERM.DBF", "SPIELKEG.DBF", "SONSTKEG.DBF"})
        aendern([&] { tabelle(datei)->setDeleted(satzNr(datei, datei[1] == 'E' ? geloescht : 8), true); });

    SqlDaten sql(db(), club.verein.session(), club.ordner());
    DirektDaten einzeln(db(), club.verein.session(), club.ordner());
    vergleichen(einzeln, sql, 10, 4);
    DirektDaten alle(db(), club.verein.session(), club.ordner());
    alle.vieleAbende();
    vergleichen(alle, sql, 10, 4);

    // The ranking besides: a bowler number held by two records of one name, one by two names.
    setzen("KEGLER.DBF", satzNr("KEGLER.DBF", club.kegler("Adler", "4")), "NUMMER", Value::number(a));
    setzen("KEGLER.DBF", satzNr("KEGLER.DBF", club.kegler("Ernst", "5")), "NUMMER", Value::number(b));
    for (int typ : {bier, runde, pudel, fremd, 99})
        for (const auto& [von, bis] : std::vector<std::pair<std::string, std::string>>{
                 {"1.1.2024", "31.1.2024"}, {"2.1.2024", "20.1.2024"}, {"1.1.2024", "1.1.2024"}})
            EXPECT_EQ(einzeln.rangfolge(von, bis, typ), sql.rangfolge(von, bis, typ)) << typ << " " << von << " " << bis;
}

// Tables another program wrote, with text fields for the sections of the participant rows
// and of the game amounts: every question, of one evening or of many, gets the answers of
// the statements.
TEST_F(Abendbestandtest, TextFieldsWhereNumbersAreReadGiveTheAnswersOfTheStatements)
{
    QTemporaryDir dir;
    const std::string ordner = dir.path().toStdString() + "/";
    auto anlegen = [&](const char* datei, const char* textfeld, const std::vector<std::vector<Value>>& saetze) {
        std::vector<engine::FieldDef> felder = data::tableSchema(datei).fieldDefs();
        for (engine::FieldDef& f : felder)
            if (f.name == textfeld) f = {f.name, 'C', 6, 0};
        aendern([&] {
            auto t = db().createTable(ordner + datei, felder);
            for (const auto& werte : saetze) {
                engine::Record r(felder.size());
                for (size_t i = 0; i < werte.size(); ++i) r[i] = werte[i];
                t->append(r);
            }
        });
    };
    auto n = [](double d) { return Value::number(d); };
    auto text = [](const char* s) { return Value::text(s); };
    // NUMMER, DATUM, TEILNEHMER, BEITRAG, ABSCHNITTE, PREISLISTE
    anlegen("TERMINE.DBF", "", {{n(1), Value::date(tag(2024, 1, 1)), n(2), n(0), n(2), n(1)},
                                {n(2), Value::date(tag(2024, 1, 8)), n(1), n(0), n(1), n(1)}});
    // NUMMER, TERMIN, KEGLER, ABSCHNITT
    anlegen("KEGLTERM.DBF", "ABSCHNITT",
            {{n(1), n(1), n(1), text("1")}, {n(2), n(1), n(2), text("2")}, {n(3), n(2), n(1), text("x")},
             {n(4), n(2), n(2), Value()}});
    // NUMMER, KEGLERNR, ABSCHNITT, SPIELNR, BETRAG, TERMIN
    anlegen("SPIELKEG.DBF", "ABSCHNITT",
            {{n(1), n(1), text("1"), n(1), n(2.5), n(1)}, {n(2), n(2), text("2"), n(1), n(1.2), n(1)},
             {n(3), n(3), text("x"), n(1), n(0.8), n(2)}, {n(4), n(1), Value(), n(2), n(3), n(1)}});
    // NUMMER, KEGLERNR, ABSCHNITT, TYP, ANZAHL, TERMIN
    anlegen("SONSTKEG.DBF", "", {{n(1), n(1), n(1), n(1), n(2), n(1)}, {n(2), n(3), n(1), n(2), n(1), n(2)}});
    // NUMMER, BEZEICHNUN, EINZELPREI, MITTELWERT, PREISLISTE, GUELTIG
    anlegen("SONSTYPE.DBF", "", {{n(1), text("Bier"), n(1.8), Value::logical(true), n(1), n(1)},
                                 {n(2), text("Runde"), n(0.5), Value::logical(true), n(1), n(2)}});

    SqlDaten sql(db(), club.verein.session(), ordner);
    DirektDaten einzeln(db(), club.verein.session(), ordner);
    vergleichen(einzeln, sql, 3, 3);
    DirektDaten alle(db(), club.verein.session(), ordner);
    alle.vieleAbende();
    vergleichen(alle, sql, 3, 3);
}

// A generated club of many evenings: the evaluations that read every evening at once, and
// those after them that find the stock kept, write what the statements give.
class Vieleabende : public Abendbestandtest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override { verein.erzeugen(club, GetParam(), 26); }
    Zufallsverein verein;
};

TEST_P(Vieleabende, EveryEveningReadAtOnceGivesTheRowsOfTheStatements)
{
    SqlDaten sql(db(), club.verein.session(), club.ordner());
    DirektDaten alle(db(), club.verein.session(), club.ordner());
    alle.vieleAbende();
    vergleichen(alle, sql, int(verein.abende.size()) + 1, int(verein.kegler.size()) + 1);
}

TEST_P(Vieleabende, AKeptStockIsReadAnewAfterAChangeOfAnyOfItsTables)
{
    const auto erst = zeitraum();
    ASSERT_EQ(erst, perSql());
    EXPECT_EQ(zeitraum(), erst); // unchanged tables: the kept stock gives the same
    // The evaluated bowler's first row with games, another row of that evening, an evening he missed.
    const int adler = verein.kegler[0].nummer;
    const ZAbend* abend = nullptr;
    const ZZeile *seine = nullptr, *andere = nullptr;
    for (const ZAbend& a : verein.abende)
        for (const ZZeile& z : a.zeilen)
            if (!seine && z.kegler == adler && !z.spiele.empty()) {
                abend = &a;
                seine = &z;
            }
    ASSERT_NE(seine, nullptr);
    for (const ZZeile& z : abend->zeilen)
        if (z.kegler != adler) andere = &z;
    ASSERT_NE(andere, nullptr);
    const ZAbend* verpasst = nullptr;
    for (const ZAbend& a : verein.abende)
        if (std::none_of(a.zeilen.begin(), a.zeilen.end(), [&](const ZZeile& z) { return z.kegler == adler; }))
            verpasst = &a;
    ASSERT_NE(verpasst, nullptr);

    // One change in each table the stock is read from; each changes the bowler's rows.
    const std::vector<std::pair<const char*, std::function<void()>>> aenderungen{
        {"Spiel", [&] { club.spiel(abend->nummer, seine->nummer, seine->abschnitt, 1234); }},
        {"Stueck", [&] { club.stueck(abend->nummer, andere->nummer, andere->abschnitt, verein.posten[0].nummer, 5); }},
        {"Preis", [&] { setzen("SONSTYPE.DBF", satzNr("SONSTYPE.DBF", verein.posten[0].nummer), "EINZELPREI", cent(7)); }},
        {"Beitrag", [&] { setzen("TERMINE.DBF", satzNr("TERMINE.DBF", verpasst->nummer), "BEITRAG", cent(987)); }},
        {"Teilnahme", [&] { club.teilnahme(verpasst->nummer, adler, 1); }},
        {"geloescht", [&] {
             aendern([&] { tabelle("KEGLTERM.DBF")->setDeleted(satzNr("KEGLTERM.DBF", seine->nummer), true); });
         }},
    };
    std::vector<std::string> vorher = erst;
    for (const auto& [was, aenderung] : aenderungen) {
        aenderung();
        const auto nachher = zeitraum();
        EXPECT_EQ(nachher, perSql()) << was;
        EXPECT_NE(nachher, vorher) << was;
        vorher = nachher;
    }
}

TEST_P(Vieleabende, TheEveningEvaluationAfterAPeriodUsesItsStockOnlyWhileNothingChanged)
{
    const ZAbend& abend = verein.abende[7];
    auto termin = [&](std::shared_ptr<Auswertungsdaten> daten) {
        Terminergebnis e;
        auswertung(std::move(daten))->AuswertungTermin(std::to_string(abend.nummer), e);
        auto z = zeilen();
        z.push_back(formatiert(e.gesamtbetrag, 0));
        return z;
    };
    auto perSql = [&] { return termin(std::make_shared<SqlDaten>(db(), club.verein.session(), club.ordner())); };
    zeitraum();
    EXPECT_EQ(termin(nullptr), perSql());
    const ZZeile& zeile = abend.zeilen.back();
    club.spiel(abend.nummer, zeile.nummer, zeile.abschnitt, 4321);
    zeitraum();
    club.teilnahme(abend.nummer, verein.kegler.back().nummer, 1);
    const auto nachher = termin(nullptr);
    EXPECT_EQ(nachher, perSql());
}

INSTANTIATE_TEST_SUITE_P(Saaten, Vieleabende, ::testing::Values(3u, 11u));

} // namespace
} // namespace trevo::evaluation::test
