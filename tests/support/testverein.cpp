#include "support/testverein.h"

#include "engine/dataset/field_text.h"
#include "engine/sql/sql.h"
#include "data/store/installation.h"
#include "shell/child_window.h"

#include <gtest/gtest.h>

namespace trevo::test {

using engine::Record;
using engine::Value;

void Host::tabelleGefuellt(int code, bool hatDatensaetze)
{
    if (shell::ChildWindow* w = fenster ? fenster(code) : nullptr) w->tabelleGefuellt(hatDatensaetze);
}

TestVerein::TestVerein()
{
    EXPECT_TRUE(verzeichnis_.isValid());
    ordner_ = verzeichnis_.path().toStdString() + "/";
    datenbank_ = std::make_unique<engine::Database>();
    data::installDataFolder(*datenbank_, ordner_, engine::daysFromCivil(2024, 3, 1));
    werkzeuge_ = std::make_unique<data::TDBTools>(*datenbank_);
    pfade_ = common::Programmpfade::ausProgrammordner(ordner_);
}

TestVerein::~TestVerein() { modul_.reset(); }

void TestVerein::oeffnen()
{
    modul_ = std::make_unique<data::TKeDataForm>(*datenbank_, *werkzeuge_, optionen_, pfade_, host);
    EXPECT_TRUE(modul_->TabellenOeffnen());
}

void TestVerein::zweiterOrdner()
{
    ordner_ = verzeichnis2_.path().toStdString() + "/";
    data::installDataFolder(*datenbank_, ordner_, engine::daysFromCivil(2024, 3, 1));
}

void TestVerein::ordnerUebernehmen()
{
    pfade_.datenordner = ordner_;
    modul_->TabellenSchliessen();
    EXPECT_TRUE(modul_->TabellenOeffnen());
}

int TestVerein::naechsteNummer(const std::string& file)
{
    auto r = engine::sql::execute(*datenbank_, session(), "SELECT MAX(NUMMER) FROM " + engine::sql::quoted(pfad(file)),
                                  ordner_);
    if (r.rows.empty() || r.rows[0].empty() || r.rows[0][0].isNull()) return 1;
    return static_cast<int>(r.rows[0][0].toNumber()) + 1;
}

int TestVerein::bowler(const Bowler& b)
{
    auto t = datenbank_->table(pfad("KEGLER.DBF"));
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

int TestVerein::office(const std::string& name) { return satz("FUNKTION.DBF", {{"BEZEICHNUN", Value::text(name)}}); }

int TestVerein::satz(const std::string& file, const std::vector<std::pair<std::string, Value>>& fields)
{
    auto t = datenbank_->table(pfad(file));
    const int n = naechsteNummer(file);
    Record r(t->fields().size());
    r[static_cast<size_t>(t->fieldIndex("NUMMER"))] = Value::number(n);
    for (const auto& [field, value] : fields) r[static_cast<size_t>(t->fieldIndex(field))] = value;
    session().atomically([&] { t->append(r); });
    return n;
}

void TestVerein::leeren(const std::string& file)
{
    auto t = datenbank_->table(pfad(file));
    session().atomically([&] { t->zap(); });
}

void TestVerein::teilnahme(int bowlerNumber, int evening)
{
    auto t = datenbank_->table(pfad("KEGLTERM.DBF"));
    const int n = naechsteNummer("KEGLTERM.DBF");
    Record r(t->fields().size());
    r[static_cast<size_t>(t->fieldIndex("NUMMER"))] = Value::number(n);
    r[static_cast<size_t>(t->fieldIndex("TERMIN"))] = Value::number(evening);
    r[static_cast<size_t>(t->fieldIndex("KEGLER"))] = Value::number(bowlerNumber);
    r[static_cast<size_t>(t->fieldIndex("ABSCHNITT"))] = Value::number(1);
    session().atomically([&] { t->append(r); });
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

std::string TestVerein::feldIn(const std::string& file, int nummer, const std::string& field) const
{
    engine::Database fresh;
    auto t = fresh.table(pfad(file));
    const int nf = t->fieldIndex("NUMMER");
    const int f = t->fieldIndex(field);
    for (uint32_t i = 0; i < t->recordCount(); ++i)
        if (!t->isDeleted(i) && t->get(i, nf).toNumber() == nummer)
            return engine::fieldText(t->fields()[static_cast<size_t>(f)], t->get(i, f));
    return "<fehlt>";
}

} // namespace trevo::test
