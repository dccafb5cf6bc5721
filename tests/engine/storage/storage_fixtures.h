#pragma once
// Helpers for storage tests: file states of a memory file system and a scenario runner
// that replays a change against a crash or a fault at every write and sync point.
#include "engine/fs/fault_file_system.h"
#include "engine/storage/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

namespace trevo::engine::test {

using FileState = std::map<std::string, std::string>; // path -> bytes, journal and lock file left out

inline FileState stateOf(const MemoryFileSystem& fs)
{
    FileState s;
    for (const std::string& path : fs.files())
        if (fileNameOf(path) != Storage::journalName && fileNameOf(path) != "TREVO.LCK") {
            const auto bytes = fs.contents(path);
            s[path] = std::string(bytes.begin(), bytes.end());
        }
    return s;
}

// Which files differ, for failure messages (the states themselves are too long to print).
inline std::string differences(const FileState& a, const FileState& b)
{
    std::string out;
    for (const auto& [path, bytes] : a) {
        auto it = b.find(path);
        if (it == b.end()) out += path + " nur links; ";
        else if (it->second != bytes)
            out += path + " (" + std::to_string(bytes.size()) + " / " + std::to_string(it->second.size()) + " Bytes); ";
    }
    for (const auto& [path, bytes] : b)
        if (!a.count(path)) out += path + " nur rechts; ";
    return out;
}

inline void putState(MemoryFileSystem& fs, const FileState& s)
{
    for (const auto& [path, bytes] : s) fs.putFile(path, bytes);
}

inline std::string textOf(const FileImage& image)
{
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

inline void put(FileImage& image, uint64_t off, const std::string& s) { image.write(off, s.data(), s.size()); }

// A change against storage and one session, starting from a known file state.
using Change = std::function<void(Storage&, Session&)>;

// Runs the change on a fault-free memory file system: the state afterwards and the
// number of write and sync points it passed.
struct Reference {
    FileState after;
    uint64_t points = 0, writes = 0, syncs = 0;
};

inline Reference runClean(const FileState& before, const Change& change)
{
    MemoryFileSystem mem;
    putState(mem, before);
    FaultFileSystem fs(mem);
    {
        Storage storage(fs);
        Session session(storage, "Terminsession1");
        change(storage, session);
    }
    return {stateOf(mem), fs.points(), fs.writes(), fs.syncs()};
}

// The state after a new storage opened the folder again (rolling back a hot journal).
inline FileState recovered(FileSystem& fs, const MemoryFileSystem& mem, const std::string& dir)
{
    Storage storage(fs);
    storage.recoverFolder(dir);
    return stateOf(mem);
}

inline FileState recovered(MemoryFileSystem& mem, const std::string& dir) { return recovered(mem, mem, dir); }

inline FileState threeFiles()
{
    FileState s;
    std::string a(10000, 'a'), b(3000, 'b'), c(100, 'c');
    for (size_t i = 0; i < a.size(); ++i) a[i] = static_cast<char>('a' + i % 26);
    s["/daten/TERMINE.DBF"] = a;
    s["/daten/KEGLTERM.DBT"] = b;
    s["/daten/SPIELKEG.DBF"] = c;
    s["/daten/ANDERE.DBF"] = "bleibt wie es ist";
    return s;
}

// One transaction over three files, with writes on several pages, growth and shrinking.
inline void transactionOverThreeFiles(Storage& storage, Session& session)
{
    auto a = storage.open("/daten/termine.dbf");
    auto b = storage.open("/daten/KEGLTERM.DBT");
    auto c = storage.open("/daten/SpielKeg.dbf");
    session.startTransaction();
    session.atomically([&] {
        put(*a, 100, "Erster Abend");
        put(*a, 5000, "zweite Seite");
    });
    session.atomically([&] { put(*b, 3000, std::string(6000, 'B')); });
    session.atomically([&] {
        c->resize(40);
        put(*c, 38, "xyz");
    });
    session.atomically([&] { put(*a, 9990, std::string(20, 'Z')); });
    session.commit();
}

inline const CrashMode allModes[] = {CrashMode::DropUnsynced, CrashMode::TornWrite, CrashMode::KeepUnsynced};

// Runs the steps one after another with a crash at every point. A crash after step i
// returned must leave exactly the state after step i or after step i+1.
inline void checkEveryCrashPoint(const FileState& before, const std::vector<Change>& steps, const std::string& dir)
{
    std::vector<FileState> states = {before};
    std::vector<uint64_t> doneAt; // points passed when each step returned
    {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        Storage storage(fs);
        Session session(storage, "Terminsession1");
        for (const Change& step : steps) {
            step(storage, session);
            doneAt.push_back(fs.points());
            FileState now = stateOf(mem);
            ASSERT_NE(now, states.back()) << "a step that changes nothing proves nothing";
            states.push_back(now);
        }
    }
    const uint64_t total = doneAt.back() + 1; // the storage's clean-up at the end is a point too
    for (CrashMode mode : allModes) {
        std::set<FileState> seen;
        for (uint64_t k = 1; k <= total; ++k) {
            MemoryFileSystem mem;
            putState(mem, before);
            FaultFileSystem fs(mem);
            fs.crashAt(k, mode);
            try {
                Storage storage(fs);
                Session session(storage, "Terminsession1");
                for (const Change& step : steps) step(storage, session);
            } catch (const SimulatedCrash&) {
            }
            size_t done = 0;
            while (done < doneAt.size() && doneAt[done] < k) ++done;
            const auto allowed = [&](const FileState& state) {
                return state == states[done] || (done + 1 < states.size() && state == states[done + 1]);
            };
            FaultFileSystem again(mem);
            const FileState state = recovered(again, mem, dir);
            ASSERT_TRUE(allowed(state)) << "crash at point " << k << " of " << total << " after " << done
                                        << " steps, mode " << static_cast<int>(mode);
            // The journal is cold now: opening the folder once more changes nothing.
            EXPECT_TRUE(recovered(mem, dir) == state);
            seen.insert(state);
            // A second power loss while the journal is rolled back changes nothing either.
            for (uint64_t j = 1; j <= again.points(); ++j) {
                MemoryFileSystem mem2;
                putState(mem2, before);
                FaultFileSystem fs2(mem2);
                fs2.crashAt(k, mode);
                try {
                    Storage storage(fs2);
                    Session session(storage, "Terminsession1");
                    for (const Change& step : steps) step(storage, session);
                } catch (const SimulatedCrash&) {
                }
                FaultFileSystem during(mem2);
                during.crashAt(j, mode);
                try {
                    recovered(during, mem2, dir);
                } catch (const SimulatedCrash&) {
                }
                ASSERT_TRUE(allowed(recovered(mem2, dir)))
                    << "crash at point " << k << ", then at point " << j << " of the recovery";
            }
        }
        EXPECT_EQ(seen.size(), states.size());
    }
}

} // namespace trevo::engine::test
