#pragma once
// Crashes and failing disks at every write and flush point of a cash-book operation. The
// operation runs on a data module over a fault-injecting file system: once cleanly, to
// count its points and to see the cash book it leaves; then once per point with a crash
// there (in every crash mode) and once per write and per flush point with a failure there
// (once, and from there on). After every run a fresh database opens the folder again: the
// cash book it finds must be the one of before or of after the operation, and its balance
// must be STARTSALDO plus the bookings on or after the account's DATUM.
#include "modul_fixture.h"

#include "common/helpers/stellen_runden.h"
#include "engine/fs/fault_file_system.h"

#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace trevo::data::test {

// The cash book as the files hold it.
struct Kassenbuch {
    std::map<int64_t, std::pair<int32_t, double>> buchungen; // NUMMER -> DATUM, BETRAG
    bool konto = false;                                        // account 1 has a record
    double startsaldo = 0, kontostand = 0;
    int32_t datum = 0;

    bool operator==(const Kassenbuch&) const = default;

    double berechnet() const
    {
        long double summe = startsaldo;
        for (const auto& [nr, b] : buchungen)
            if (b.first >= datum) summe += b.second;
        return static_cast<double>(common::StellenRunden(2, summe));
    }
    // Without an account record there may be no bookings.
    bool stimmt() const { return konto ? kontostand == berechnet() : buchungen.empty(); }

    std::string text() const
    {
        std::ostringstream o;
        o << "Konto " << (konto ? "" : "(fehlt) ") << startsaldo << " ab " << datum << ", Stand " << kontostand
          << "; Buchungen:";
        for (const auto& [nr, b] : buchungen) o << " " << nr << "=" << b.second << "@" << b.first;
        return o.str();
    }
};

inline Kassenbuch kassenbuchLesen(engine::FileSystem& fs)
{
    engine::Database db(fs);
    Kassenbuch k;
    auto b = db.table("/daten/KONTO.DBF");
    for (uint32_t i = 0; i < b->recordCount(); ++i) {
        if (b->isDeleted(i)) continue;
        const engine::Record r = b->getRecord(i);
        const auto f = [&](const char* name) { return r[static_cast<size_t>(b->fieldIndex(name))]; };
        k.buchungen[static_cast<int64_t>(f("NUMMER").toNumber())] = {f("DATUM").isDate() ? f("DATUM").date() : 0,
                                                                     f("BETRAG").toNumber()};
    }
    auto a = db.table("/daten/KONTOINF.DBF");
    for (uint32_t i = 0; i < a->recordCount(); ++i) {
        const engine::Record r = a->getRecord(i);
        const auto f = [&](const char* name) { return r[static_cast<size_t>(a->fieldIndex(name))]; };
        if (a->isDeleted(i) || f("KONTONR").toNumber() != 1) continue;
        k.konto = true;
        k.startsaldo = f("STARTSALDO").toNumber();
        k.datum = f("DATUM").isDate() ? f("DATUM").date() : 0;
        k.kontostand = f("KONTOSTAND").toNumber();
    }
    return k;
}

using Dateien = std::map<std::string, std::vector<uint8_t>>;

inline Dateien abbild(const engine::MemoryFileSystem& mem)
{
    Dateien d;
    for (const std::string& f : mem.files()) d[f] = mem.contents(f);
    return d;
}

// One run of the program: a data module over its own database over the file system.
struct Programmlauf {
    explicit Programmlauf(engine::FileSystem& fs) : db(fs)
    {
        modul = std::make_unique<TKeDataForm>(db, tools, optionen, pfade, host);
        if (!modul->TabellenOeffnen()) throw std::runtime_error("Tabellen nicht geöffnet");
    }
    ~Programmlauf() { modul.reset(); }

    // Account 1's balance as the module's account cursor shows it; nothing without account.
    std::optional<double> kontostand()
    {
        auto& k = modul->d().KontostandTable;
        if (!k.locate("KONTONR", engine::Value::number(1))) return std::nullopt;
        return k.value("KONTOSTAND").toNumber();
    }

    engine::Database db;
    common::ScriptedDialogs dialoge;
    common::DialogsScope scope{dialoge};
    SkriptHost host{dialoge};
    TDBTools tools{db};
    common::TProgrammoptionen optionen;
    common::Programmpfade pfade = common::Programmpfade::ausProgrammordner("/daten/");
    std::unique_ptr<TKeDataForm> modul;
};

using Vorgang = std::function<void(Programmlauf&)>;

class Absturzprobe {
public:
    explicit Absturzprobe(Dateien vorher) : vorher_(std::move(vorher)) {}

