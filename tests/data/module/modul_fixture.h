#pragma once
// A data module over a fresh data folder in memory, with scripted dialogs that answer the
// questions and a host that records the start window and the menu rule.
#include "engine/fs/memory_file_system.h"
#include "common/dialogs/scripted_dialogs.h"
#include "data/module/ke_data_form.h"
#include "data/store/installation.h"
#include "data/store/schema.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace trevo::data::test {

// Records the start window's switches, each with the number of boxes shown before it, and
// the notifications of the menu rule.
class SkriptHost : public DataModuleHost {
public:
    explicit SkriptHost(const common::ScriptedDialogs& dialoge) : dialoge_(dialoge) {}

    bool startfensterSichtbar() override { return startfenster; }
    void startfensterZeigen(bool s) override
    {
        startfenster = s;
        schalter.push_back({dialoge_.shown().size(), s ? "startfenster an" : "startfenster aus"});
    }
    bool fensterVorhanden(int code) override { return fenster.count(code) > 0; }
    void tabelleGefuellt(int code, bool hatDatensaetze) override { gefuellt[code].push_back(hatDatensaetze); }
    void programmBeenden() override { beendet = true; }

    std::vector<std::pair<size_t, std::string>> schalter;
    bool startfenster = true;
    bool beendet = false;
    std::set<int> fenster;
    std::map<int, std::vector<bool>> gefuellt;

private:
    const common::ScriptedDialogs& dialoge_;
};

class ModulTest : public ::testing::Test {
protected:
    engine::MemoryFileSystem fs;
    engine::Database db{fs};
    common::ScriptedDialogs dialoge;
    common::DialogsScope dialogScope{dialoge};
    SkriptHost host{dialoge};
    TDBTools tools{db};
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

    // Boxes and start-window switches in the order they happened: "meldung: ...",
    // "bestaetigung: ...", "fehler: ...", "frage: ...", "startfenster aus".
    std::vector<std::string> texte() const
    {
        std::vector<std::string> r;
        size_t s = 0;
        const auto& boxen = dialoge.shown();
        for (size_t i = 0; i <= boxen.size(); ++i) {
            for (; s < host.schalter.size() && host.schalter[s].first == i; ++s) r.push_back(host.schalter[s].second);
            if (i < boxen.size()) r.push_back(art(boxen[i]) + boxen[i].text.toStdString());
        }
        return r;
    }

    static std::string art(const common::ScriptedDialogs::Shown& b)
    {
        if (b.buttons != common::Buttons::Ok) return "frage: ";
        switch (b.kind) {
        case common::BoxKind::Confirmation: return "bestaetigung: ";
        case common::BoxKind::Error: return "fehler: ";
        default: return "meldung: ";
        }
    }

    static engine::Value n(double v) { return engine::Value::number(v); }
    static engine::Value s(const char* v) { return engine::Value::text(v); }
};

} // namespace trevo::data::test
