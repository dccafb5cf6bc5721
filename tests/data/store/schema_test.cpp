#include "data/store/schema.h"

#include <gtest/gtest.h>

#include <set>

using namespace trevo::data;

TEST(Schema, SixteenTablesWithValidFieldsAndTags)
{
    ASSERT_EQ(allTables().size(), 16u);
    std::set<std::string> files;
    for (const TableSchema& t : allTables()) {
        EXPECT_TRUE(files.insert(t.fileName).second) << t.fileName;
        std::set<std::string> names;
        size_t recordLength = 1;
        for (const FieldSpec& f : t.fields) {
            EXPECT_LE(f.name.size(), 10u) << t.fileName << "." << f.name;
            EXPECT_TRUE(names.insert(f.name).second) << t.fileName << "." << f.name;
            EXPECT_NE(std::string("CNDLM").find(f.type), std::string::npos) << f.name;
            if (f.type == 'D') { EXPECT_EQ(f.length, 8) << f.name; }
            if (f.type == 'L') { EXPECT_EQ(f.length, 1) << f.name; }
            if (f.type == 'M') { EXPECT_EQ(f.length, 10) << f.name; }
            if (f.type == 'N') { EXPECT_LT(f.decimals + 1, f.length) << f.name; }
            recordLength += f.length;
        }
        EXPECT_NE(t.field("NUMMER"), nullptr) << t.fileName; // every table is numbered
        EXPECT_FALSE(t.tags.empty()) << t.fileName;
        for (const auto& tag : t.tags) EXPECT_NE(t.field(tag), nullptr) << t.fileName << " tag " << tag;
        EXPECT_LT(recordLength, 4000u);
    }
    EXPECT_EQ(tableSchema("waehrungen.dbf").fileName, "WAEHRUNGEN.DBF");
    EXPECT_EQ(findTable("FEHLT.DBF"), nullptr);
    EXPECT_THROW(tableSchema("FEHLT.DBF"), std::out_of_range);
    EXPECT_EQ(memoFileName("KEGLER.DBF"), "KEGLER.DBT");
}

TEST(Schema, WidthsHoldTheValuesTheProgramStores)
{
    const FieldSpec* gueltig = tableSchema(tables::Sonstype).field("GUELTIG");
    ASSERT_NE(gueltig, nullptr);
    EXPECT_EQ(gueltig->def(), (trevo::engine::FieldDef{"GUELTIG", 'N', 2, 0}));
    EXPECT_EQ(tableSchema(tables::Sonstype).fields.back().name, "GUELTIG");
    for (const auto& [table, field] : std::vector<std::pair<const char*, const char*>>{
             {tables::Termine, "NUMMER"}, {tables::Spielkeg, "KEGLERNR"}, {tables::Sonstkeg, "ANZAHL"},
             {tables::Kegler, "GEBTAGNUM"}, {tables::Konto, "KONTONR"}, {tables::Auswertu, "NUMMER"}}) {
        const FieldSpec* f = tableSchema(table).field(field);
        ASSERT_NE(f, nullptr) << table << "." << field;
        EXPECT_EQ(f->type, 'N');
        EXPECT_EQ(f->decimals, 0) << table << "." << field;
        EXPECT_GE(f->length, 10) << table << "." << field;
    }
    for (const auto& [table, field] : std::vector<std::pair<const char*, const char*>>{
             {tables::Spielkeg, "BETRAG"}, {tables::Sonstype, "EINZELPREI"}, {tables::Kontoinf, "KONTOSTAND"},
             {tables::Termine, "BEITRAG"}, {tables::Auswertu, "SUMME"}}) {
        const FieldSpec* f = tableSchema(table).field(field);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->decimals, 2) << table << "." << field;
    }
    EXPECT_GE(tableSchema(tables::Waehrungen).field("FAKTOR")->decimals, 5); // 1.95583
}

TEST(Schema, LabelsAndFieldOrderAsTheWindowsShowThem)
{
    const TableSchema& kegler = tableSchema(tables::Kegler);
    ASSERT_EQ(kegler.fields.size(), 17u);
    EXPECT_EQ(kegler.fields[1].name, "MITGLIEDNR");
    EXPECT_EQ(kegler.fields[1].label, "Mitgliedsnummer");
    EXPECT_EQ(kegler.field("PLZ")->label, "");
    EXPECT_EQ(kegler.tags, (std::vector<std::string>{"NUMMER", "MITGLIEDNR", "NAME"}));
    EXPECT_EQ(tableSchema(tables::Waehrungen).field("KUERZEL")->label, "Kürzel");
    EXPECT_EQ(tableSchema(tables::Sonstkeg).field("TERMIN")->label, "Termin Nr. ");
    EXPECT_EQ(tableSchema(tables::Termine).field("NUMMER")->label, "lfd.Nummer");
    EXPECT_EQ(tableSchema(tables::Keglterm).field("NUMMER")->label, "lfd. Nummer");
    EXPECT_EQ(tableSchema(tables::Auswertu).fields[0].name, "NAME");
    EXPECT_EQ(tableSchema(tables::Konto).tags, (std::vector<std::string>{"DATUM", "NUMMER"}));
}

TEST(Schema, RelationsNameExistingNumericFields)
{
    ASSERT_EQ(relations().size(), 13u);
    for (const Relation& r : relations()) {
        const FieldSpec* from = tableSchema(r.fromTable).field(r.fromField);
        const FieldSpec* to = tableSchema(r.toTable).field(r.toField);
        ASSERT_NE(from, nullptr) << r.fromTable << "." << r.fromField;
        ASSERT_NE(to, nullptr) << r.toTable << "." << r.toField;
        EXPECT_EQ(from->type, 'N');
        EXPECT_EQ(to->type, 'N');
    }
}