    // The clean run; returns the cash book it leaves.
    Kassenbuch sauber(const Vorgang& vorgang)
    {
        engine::MemoryFileSystem mem;
        einspielen(mem);
        engine::FaultFileSystem fs(mem);
        {
            Programmlauf lauf(fs);
            fs.resetCounters();
            vorgang(lauf);
            writes_ = fs.writes();
            syncs_ = fs.syncs();
        }
        return kassenbuchLesen(mem);
    }
    uint64_t punkte() const { return writes_ + syncs_; }

    // The clean run must keep the balance (and change the cash book when it should); then
    // every point may leave the cash book of before or of after.
    void pruefen(const Vorgang& vorgang, bool aendertEtwas = true)
    {
        engine::MemoryFileSystem mem;
        einspielen(mem);
        const Kassenbuch vor = kassenbuchLesen(mem);
        const Kassenbuch nach = sauber(vorgang);
        ASSERT_TRUE(nach.stimmt()) << nach.text();
        ASSERT_EQ(!(nach == vor), aendertEtwas) << nach.text();
        ASSERT_GT(punkte(), 2u) << "the operation writes nothing";
        jederPunkt(vorgang, {vor, nach});
    }

    // Every crash and failure point. `erlaubt`: the cash book of before, then of after. A
    // run that reports no fault must leave the one of after, one that reports a failure the
    // one of before; after a crash either may be found.
    void jederPunkt(const Vorgang& vorgang, const std::vector<Kassenbuch>& erlaubt)
    {
        for (engine::CrashMode modus : {engine::CrashMode::DropUnsynced, engine::CrashMode::TornWrite,
                                        engine::CrashMode::KeepUnsynced})
            for (uint64_t k = 1; k <= punkte(); ++k)
                lauf(vorgang, erlaubt, "Absturz an Punkt " + std::to_string(k) + ", Art " +
                                           std::to_string(static_cast<int>(modus)),
                     [&](engine::FaultFileSystem& fs) { fs.crashAt(k, modus); });
        for (const auto& [art, anzahl] : {std::pair{engine::PointKind::Write, writes_}, {engine::PointKind::Sync, syncs_}})
            for (uint64_t k = 1; k <= anzahl; ++k)
                for (bool dauerhaft : {false, true})
                    lauf(vorgang, erlaubt,
                         std::string(art == engine::PointKind::Write ? "Schreib" : "Sync") + "fehler an Punkt " +
                             std::to_string(k) + (dauerhaft ? " und danach" : ""),
                         [&](engine::FaultFileSystem& fs) { fs.failAt(art, k, dauerhaft); });
    }

private:
    void einspielen(engine::MemoryFileSystem& mem) const
    {
        for (const auto& [pfad, bytes] : vorher_) mem.putFile(pfad, bytes);
    }

    void lauf(const Vorgang& vorgang, const std::vector<Kassenbuch>& erlaubt, const std::string& wo,
              const std::function<void(engine::FaultFileSystem&)>& fehler)
    {
        engine::MemoryFileSystem mem;
        einspielen(mem);
        engine::FaultFileSystem fs(mem);
        std::optional<double> angezeigt; // the balance the running module shows after a failure
        bool gescheitert = false, gemeldet = false;
        try {
            Programmlauf lauf(fs);
            fs.resetCounters();
            fehler(fs);
            try {
                vorgang(lauf);
            } catch (const engine::EngineError&) {
                gescheitert = gemeldet = true;
                angezeigt = lauf.kontostand();
            }
        } catch (const engine::SimulatedCrash&) {
            gescheitert = true;
        }
        const Kassenbuch gefunden = kassenbuchLesen(mem);
        EXPECT_TRUE(gefunden.stimmt()) << wo << ": " << gefunden.text();
        if (!gescheitert) // a fault after the commit point: the operation is done
            EXPECT_EQ(gefunden, erlaubt.back()) << wo << ": reported done, found " << gefunden.text();
        else if (gemeldet) // a failure reported: nothing of the operation is left
            EXPECT_EQ(gefunden, erlaubt.front()) << wo << ": reported failed, found " << gefunden.text();
        else { // a crash: before or after
            bool passt = false;
            for (const Kassenbuch& k : erlaubt) passt = passt || gefunden == k;
            EXPECT_TRUE(passt) << wo << ": " << gefunden.text();
        }
        if (gemeldet)
            EXPECT_EQ(angezeigt, gefunden.konto ? std::optional(gefunden.kontostand) : std::nullopt)
                << wo << ": the window would show another balance";
    }

    Dateien vorher_;
    uint64_t writes_ = 0, syncs_ = 0;
};

} // namespace trevo::data::test
