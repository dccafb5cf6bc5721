#include "testverein.h"

#include "core/collation.h"
#include "dataset/field_text.h"
#include "sql/sql.h"

#include <gtest/gtest.h>

namespace trevo::masterdata::test {

using engine::FieldDef;
using engine::Record;
using engine::Value;

namespace {

FieldDef num(const char* n, uint8_t len = 10, uint8_t dec = 0) { return {n, 'N', len, dec}; }
FieldDef txt(const char* n, uint8_t len) { return {n, 'C', len, 0}; }

const std::vector<FieldDef>& keglerFelder()
{
    static const std::vector<FieldDef> f = {
        num("NUMMER"),      txt("MITGLIEDNR", 10), txt("NAME", 50),    txt("VORNAME", 50), txt("ALIAS", 50),
        {"MITGLIED", 'L', 1, 0}, num("FUNKTION"),  txt("STRASSE", 50), txt("PLZ", 5),      txt("ORT", 50),
        txt("TEL1", 50),    txt("TEL2", 50),       txt("EMAIL", 50),   {"BEMERKUNGE", 'M', 10, 0},
        txt("EINTRITT", 10), {"GEBURTSTAG", 'D', 8, 0}, num("GEBTAGNUM")};
    return f;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

} // namespace

TestVerein::TestVerein()
{
    EXPECT_TRUE(dir_.isValid());
    folder_ = dir_.path().toStdString() + "/";
    db_ = std::make_unique<engine::Database>();
    anlegen();
}

TestVerein::~TestVerein()
{
    kegler_.reset();
    keglernamenLookup_.reset();
    funktionen_.reset();
}

void TestVerein::anlegen()
{
    session().atomically([&] {
        db_->createTable(pfad("KEGLER.DBF"), keglerFelder());
        db_->createTable(pfad("KEGLTERM.DBF"), {num("NUMMER"), num("TERMIN"), num("KEGLER"), num("ABSCHNITT")});
        db_->createTable(pfad("FUNKTION.DBF"), {num("NUMMER"), txt("BEZEICHNUN", 50)});
    });
}

int TestVerein::naechsteNummer(const std::string& file)
{
    auto r = engine::sql::execute(*db_, session(), "SELECT MAX(NUMMER) FROM " + engine::sql::quoted(pfad(file)),
                                  folder_);
    if (r.rows.empty() || r.rows[0].empty() || r.rows[0][0].isNull()) return 1;
    return static_cast<int>(r.rows[0][0].toNumber()) + 1;
}

int TestVerein::bowler(const Bowler& b)
{
    auto t = db_->table(pfad("KEGLER.DBF"));
    const int n = naechsteNummer("KEGLER.DBF");
    Record r(t->fields().size());
    auto set = [&](const char* field, Value v) { r[static_cast<size_t>(t->fieldIndex(field))] = std::move(v); };
    set("NUMMER", Value::number(n));
    set("NAME", Value::text(b.name));
    set("VORNAME", Value::text(b.vorname));
    set("MITGLIEDNR", Value::text(b.mitgliedsnummer));
    set("MITGLIED", Value::logical(b.mitglied));
    if (b.funktion) set("FUNKTION", Value::number(b.funktion));
    set("EINTRITT", Value::text(b.eintritt));
    session().atomically([&] { t->append(r); });
    return n;
}

int TestVerein::office(const std::string& name)
{
    auto t = db_->table(pfad("FUNKTION.DBF"));
    const int n = naechsteNummer("FUNKTION.DBF");
    session().atomically([&] { t->append({Value::number(n), Value::text(name)}); });
    return n;
}

void TestVerein::teilnahme(int bowlerNumber, int evening)
{
    auto t = db_->table(pfad("KEGLTERM.DBF"));
    const int n = naechsteNummer("KEGLTERM.DBF");
    session().atomically(
        [&] { t->append({Value::number(n), Value::number(evening), Value::number(bowlerNumber), Value::number(1)}); });
}

void TestVerein::oeffnen()
{
    kegler_ = std::make_unique<engine::TableDataSet>(*db_, session(), pfad("KEGLER.DBF"));
    kegler_->setName("KeglerTable1");
    kegler_->events.afterInsert = [this](engine::DataSet& ds) {
        if (ds.value("NUMMER").toNumber() == 0) ds.setValue("NUMMER", Value::number(naechsteNummer("KEGLER.DBF")));
    };
    kegler_->events.beforePost = [](engine::DataSet& ds) {
        const Value birthday = ds.value("GEBURTSTAG");
        ds.setValue("GEBTAGNUM", Value::number(birthday.isDate() ? birthday.date() : 0));
    };
    auto rule = [this](engine::DataSet& ds) {
        if (menueRegel) menueRegel(static_cast<long>(ds.recordCount()));
    };
    kegler_->events.afterPost = rule;
    kegler_->events.afterDelete = rule;
    kegler_->open();
    kegler_->setIndex("NAME");
    kegler_->first();

    keglernamenLookup_ = std::make_unique<engine::TableDataSet>(*db_, session(), pfad("KEGLER.DBF"));
    keglernamenLookup_->setName("KeglernamenlookupTable1");
    keglernamenLookup_->open();
    keglernamenLookup_->setIndex("NUMMER");

    funktionen_ = std::make_unique<engine::TableDataSet>(*db_, session(), pfad("FUNKTION.DBF"));
    funktionen_->setName("FunktionsTable1");
    funktionen_->open();
    funktionen_->setIndex("NUMMER");
}

engine::TableDataSet* TestVerein::tabelle(std::string_view name)
{
    for (auto* ds : {kegler_.get(), keglernamenLookup_.get(), funktionen_.get()})
        if (ds && engine::toUpperGerman(ds->name()) == engine::toUpperGerman(name)) return ds;
    return nullptr;
}

long TestVerein::anzahlDatensaetze(std::string_view dataSetName)
{
    engine::TableDataSet* ds = tabelle(dataSetName);
    if (!ds) return -1;
    auto r = engine::sql::execute(*db_, session(), "SELECT COUNT(*) FROM " + engine::sql::quoted(ds->path()), folder_);
    return r.rows.empty() ? -1 : static_cast<long>(r.rows[0][0].toNumber());
}

int TestVerein::AnzahlMitWert(const std::string& field, long number, const std::string& path)
{
    const std::vector<std::string> lines = {"SELECT " + field, "FROM", engine::sql::quoted(path), "WHERE",
                                            field + "=" + std::to_string(number)};
    try {
        return static_cast<int>(engine::sql::execute(*db_, session(), joined(lines), folder_).rows.size());
    } catch (const engine::EngineError&) {
        return 0;
    }
}

std::string TestVerein::FunktionsName(const std::string& number)
{
    const std::vector<std::string> lines = {"SELECT BEZEICHNUN", "FROM", engine::sql::quoted(pfad("FUNKTION.DBF")),
                                            "WHERE", "NUMMER=" + number};
    try {
        auto r = engine::sql::execute(*db_, session(), joined(lines), folder_);
        return r.rows.empty() ? std::string() : r.rows[0][0].toText();
    } catch (const engine::EngineError&) {
        return {};
    }
}

std::vector<Record> TestVerein::dateiInhalt(const std::string& file) const
{
    engine::Database fresh;
    auto t = fresh.table(pfad(file));
    std::vector<Record> out;
    for (uint32_t i = 0; i < t->recordCount(); ++i)
        if (!t->isDeleted(i)) out.push_back(t->getRecord(i));
    return out;
}

std::string TestVerein::feld(int nummer, const std::string& field) const
{
    engine::Database fresh;
    auto t = fresh.table(pfad("KEGLER.DBF"));
    const int nf = t->fieldIndex("NUMMER");
    const int f = t->fieldIndex(field);
    for (uint32_t i = 0; i < t->recordCount(); ++i)
        if (!t->isDeleted(i) && t->get(i, nf).toNumber() == nummer)
            return engine::fieldText(t->fields()[static_cast<size_t>(f)], t->get(i, f));
    return "<fehlt>";
}

} // namespace trevo::masterdata::test
