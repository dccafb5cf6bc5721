#include "engine/core/error.h"
#include "engine/fs/fault_file_system.h"
#include "engine/fs/memory_file_system.h"
#include "engine/storage/session.h"
#include "common/stream/options_store.h"

#include <gtest/gtest.h>

using namespace trevo::common;
using namespace trevo::engine;

// A simulated power loss at every write and sync point of saving the options.
TEST(OptionsStoreCrash, ACrashWhileSavingLeavesTheOldOrTheNewOptions)
{
    const std::string folder = "/programm/";
    StoredOptions changed;
    changed.datenordner = "C:\\Kegelclub Müller\\";
    changed.eingabewaehrung = 2;
    MemoryFileSystem before;
    before.makeDirectory("/programm");
    {
        Storage storage(before);
        Session s(storage, "Default");
        s.atomically([&] { createOptionsTable(storage, folder + kConfigFileName); });
        saveStoredOptions(storage, folder, StoredOptions());
    }
    int oldSeen = 0, newSeen = 0;
    for (CrashMode mode : {CrashMode::TornWrite, CrashMode::DropUnsynced, CrashMode::KeepUnsynced})
    for (uint64_t point = 1;; ++point) {
        MemoryFileSystem mem; // a deep copy: files share no storage with `before`
        for (const auto& f : before.files()) mem.putFile(f, before.contents(f));
        FaultFileSystem faulty(mem);
        faulty.crashAt(point, mode);
        bool crashed = false;
        try {
            Storage storage(faulty);
            saveStoredOptions(storage, folder, changed);
        } catch (const SimulatedCrash&) {
            crashed = true;
        }
        faulty.reset();
        Storage recovered(mem);
        const OptionsLoadResult r = loadStoredOptions(recovered, folder);
        ASSERT_EQ(r.status, OptionsLoadStatus::Loaded) << "crash at point " << point << ": " << r.message;
        if (!crashed) {
            EXPECT_EQ(r.options, changed);
            EXPECT_GT(point, 3u);
            break;
        }
        EXPECT_TRUE(r.options == StoredOptions() || r.options == changed) << point;
        (r.options == changed ? newSeen : oldSeen)++;
    }
    EXPECT_GT(oldSeen, 3); // crashes before the commit point keep the old options
    EXPECT_GT(newSeen, 0); // and crashes after it (with the writes kept) the new ones
}
