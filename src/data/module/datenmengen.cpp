#include "data/module/datenmengen.h"

#include "data/store/schema.h"

namespace trevo::data {
namespace {

using engine::DataSet;
using engine::TableDataSet;

// Labels and display formats of the stored fields, from the table's schema: amounts
// "0.00", dates "dd.mm.yyyy".
void beschriften(TableDataSet& ds, const char* datei)
{
    const TableSchema& schema = tableSchema(datei);
    for (const FieldSpec& f : schema.fields) {
        if (!f.label.empty()) ds.setLabel(f.name, f.label);
        if (f.type == 'N' && f.decimals == 2) ds.setDisplayFormat(f.name, "0.00");
        if (f.type == 'D') ds.setDisplayFormat(f.name, "dd.mm.yyyy");
    }
}

void tabelle(TableDataSet& ds, const char* name, const char* datei, const char* index)
{
    ds.setName(name);
    ds.setIndex(index);
    beschriften(ds, datei);
}

} // namespace

Datenmengen::Datenmengen(engine::Database& db, const std::string& o)
    : ordner(o),
      TerminTable1(db, db.session(kTerminsession), o + tables::Termine),
      TerminlookupTable1(db, db.session(kTerminsession), o + tables::Termine),
      KeglerTerminTable1(db, db.session(kTerminsession), o + tables::Keglterm),
      KeglerTerminlookupTable1(db, db.session(kTerminsession), o + tables::Keglterm),
      KeglernamenTable1(db, db.session(), o + tables::Kegler),
      KeglernamenlookupTable1(db, db.session(), o + tables::Kegler),
      KeglerTable1(db, db.session(), o + tables::Kegler),
      SpieleKeglerTable1(db, db.session(kTerminsession), o + tables::Spielkeg),
      SpieleKeglerlookupTable1(db, db.session(kTerminsession), o + tables::Spielkeg),
      SonstigeKeglerTable1(db, db.session(kTerminsession), o + tables::Sonstkeg),
      SonstigeKeglerlookupTable1(db, db.session(kTerminsession), o + tables::Sonstkeg),
      SonstigeMainTable1(db, db.session(kSonstigeSession), o + tables::Sonstyp0),
      SonstigeTable1(db, db.session(kSonstigeSession), o + tables::Sonstype),
      SonstigeLookupTable1(db, db.session(kSonstigeSession), o + tables::Sonstype),
      SpielartenTable1(db, db.session(), o + tables::Spiele),
      SpielartenlookupTable1(db, db.session(), o + tables::Spiele),
      FunktionsTable1(db, db.session(), o + tables::Funktion),
      FunktionslookupTable1(db, db.session(), o + tables::Funktion),
      TerminplanTable1(db, db.session(), o + tables::Termplan),
      TerminplanlookupTable1(db, db.session(), o + tables::Termplan),
      TermintypTable1(db, db.session(), o + tables::Terminty),
      TermintypTable2(db, db.session(), o + tables::Terminty),
      WaehrungsTable1(db, db.session(), o + tables::Waehrungen),
      KontoTable1(db, db.session(kKontoSession), o + tables::Konto),
      KontolookupTable1(db, db.session(kKontoSession), o + tables::Konto),
      KontodefTable1(db, db.session(kKontoSession), o + tables::Kontoinf),
      KontostandTable(db, db.session(kKontoSession), o + tables::Kontoinf),
      AuswertungsTable1(db, db.session(), o + tables::Auswertu),
      WerteTable1(db, db.session(), o + tables::Wertetab)
{
    using namespace tables;
    tabelle(TerminTable1, "TerminTable1", Termine, "NUMMER");
    tabelle(TerminlookupTable1, "TerminlookupTable1", Termine, "NUMMER");
    tabelle(KeglerTerminTable1, "KeglerTerminTable1", Keglterm, "TERMIN");
    tabelle(KeglerTerminlookupTable1, "KeglerTerminlookupTable1", Keglterm, "NUMMER");
    KeglerProTerminQuery.setName("KeglerProTerminQuery");
    tabelle(KeglernamenTable1, "KeglernamenTable1", Kegler, "NUMMER");
    tabelle(KeglernamenlookupTable1, "KeglernamenlookupTable1", Kegler, "NUMMER");
    tabelle(KeglerTable1, "KeglerTable1", Kegler, "NAME");
    tabelle(SpieleKeglerTable1, "SpieleKeglerTable1", Spielkeg, "KEGLERNR");
    tabelle(SpieleKeglerlookupTable1, "SpieleKeglerlookupTable1", Spielkeg, "NUMMER");
    tabelle(SonstigeKeglerTable1, "SonstigeKeglerTable1", Sonstkeg, "KEGLERNR");
    tabelle(SonstigeKeglerlookupTable1, "SonstigeKeglerlookupTable1", Sonstkeg, "NUMMER");
    tabelle(SonstigeMainTable1, "SonstigeMainTable1", Sonstyp0, "NUMMER");
    tabelle(SonstigeTable1, "SonstigeTable1", Sonstype, "PREISLISTE");
    tabelle(SonstigeLookupTable1, "SonstigeLookupTable1", Sonstype, "NUMMER");
    tabelle(SpielartenTable1, "SpielartenTable1", Spiele, "NUMMER");
    tabelle(SpielartenlookupTable1, "SpielartenlookupTable1", Spiele, "NUMMER");
    tabelle(FunktionsTable1, "FunktionsTable1", Funktion, "NUMMER");
    tabelle(FunktionslookupTable1, "FunktionslookupTable1", Funktion, "NUMMER");
    tabelle(TerminplanTable1, "TerminplanTable1", Termplan, "NUMMER");
    tabelle(TerminplanlookupTable1, "TerminplanlookupTable1", Termplan, "NUMMER");
    tabelle(TermintypTable1, "TermintypTable1", Terminty, "NUMMER");
    tabelle(TermintypTable2, "TermintypTable2", Terminty, "BESCHREIBU");
    tabelle(WaehrungsTable1, "WaehrungsTable1", Waehrungen, "NUMMER");
    tabelle(KontoTable1, "KontoTable1", Konto, "NUMMER");
    tabelle(KontolookupTable1, "KontolookupTable1", Konto, "NUMMER");
    tabelle(KontodefTable1, "KontodefTable1", Kontoinf, "KONTONR");
    tabelle(KontostandTable, "KontostandTable", Kontoinf, "KONTONR");
    tabelle(AuswertungsTable1, "AuswertungsTable1", Auswertu, "");
    tabelle(WerteTable1, "WerteTable1", Wertetab, "BEZEICHNUN");
    Query1.setName("Query1");
    SpielerProAbschnittQuery1.setName("SpielerProAbschnittQuery1");

    // Master links and the participants' section filter.
    KeglerTerminTable1.setMasterLink(TerminTable1, "TERMIN", "NUMMER");
    KeglerTerminTable1.setFilterText("ABSCHNITT=1");
    KeglerTerminTable1.setFiltered(true);
    KeglernamenTable1.setMasterLink(KeglerProTerminQuery, "NUMMER", "KEGLER");
    SpieleKeglerTable1.setMasterLink(KeglerTerminTable1, "KEGLERNR", "NUMMER");
    SonstigeKeglerTable1.setMasterLink(KeglerTerminTable1, "KEGLERNR", "NUMMER");
    SonstigeTable1.setMasterLink(SonstigeMainTable1, "PREISLISTE", "NUMMER");
    KontodefTable1.setMasterLink(KontoTable1, "KONTONR", "KONTONR");

    // Derived fields.
    TerminTable1.addLookupField("Waehrung", 'N', SonstigeMainTable1, "PREISLISTE", "NUMMER", "WAEHRUNG", 10);
    TerminTable1.addLookupField("WaehrungStr", 'C', WaehrungsTable1, "Waehrung", "NUMMER", "KUERZEL", 3);
    for (const char* f : {"Name", "Vorname", "Alias"})
        KeglerTerminTable1.addLookupField(f, 'C', KeglernamenlookupTable1, "KEGLER", "NUMMER", f, 50);
    KeglerTerminTable1.addCalculatedField("Mitgliednr", 'N', 10); // the member number as an integer
    SonstigeKeglerTable1.addLookupField("Bezeichnung", 'C', SonstigeTable1, "TYP", "NUMMER", "BEZEICHNUN", 50);
    SonstigeKeglerTable1.addCalculatedField("Betrag", 'N', 12, 2);
    SonstigeKeglerTable1.setDisplayFormat("Betrag", "0.00");
    SonstigeMainTable1.addLookupField("WaehrungStr", 'C', WaehrungsTable1, "WAEHRUNG", "NUMMER", "KUERZEL", 3);
    SonstigeMainTable1.setLabel("WaehrungStr", "Währungskürzel");
    KontodefTable1.addLookupField("WaehrungStr", 'C', WaehrungsTable1, "WAEHRUNG", "NUMMER", "KUERZEL", 3);
    KontoTable1.addCalculatedField("WaehrungStr", 'C', 8);
    KontoTable1.setLabel("WaehrungStr", "Währung");

    tabellen = {&TerminTable1,         &TerminlookupTable1,     &KeglerTerminTable1,     &KeglerTerminlookupTable1,
                &KeglernamenTable1,    &KeglernamenlookupTable1, &KeglerTable1,          &SpieleKeglerTable1,
                &SpieleKeglerlookupTable1, &SonstigeKeglerTable1, &SonstigeKeglerlookupTable1, &SonstigeMainTable1,
                &SonstigeTable1,       &SonstigeLookupTable1,   &SpielartenTable1,       &SpielartenlookupTable1,
                &FunktionsTable1,      &FunktionslookupTable1,  &TerminplanTable1,       &TerminplanlookupTable1,
                &TermintypTable1,      &TermintypTable2,        &WaehrungsTable1,        &KontoTable1,
                &KontolookupTable1,    &KontodefTable1,         &AuswertungsTable1,      &WerteTable1,
                &KontostandTable};
    alle.assign(tabellen.begin(), tabellen.end());
    alle.push_back(&KeglerProTerminQuery);
    alle.push_back(&Query1);
    alle.push_back(&SpielerProAbschnittQuery1);
}

} // namespace trevo::data
