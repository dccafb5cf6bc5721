#include "club.h"

namespace trevo::engine::sqltest {

std::string lines(std::initializer_list<std::string> parts)
{
    std::string s;
    for (const auto& p : parts) {
        if (!s.empty()) s += "\r\n";
        s += p;
    }
    return s;
}

std::string q(const SqlFixture& f, const std::string& file) { return "\"" + f.path(file) + "\""; }

namespace {
const FieldDef kNummer{"NUMMER", 'N', 10, 0};
FieldDef num(const char* name, int len = 10, int dec = 0) { return {name, 'N', static_cast<uint8_t>(len), static_cast<uint8_t>(dec)}; }
FieldDef text(const char* name, int len) { return {name, 'C', static_cast<uint8_t>(len), 0}; }
FieldDef date(const char* name) { return {name, 'D', 8, 0}; }
FieldDef logical(const char* name) { return {name, 'L', 1, 0}; }
FieldDef memo(const char* name) { return {name, 'M', 10, 0}; }
} // namespace

// Evening 1 (12.01.2001, price list 1 in EUR, fee 5.00), two sections:
//   section 1: participant rows 1 Meier, 2 Müller, 3 Gast (guest), 4 Ärger
//   section 2: participant rows 5 Meier, 6 Müller
//   games: row 1: 1.00 + 2.50, row 2: 1.50, row 3: 0.50, row 4: 2.00 (section 1: 7.50)
//          row 5: 3.00, row 6: 1.00 (section 2: 4.00)
//   items: row 1 Bier(1.50, own, average) x2; row 2 Pudel(0.50, paid by all others,
//          average) x2; row 3 Kranz(2.00, own, no average) x1; row 4 item 5 of price
//          list 2 x1 (not of this evening's list); row 5 Bier x1; row 6 Runde(1.00,
//          paid by all others, no average) x1
// Evening 2 (09.02.2001): rows 7 Meier, 8 Schulz; games 2.00 and 1.00; Pudel x4 on
//   row 7, Pudel x2 on row 8.
// Evening 3 (10.03.2001): row 9 Müller, no games and no items.
void buildClub(SqlFixture& f)
{
    f.table("WAEHRUNGEN.DBF", {kNummer, text("NAME", 40), text("KUERZEL", 3), num("FAKTOR", 12, 5), memo("BEMERKUNGE")},
            {{N(1), T("Euro"), T("EUR"), N(1), Null()}, {N(2), T("Deutsche Mark"), T("DM"), N(1.95583), Null()}});
    f.table("SONSTYP0.DBF", {kNummer, date("DATUM"), num("WAEHRUNG"), num("BEITRAG", 10, 2)},
            {{N(1), D(1, 1, 2001), N(1), N(5)}, {N(2), D(1, 1, 1999), N(2), N(10)}});
    f.table("SONSTYPE.DBF",
            {kNummer, text("BEZEICHNUN", 50), num("EINZELPREI", 10, 2), logical("MITTELWERT"), num("PREISLISTE"),
             num("GUELTIG", 2, 0)},
            {{N(1), T("Bier"), N(1.5), L(true), N(1), N(1)},
             {N(2), T("Pudel"), N(0.5), L(true), N(1), N(2)},
             {N(3), T("Kranz"), N(2), L(false), N(1), N(1)},
             {N(4), T("Runde"), N(1), L(false), N(1), N(2)},
             {N(5), T("Bier"), N(3), L(true), N(2), N(1)}});
    f.table("FUNKTION.DBF", {kNummer, text("BEZEICHNUN", 50)}, {{N(1), T("Kassierer")}, {N(2), T("Präsident")}});
    f.table("KEGLER.DBF",
            {kNummer, text("MITGLIEDNR", 10), text("NAME", 50), text("VORNAME", 50), text("ALIAS", 50),
             logical("MITGLIED"), num("FUNKTION"), memo("BEMERKUNGE"), date("GEBURTSTAG"), num("GEBTAGNUM")},
            {{N(1), T("7"), T("Meier"), T("Hans"), T("Hansi"), L(true), N(1), T("Gründer"), D(3, 4, 1950), N(18356)},
             {N(2), T("12"), T("Müller"), T("Karl"), T("Kalle"), L(true), Null(), Null(), Null(), Null()},
             {N(3), T(""), T("Gast"), T("Otto"), T(""), L(false), Null(), Null(), Null(), Null()},
             {N(4), T("3"), T("Schulz"), T("Fritz"), T(""), L(true), N(2), Null(), Null(), Null()},
             {N(5), T("20"), T("Ärger"), T("Paul"), T("Pauli"), L(true), Null(), Null(), Null(), Null()}});
    f.table("TERMINE.DBF",
            {kNummer, date("DATUM"), num("TEILNEHMER"), num("BEITRAG", 10, 2), num("ABSCHNITTE"), num("PREISLISTE"),
             memo("BEMERKUNGE")},
            {{N(1), D(12, 1, 2001), N(4), N(5), N(2), N(1), T("Erster Abend")},
             {N(2), D(9, 2, 2001), N(2), N(5), N(1), N(1), Null()},
             {N(3), D(10, 3, 2001), N(1), N(5), N(1), N(1), Null()}});
    f.table("KEGLTERM.DBF", {kNummer, num("TERMIN"), num("KEGLER"), num("ABSCHNITT")},
            {{N(1), N(1), N(1), N(1)},
             {N(2), N(1), N(2), N(1)},
             {N(3), N(1), N(3), N(1)},
             {N(4), N(1), N(5), N(1)},
             {N(5), N(1), N(1), N(2)},
             {N(6), N(1), N(2), N(2)},
             {N(7), N(2), N(1), N(1)},
             {N(8), N(2), N(4), N(1)},
             {N(9), N(3), N(2), N(1)}});
    f.table("SPIELKEG.DBF", {kNummer, num("KEGLERNR"), num("ABSCHNITT"), num("SPIELNR"), num("BETRAG", 10, 2), num("TERMIN")},
            {{N(1), N(1), N(1), N(1), N(1), N(1)},
             {N(2), N(1), N(1), N(2), N(2.5), N(1)},
             {N(3), N(2), N(1), N(1), N(1.5), N(1)},
             {N(4), N(3), N(1), N(1), N(0.5), N(1)},
             {N(5), N(4), N(1), N(1), N(2), N(1)},
             {N(6), N(5), N(2), N(1), N(3), N(1)},
             {N(7), N(6), N(2), N(1), N(1), N(1)},
             {N(8), N(7), N(1), N(1), N(2), N(2)},
             {N(9), N(8), N(1), N(1), N(1), N(2)}});
    f.table("SONSTKEG.DBF", {kNummer, num("KEGLERNR"), num("ABSCHNITT"), num("TYP"), num("ANZAHL"), num("TERMIN")},
            {{N(1), N(1), N(1), N(1), N(2), N(1)},
             {N(2), N(2), N(1), N(2), N(2), N(1)},
             {N(3), N(3), N(1), N(3), N(1), N(1)},
             {N(4), N(5), N(2), N(1), N(1), N(1)},
             {N(5), N(6), N(2), N(4), N(1), N(1)},
             {N(6), N(4), N(1), N(5), N(1), N(1)},
             {N(7), N(7), N(1), N(2), N(4), N(2)},
             {N(8), N(8), N(1), N(2), N(2), N(2)}});
    f.table("KONTOINF.DBF",
            {kNummer, num("KONTONR"), num("WAEHRUNG"), num("STARTSALDO", 12, 2), date("DATUM"), num("KONTOSTAND", 12, 2)},
            {{N(1), N(1), N(1), N(100), D(1, 1, 1990), N(0)}});
    f.table("KONTO.DBF", {kNummer, date("DATUM"), num("BETRAG", 12, 2), num("TYP"), memo("BESCHREIBU"), num("KONTONR")},
            {{N(1), D(1, 1, 1989), N(100), Null(), Null(), N(1)},
             {N(2), D(15, 3, 2001), N(20.5), N(1), T("Kegeln am 12.01.2001"), N(1)},
             {N(3), D(16, 3, 2001), N(-5.25), Null(), Null(), N(1)}});
    f.table("AUSWERTU.DBF", {text("NAME", 50), kNummer, num("SPIELE", 10, 2), num("SONSTIGES", 10, 2),
                             num("BEITRAG", 10, 2), num("SUMME", 10, 2)});
    f.table("WERTETAB.DBF", {kNummer, text("BEZEICHNUN", 40), text("WERT", 50)});
    f.table("TERMPLAN.DBF", {kNummer, date("TERMIN"), text("ZEIT", 5), num("STATUS"), text("BESCHREIBU", 50),
                             memo("BEMERKUNGE"), num("TERMINNUM")},
            {{N(1), D(1, 6, 2001), T("19:00"), N(1), T("Kegeln"), Null(), N(daysFromCivil(2001, 6, 1))},
             {N(2), D(7, 12, 2001), T("20:00"), N(1), T("Weihnachtsfeier"), Null(), N(daysFromCivil(2001, 12, 7))}});
}

} // namespace trevo::engine::sqltest
