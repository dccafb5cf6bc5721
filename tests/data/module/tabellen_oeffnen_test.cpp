#include "modul_fixture.h"

using namespace trevo;
using namespace trevo::data;
using namespace trevo::data::test;
using engine::Value;

TEST_F(ModulTest, FreshFolderOpensEveryTableWithoutMessages)
{
    auto m = oeffnen();
    EXPECT_TRUE(m->alleTabellenOffen());
    EXPECT_TRUE(texte().empty());
    EXPECT_EQ(m->d().TerminTable1.indexName(), "NUMMER");
    EXPECT_EQ(m->d().KeglerTable1.indexName(), "NAME");
    EXPECT_EQ(m->d().KeglerTerminTable1.filterText(), "ABSCHNITT=1");
    EXPECT_EQ(&m->d().TerminTable1.session(), &db.session("Terminsession1"));
    EXPECT_EQ(&m->d().SonstigeTable1.session(), &db.session("SonstigeSession"));
    EXPECT_EQ(&m->d().KontodefTable1.session(), &db.session("KontoSession"));
    EXPECT_EQ(&m->d().KeglerTable1.session(), &db.session());
    EXPECT_EQ(m->datenquelle("KeglerDataSource1").datenmenge(), &m->d().KeglerTable1);
    EXPECT_EQ(m->datenquelle("DataSource3").datenmenge(), &m->d().SpielerProAbschnittQuery1);
    EXPECT_EQ(m->d().SonstigeMainTable1.field(m->d().SonstigeMainTable1.fieldIndex("WaehrungStr")).label,
              "Währungskürzel");
}

TEST_F(ModulTest, MissingFolderAsksAndNoEndsTheProgram)
{
    pfade.datenordner = "/fehlt/";
    TKeDataForm m(db, tools, optionen, pfade, host);
    EXPECT_FALSE(m.TabellenOeffnen());
    EXPECT_TRUE(host.beendet);
    ASSERT_EQ(texte().size(), 1u);
    EXPECT_EQ(texte()[0], "frage: Der Datenordner /fehlt/ wurde nicht gefunden ! Anderen Ordner auswählen ?");
    EXPECT_FALSE(m.alleTabellenOffen());
}

TEST_F(ModulTest, ChosenFolderBecomesTheDataFolderAndTheOption)
{
    fs.makeDirectory("/leer");
    pfade.datenordner = "/leer/";
    // Yes, Cancel (the check repeats), Yes, then the real folder without a trailing separator.
    dialoge.answer(common::Answer::Yes).answer(common::Answer::Yes);
    dialoge.choose(std::nullopt).choose(QStringLiteral("/daten"));
    TKeDataForm m(db, tools, optionen, pfade, host);
    EXPECT_TRUE(m.TabellenOeffnen());
    EXPECT_FALSE(host.beendet);
    EXPECT_EQ(pfade.datenordner, "/daten\\");
    EXPECT_EQ(optionen.gespeichert.datenordner, "/daten\\");
    EXPECT_EQ(dialoge.choosers(), (QStringList{"/leer/", "/leer/"}));
    EXPECT_EQ(texte().size(), 2u);
    EXPECT_TRUE(dialoge.problems().isEmpty());
    EXPECT_TRUE(m.alleTabellenOffen());
    EXPECT_EQ(m.d().KeglerTable1.path(), "/daten\\KEGLER.DBF");
}

TEST_F(ModulTest, MissingGueltigIsAddedAndEveryItemReadsOne)
{
    // SONSTYPE.DBF of an older installation: no GUELTIG column.
    db.closeTable("/daten/SONSTYPE.DBF");
    fs.remove("/daten/SONSTYPE.DBF");
    std::vector<engine::FieldDef> felder = tableSchema(tables::Sonstype).fieldDefs();
    felder.pop_back();
    db.session().atomically([&] {
        auto t = db.createTable("/daten/SONSTYPE.DBF", felder);
        t->append({n(1), s("Pudel"), n(0.5), Value::logical(true), n(1)});
        t->append({n(2), s("Kranz"), n(1), Value::logical(false), n(1)});
    });
    auto m = oeffnen();
    EXPECT_EQ(texte(), std::vector<std::string>{"bestaetigung: Das Datenfeld GUELTIG wurde eingefügt"});
    auto& items = m->d().SonstigeLookupTable1;
    for (items.first(); !items.eof(); items.next()) EXPECT_EQ(items.value("GUELTIG"), n(1));
    EXPECT_EQ(items.recordCount(), 2u);
}

