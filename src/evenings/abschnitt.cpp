#include "evenings/abschnitt.h"

#include "data/dbtools/db_tools.h"
#include "data/dbtools/naechste_nummer.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "data/store/schema.h"
#include "engine/core/collation.h"
#include "engine/dataset/data_set.h"
#include "engine/dataset/query_data_set.h"
#include "engine/dataset/table_data_set.h"
#include "engine/storage/session.h"
#include "evenings/abend_daten.h"
#include "shell/stammdaten/datenzugang.h"

#include <cmath>

namespace trevo::evenings {

using engine::Value;

namespace {

int spalte(const engine::sql::QueryResult& r, const std::string& name)
{
    const std::string gesucht = engine::toUpperGerman(name);
    for (size_t i = 0; i < r.columns.size(); ++i)
        if (engine::toUpperGerman(r.columns[i].name) == gesucht) return static_cast<int>(i);
    throw engine::EngineError("Die Abfrage hat keine Spalte " + name);
}

// A whole number as the heads show it; NULL as empty.
QString ganz(const Value& v)
{
    if (v.isNumber()) return QString::number(static_cast<qlonglong>(std::llround(v.number())));
    return QString::fromStdString(std::string(engine::trimRight(v.isText() ? v.text() : std::string())));
}

QString text(const Value& v)
{
    return v.isText() ? QString::fromStdString(std::string(engine::trimRight(v.text()))) : ganz(v);
}

std::string ort(const Abschnittsort& o, const char* alias)
{
    return std::string("\"") + alias + "\".\"Abschnitt\" = " + std::to_string(o.abschnitt);
}

// The column of the bowler, else a new one at the right with its heads.
int spalteFuer(Eingabegitter& g, const QString& kegler, int vorige, const QString& name, const QString& teilnehmer)
{
    int c = g.spalteVon(kegler, vorige);
    if (c < 0) {
        g.spalteAnfuegen();
        c = g.colCount() - 1;
        g.kopfSchreiben(c, kegler, name, teilnehmer);
    }
    return c;
}

std::string zahl(double v)
{
    return QString::number(v, 'g', 15).toStdString();
}

// A cell's value: nothing for an empty cell; ValueError for a text that is no number.
std::optional<double> zellwert(const Eingabegitter& g, int c, int r, const char* was)
{
    QString t = g.cell(c, r).trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (!Eingabegitter::zahlLesbar(t))
        throw engine::ValueError("Ungültige Eingabe \"" + t.toStdString() + "\" " + was + " von Kegler " +
                                 g.kegler(c).toStdString());
    return t.replace(',', '.').toDouble();
}

long teilnehmerNummer(const Eingabegitter& g, int c)
{
    bool ok = false;
    const long n = g.teilnehmer(c).trimmed().toLong(&ok);
    if (!ok || n <= 0)
        throw engine::ValueError("Für eine Spalte ohne Kegler wurden Werte eingegeben. Bitte zuerst den Kegler "
                                 "auswählen oder die Werte löschen.");
    return n;
}

struct Zeile {
    long teilnehmer;
    long position; // SPIELNR or TYP
    double wert;
};

std::vector<Zeile> spielzeilen(const Eingabegitter& g)
{
    std::vector<Zeile> z;
    for (int c = g.ersteSpalte(); c < g.colCount(); ++c)
        for (int r = Eingabegitter::ersteZeile; r < g.rowCount(); ++r) {
            const std::string was = "im Spiel " + std::to_string(r - 2);
            const auto v = zellwert(g, c, r, was.c_str());
            if (!v || *v == 0) continue;
            z.push_back({teilnehmerNummer(g, c), r - 2, *v});
        }
    return z;
}

std::vector<Zeile> sonstigezeilen(const Eingabegitter& g)
{
    std::vector<Zeile> z;
    for (int c = g.ersteSpalte(); c < g.colCount(); ++c)
        for (int r = Eingabegitter::ersteZeile; r < g.rowCount(); ++r) {
            const std::string was = "bei \"" + g.cell(1, r).toStdString() + "\"";
            const auto v = zellwert(g, c, r, was.c_str());
            // Only whole counts other than 0 are stored.
            if (!v || *v == 0 || *v != std::floor(*v)) continue;
            bool ok = false;
            const long typ = g.cell(0, r).trimmed().toLong(&ok);
            if (!ok)
                throw engine::ValueError("Für eine Zeile ohne Nummer des Postens wurde eine Anzahl eingegeben. Bitte "
                                         "die Anzahl löschen.");
            z.push_back({teilnehmerNummer(g, c), typ, *v});
        }
    return z;
}

std::string loeschen(Abenddaten& d, const char* datei, const Abschnittsort& o)
{
    return zeilen({"DELETE FROM", d.datei(datei), "WHERE", "TERMIN=" + std::to_string(o.termin), "AND",
                   "Abschnitt=" + std::to_string(o.abschnitt)});
}

// The next NUMMER of the file, read at the end of the data module's cursor in the order of
// NUMMER (a sort of every number by SQL would take a tenth of a second on a club of
// some years); by SQL when the cursor cannot tell.
int64_t naechsteNummer(Abenddaten& d, const char* datei)
{
    data::TKeDataForm& m = d.modul();
    engine::TableDataSet& zwilling =
        std::string(datei) == data::tables::Spielkeg ? m.d().SpieleKeglerlookupTable1 : m.d().SonstigeKeglerlookupTable1;
    if (zwilling.active()) {
        zwilling.refresh(); // the rows just written by SQL
        const int64_t n = data::NaechsteNummer(zwilling, "NUMMER", 1, m.tools());
        if (n > 0) return n;
    }
    return m.tools().NaechsteNummerSQL(d.zugang().datenordner() + datei, "NUMMER", 1);
}

// One INSERT of every row, numbered from the highest NUMMER of the file + 1.
void schreiben(Abenddaten& d, const char* datei, const char* positionsfeld, const char* wertfeld,
               const std::vector<Zeile>& z, const Abschnittsort& o)
{
    if (z.empty()) return;
    int64_t nummer = naechsteNummer(d, datei);
    std::string werte;
    for (const Zeile& zeile : z) {
        if (!werte.empty()) werte += ",\n";
        werte += "(" + std::to_string(nummer++) + ", " + std::to_string(zeile.teilnehmer) + ", " +
                 std::to_string(o.abschnitt) + ", " + std::to_string(zeile.position) + ", " + zahl(zeile.wert) +
                 ", " + std::to_string(o.termin) + ")";
    }
    d.ausfuehren(zeilen({"INSERT INTO " + d.datei(datei), std::string("(NUMMER, KEGLERNR, ABSCHNITT, ") +
                                                             positionsfeld + ", " + wertfeld + ", TERMIN)",
                         "VALUES", werte}));
}

engine::Session& terminsession(Abenddaten& d)
{
    return d.zugang().datenbank().session(data::kTerminsession);
}

} // namespace

void teilnehmerspalten(Eingabegitter& g, engine::DataSet& abfrage, int abschnitt)
{
    if (!abfrage.active()) return;
    const int nummer = abfrage.fieldIndex("NUMMER"), kegler = abfrage.fieldIndex("Kegler"),
              name = abfrage.fieldIndex("Name"), ab = abfrage.fieldIndex("ABSCHNITT");
    if (nummer < 0 || kegler < 0 || name < 0 || ab < 0) return;
    int c = g.ersteSpalte();
    for (size_t r = 0; r < abfrage.recordCount(); ++r) {
        if (abfrage.rowValue(r, ab).toNumber() != abschnitt) continue;
        if (c >= g.colCount()) g.spalteAnfuegen();
        g.kopfSchreiben(c++, ganz(abfrage.rowValue(r, kegler)), text(abfrage.rowValue(r, name)),
                        ganz(abfrage.rowValue(r, nummer)));
    }
}

std::string gespeicherteSpiele(Abenddaten& d, const Abschnittsort& o)
{
    return zeilen({"SELECT", "\"KeglernamenXDBF\".\"NAME\"Name, \"KeglernamenXDBF\".\"ALIAS\"Alias,",
                   "\"KeglernamenXDBF\".\"NUMMER\",\"KeglerTerminXDBF\".\"Kegler\"KeglerTerminKegler,",
                   "\"SpieleKeglerXDBF\".\"SPIELNR\"Spielnummer, \"SpieleKeglerXDBF\".\"BETRAG\"Betrag,",
                   "\"SpieleKeglerXDBF\".\"KEGLERNR\"Keglernummer,\"SpieleKeglerXDBF\".\"NUMMER\"Nummer", "FROM",
                   d.datei(data::tables::Keglterm) + " KeglerTerminXDBF,",
                   d.datei(data::tables::Kegler) + " KeglernamenXDBF,",
                   d.datei(data::tables::Spielkeg) + " SpieleKeglerXDBF", "WHERE",
                   "\"KeglerTerminXDBF\".\"TERMIN\" = " + std::to_string(o.termin), "AND",
                   "\"KeglernamenXDBF\".\"NUMMER\" = \"KeglerTerminXDBF\".\"KEGLER\"", "AND",
                   "\"SpieleKeglerXDBF\".\"KEGLERNR\" = \"KeglerTerminXDBF\".\"NUMMER\"", "AND",
                   ort(o, "SpieleKeglerXDBF"), "ORDER BY", "\"SpieleKeglerXDBF\".\"KEGLERNR\",\"SpieleKeglerXDBF\".\"SPIELNR\""});
}

std::string gespeicherteSonstige(Abenddaten& d, const Abschnittsort& o)
{
    return zeilen({"SELECT", "\"KeglernamenXDBF\".\"NAME\"Name, \"KeglernamenXDBF\".\"ALIAS\"Alias,",
                   "\"KeglernamenXDBF\".\"NUMMER\"Keglernummer,",
                   "\"SonstigeKeglerXDBF\".\"ANZAHL\"Anzahl, \"SonstigeKeglerXDBF\".\"TYP\",",
                   "\"SonstigeKeglerXDBF\".\"KEGLERNR\",\"SonstigeKeglerXDBF\".\"NUMMER\"Nummer", "FROM",
                   d.datei(data::tables::Keglterm) + " KeglerTerminXDBF,",
                   d.datei(data::tables::Kegler) + " KeglernamenXDBF,",
                   d.datei(data::tables::Sonstkeg) + " SonstigeKeglerXDBF", "WHERE",
                   "\"KeglerTerminXDBF\".\"TERMIN\" = " + std::to_string(o.termin), "AND",
                   "\"KeglerTerminXDBF\".\"KEGLER\" = \"KeglernamenXDBF\".\"NUMMER\"", "AND",
                   "\"SonstigeKeglerXDBF\".\"KEGLERNR\" = \"KeglerTerminXDBF\".\"NUMMER\"", "AND",
                   ort(o, "SonstigeKeglerXDBF"), "ORDER BY", "\"SonstigeKeglerXDBF\".\"KEGLERNR\",\"SonstigeKeglerXDBF\".\"TYP\""});
}

void spieleLaden(Abenddaten& d, Eingabegitter& g, const Abschnittsort& o)
{
    const auto r = d.abfrage(gespeicherteSpiele(d, o));
    const int kegler = spalte(r, "KeglerTerminKegler"), name = spalte(r, "Name"), teilnehmer = spalte(r, "Keglernummer"),
              spiel = spalte(r, "Spielnummer"), betrag = spalte(r, "Betrag");
    int vorige = -1;
    for (const auto& row : r.rows) {
        const int c = spalteFuer(g, ganz(row[kegler]), vorige, text(row[name]), ganz(row[teilnehmer]));
        vorige = c;
        const long nr = std::lround(row[spiel].toNumber());
        if (nr < 1 || nr > 10000) continue; // no position: no row of the grid
        const int zeile = 2 + static_cast<int>(nr);
        while (g.rowCount() <= zeile) g.spielzeileAnfuegen();
        g.setCell(c, zeile, QString::asprintf("%.2f", row[betrag].toNumber()).replace('.', ','));
    }
}

void sonstigeLaden(Abenddaten& d, Eingabegitter& g, const Abschnittsort& o)
{
    const auto r = d.abfrage(gespeicherteSonstige(d, o));
    const int kegler = spalte(r, "Keglernummer"), name = spalte(r, "Name"), teilnehmer = spalte(r, "KEGLERNR"),
              typ = spalte(r, "TYP"), anzahl = spalte(r, "Anzahl");
    int vorige = -1;
    for (const auto& row : r.rows) {
        const int c = spalteFuer(g, ganz(row[kegler]), vorige, text(row[name]), ganz(row[teilnehmer]));
        vorige = c;
        const QString t = ganz(row[typ]);
        int zeile = g.postenZeile(t);
        if (zeile < 0) zeile = g.postenzeileAnfuegen(t);
        g.setCell(c, zeile, QString::number(row[anzahl].toNumber(), 'g', 15));
    }
}

void abschnittSpeichern(Abenddaten& d, const Eingabegitter& spiele, const Eingabegitter& sonstige,
                        const Abschnittsort& o)
{
    const std::vector<Zeile> s = spielzeilen(spiele);
    const std::vector<Zeile> z = sonstigezeilen(sonstige);
    terminsession(d).atomically([&] {
        d.ausfuehren(loeschen(d, data::tables::Spielkeg, o));
        d.ausfuehren(loeschen(d, data::tables::Sonstkeg, o));
        schreiben(d, data::tables::Spielkeg, "SPIELNR", "BETRAG", s, o);
        schreiben(d, data::tables::Sonstkeg, "TYP", "ANZAHL", z, o);
    });
}

void sonstigeSpeichern(Abenddaten& d, const Eingabegitter& sonstige, const Abschnittsort& o)
{
    const std::vector<Zeile> z = sonstigezeilen(sonstige);
    terminsession(d).atomically([&] {
        d.ausfuehren(loeschen(d, data::tables::Sonstkeg, o));
        schreiben(d, data::tables::Sonstkeg, "TYP", "ANZAHL", z, o);
    });
}

} // namespace trevo::evenings
