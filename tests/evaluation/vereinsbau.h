#pragma once
// A club for the evaluation tests in a temporary data folder: currencies, price lists with
// their items, evenings, participant rows, game amounts and item counts written straight
// into the files. Amounts are given in cents.
#include "support/testverein.h"

#include "engine/core/value.h"
#include "engine/database.h"
#include "engine/dbf/dbf_table.h"
#include "shell/druckdienst.h"

#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

namespace trevo::evaluation::test {

using engine::Value;

inline Value cent(long long c) { return Value::number(static_cast<double>(c) / 100.0); }
inline int32_t tag(int y, int m, int d) { return engine::daysFromCivil(y, m, d); }

// A print facility that notes what it was asked to print.
class Druckprotokoll : public shell::Druckdienst {
public:
    QString Reportdatei(const QString& option, const QString& standard) const override
    {
        return option + "=" + standard;
    }
    void DruckeAuswertung(const QString& reportFile) override { gedruckt << reportFile; }
    void DruckeListe(const QString& reportFile, const QString&) override { gedruckt << reportFile; }
    void DruckeSpielliste() override {}
    void DruckeBlankoliste(const QString& reportFile) override { gedruckt << reportFile; }
    QStringList gedruckt;
};

// The shared test club, with the print facility of the test.
class Verein : public trevo::test::TestVerein {
public:
    shell::Druckdienst* druckdienst() const override { return druck; }
    Druckprotokoll* druck = nullptr;
};

class Vereinsbau {
public:
    Verein verein;

    int kegler(const std::string& name, const std::string& mitgliedsnummer, bool mitglied = true)
    {
        return satz("KEGLER.DBF", {{"NAME", Value::text(name)}, {"MITGLIEDNR", Value::text(mitgliedsnummer)},
                                   {"MITGLIED", Value::logical(mitglied)}});
    }
    int waehrung(const std::string& name, const std::string& kuerzel, double faktor)
    {
        return satz("WAEHRUNGEN.DBF", {{"NAME", Value::text(name)}, {"KUERZEL", Value::text(kuerzel)},
                                              {"FAKTOR", Value::number(faktor)}});
    }
    int preisliste(int waehrung)
    {
        return satz("SONSTYP0.DBF", {{"DATUM", Value::date(tag(2020, 1, 1))}, {"WAEHRUNG", Value::number(waehrung)}});
    }
    int posten(int preisliste, const std::string& name, long long preis, bool mittelwert, int gueltig = 1)
    {
        return satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text(name)}, {"EINZELPREI", cent(preis)},
                                            {"MITTELWERT", Value::logical(mittelwert)}, {"PREISLISTE", Value::number(preisliste)},
                                            {"GUELTIG", Value::number(gueltig)}});
    }
    int termin(int32_t datum, int preisliste, long long beitrag)
    {
        return satz("TERMINE.DBF", {{"DATUM", Value::date(datum)}, {"PREISLISTE", Value::number(preisliste)},
                                           {"BEITRAG", cent(beitrag)}});
    }
    // A participant row; returns its NUMMER.
    int teilnahme(int termin, int kegler, int abschnitt)
    {
        return satz("KEGLTERM.DBF", {{"TERMIN", Value::number(termin)}, {"KEGLER", Value::number(kegler)},
                                            {"ABSCHNITT", Value::number(abschnitt)}});
    }
    void spiel(int termin, int zeile, int abschnitt, long long betrag)
    {
        satz("SPIELKEG.DBF", {{"KEGLERNR", Value::number(zeile)}, {"ABSCHNITT", Value::number(abschnitt)},
                                     {"SPIELNR", Value::number(1)}, {"BETRAG", cent(betrag)},
                                     {"TERMIN", Value::number(termin)}});
    }
    void stueck(int termin, int zeile, int abschnitt, int typ, int anzahl)
    {
        satz("SONSTKEG.DBF", {{"KEGLERNR", Value::number(zeile)}, {"ABSCHNITT", Value::number(abschnitt)},
                                     {"TYP", Value::number(typ)}, {"ANZAHL", Value::number(anzahl)},
                                     {"TERMIN", Value::number(termin)}});
    }
    std::string ordner() { return verein.datenordner(); }

    // A record of the fields, numbered after the highest NUMMER of the file.
    int satz(const std::string& file, const std::vector<std::pair<std::string, Value>>& fields)
    {
        auto t = verein.datenbank().table(verein.pfad(file));
        const int nf = t->fieldIndex("NUMMER");
        int n = 0;
        for (uint32_t i = 0; i < t->recordCount(); ++i)
            if (!t->isDeleted(i)) n = std::max(n, static_cast<int>(t->get(i, nf).toNumber()));
        engine::Record r(t->fields().size());
        r[static_cast<size_t>(nf)] = Value::number(n + 1);
        for (const auto& [field, value] : fields) r[static_cast<size_t>(t->fieldIndex(field))] = value;
        verein.session().atomically([&] { t->append(r); });
        return n + 1;
    }
};

} // namespace trevo::evaluation::test