TEST_F(ModulTest, GueltigOtherThanOneOrTwoBecomesOne)
{
    datensaetze(tables::Sonstype, {{{"NUMMER", n(1)}, {"PREISLISTE", n(1)}},
                                   {{"NUMMER", n(2)}, {"PREISLISTE", n(1)}, {"GUELTIG", n(3)}},
                                   {{"NUMMER", n(3)}, {"PREISLISTE", n(1)}, {"GUELTIG", n(2)}}});
    auto m = oeffnen();
    auto& items = m->d().SonstigeLookupTable1;
    std::vector<Value> gueltig;
    for (items.first(); !items.eof(); items.next()) gueltig.push_back(items.value("GUELTIG"));
    EXPECT_EQ(gueltig, (std::vector<Value>{n(1), n(1), n(2)}));
    EXPECT_TRUE(texte().empty());
}

TEST_F(ModulTest, TableThatCannotBeOpenedIsNamedAndTheRestStaysClosed)
{
    db.closeTable("/daten/SPIELE.DBF");
    fs.remove("/daten/SPIELE.DBF");
    auto m = oeffnen();
    ASSERT_EQ(texte().size(), 3u);
    EXPECT_EQ(texte()[0], "startfenster aus");
    EXPECT_EQ(texte()[1].rfind("meldung: Fehler beim Öffnen der Datei /daten/SPIELE.DBF", 0), 0u);
    EXPECT_EQ(texte()[2], "startfenster an");
    EXPECT_TRUE(m->d().SonstigeLookupTable1.active());
    EXPECT_FALSE(m->d().SpielartenTable1.active());
    EXPECT_FALSE(m->d().KontoTable1.active());
    EXPECT_FALSE(m->alleTabellenOffen());
}

TEST_F(ModulTest, ClosingPostsPendingRecordsAndReopeningMovesToAnotherFolder)
{
    auto m = oeffnen();
    auto& kegler = m->d().KeglerTable1;
    kegler.append();
    kegler.setValue("NAME", s("Müller"));
    m->TabellenSchliessen();
    EXPECT_FALSE(kegler.active());
    EXPECT_EQ(tools.Datensatzanzahl("/daten/KEGLER.DBF"), 1);

    installDataFolder(db, "/zweiter/", heute);
    pfade.datenordner = "/zweiter/";
    Datenquelle& quelle = m->datenquelle("KeglerDataSource1");
    engine::DataSet* gemeldet = nullptr;
    auto abo = quelle.beobachten([&](engine::DataSet* ds) { gemeldet = ds; });
    EXPECT_TRUE(m->TabellenOeffnen());
    EXPECT_TRUE(m->alleTabellenOffen());
    EXPECT_EQ(m->d().KeglerTable1.path(), "/zweiter/KEGLER.DBF");
    EXPECT_TRUE(m->d().KeglerTable1.isEmpty());
    EXPECT_EQ(gemeldet, &m->d().KeglerTable1);
    EXPECT_EQ(quelle.datenmenge(), &m->d().KeglerTable1);
}

TEST_F(ModulTest, FieldAndIndexQuestions)
{
    auto m = oeffnen();
    auto& items = m->d().SonstigeLookupTable1;
    EXPECT_TRUE(m->FeldInTabelle("gueltig", items));
    EXPECT_FALSE(m->FeldInTabelle("GULTIG", items));
    m->TabellenSchliessen();
    EXPECT_TRUE(m->FeldInTabelle("EINZELPREI", items)); // closed: the field check decides
    EXPECT_TRUE(m->IndexInTabelle("PREISLISTE", items));
    EXPECT_FALSE(m->IndexInTabelle("preisliste", items)); // names compare exactly
    EXPECT_FALSE(m->IndexInTabelle("BEZEICHNUN", items));
}
