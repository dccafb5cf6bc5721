#pragma once
// A data module over a fresh data folder in memory, with a scripted host that records every
// text, question and menu switch.
#include "engine/fs/memory_file_system.h"
#include "data/module/ke_data_form.h"
#include "data/store/installation.h"
#include "data/store/schema.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

namespace trevo::data::test {

class SkriptHost : public DataModuleHost {
public:
    void meldung(const std::string& t) override { texte.push_back("meldung: " + t); }
    void bestaetigung(const std::string& t) override { texte.push_back("bestaetigung: " + t); }
    void fehler(const std::string& t) override { texte.push_back("fehler: " + t); }
    bool fehlerFrageJaNein(const std::string& t) override
    {
        texte.push_back("frage: " + t);
        if (antworten.empty()) return false;
        const bool ja = antworten.front();
        antworten.pop_front();
        return ja;
    }
    std::optional<std::string> ordnerWaehlen(const std::string& vorgabe) override
    {
        texte.push_back("ordnerdialog: " + vorgabe);
        if (ordner.empty()) return std::nullopt;
        auto o = ordner.front();
        ordner.pop_front();
        return o;
    }
    bool startfensterSichtbar() override { return startfenster; }
    void startfensterZeigen(bool s) override
    {
        startfenster = s;
        texte.push_back(s ? "startfenster an" : "startfenster aus");
    }
    bool fensterVorhanden(int code) override { return fenster.count(code) > 0; }
    void menuepunktFreigeben(int code, const std::string& name, bool aktiv) override { menue[code][name] = aktiv; }
    void programmBeenden() override { beendet = true; }

    std::vector<std::string> texte;
    std::deque<bool> antworten;
    std::deque<std::optional<std::string>> ordner;
    bool startfenster = true;
    bool beendet = false;
    std::set<int> fenster;
    std::map<int, std::map<std::string, bool>> menue;
};

class ModulTest : public ::testing::Test {
protected:
    engine::MemoryFileSystem fs;
    engine::Database db{fs};
    SkriptHost host;
    TDBTools tools{db, host};
    common::TProgrammoptionen optionen;
    common::Programmpfade pfade = common::Programmpfade::ausProgrammordner("/daten/");
    const int32_t heute = engine::daysFromCivil(2024, 3, 1);

    void SetUp() override { installDataFolder(db, "/daten/", heute); }

    std::unique_ptr<TKeDataForm> oeffnen()
    {
        auto m = std::make_unique<TKeDataForm>(db, tools, optionen, pfade, host);
        EXPECT_TRUE(m->TabellenOeffnen());
        return m;
    }

    // Appends records to a table file directly (outside the module).
    void datensaetze(const char* datei, const std::vector<std::map<std::string, engine::Value>>& saetze)
    {
        auto t = db.table("/daten/" + std::string(datei));
        db.session().atomically([&] {
            for (const auto& s : saetze) {
                engine::Record r(t->fields().size());
                for (const auto& [f, v] : s) r[static_cast<size_t>(t->fieldIndex(f))] = v;
                t->append(r);
            }
        });
    }

    static engine::Value n(double v) { return engine::Value::number(v); }
    static engine::Value s(const char* v) { return engine::Value::text(v); }
};

} // namespace trevo::data::test
