#include "engine/fs/fault_file_system.h"

#include "engine/core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;

namespace {

std::string text(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

void writeText(File& f, uint64_t off, const std::string& s) { f.write(off, s.data(), s.size()); }

} // namespace

TEST(FaultFs, CountsPointsAndFailsTheNthWrite)
{
    MemoryFileSystem mem;
    mem.putFile("/d/A", "");
    FaultFileSystem fs(mem);
    auto f = fs.open("/d/A", OpenMode::ReadWrite); // opening an existing file is no point
    EXPECT_EQ(fs.points(), 0u);
    fs.failAt(PointKind::Write, 2);
    writeText(*f, 0, "1111");
    try {
        writeText(*f, 4, "2222");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Datei '/d/A' konnte nicht geschrieben werden: Kein Speicherplatz auf dem Datenträger");
    }
    EXPECT_EQ(text(mem.contents("/d/A")), "111122"); // a failing write stores its first half
    writeText(*f, 0, "3"); // only the second write failed
    f->sync();
    EXPECT_EQ(fs.writes(), 3u);
    EXPECT_EQ(fs.syncs(), 1u);

    fs.failAt(PointKind::Sync, 1, true);
    EXPECT_THROW(f->sync(), IoError);
    EXPECT_THROW(fs.syncDirectory("/d"), IoError);
    fs.reset();
    EXPECT_NO_THROW(f->sync());
}

TEST(FaultFs, CrashModes)
{
    for (CrashMode mode : {CrashMode::DropUnsynced, CrashMode::TornWrite, CrashMode::KeepUnsynced}) {
        MemoryFileSystem mem;
        mem.putFile("/d/A", "aaaa");
        mem.putFile("/d/B", "bbbb");
        FaultFileSystem fs(mem);
        auto a = fs.open("/d/A", OpenMode::ReadWrite);
        auto b = fs.open("/d/B", OpenMode::ReadWrite);
        writeText(*b, 0, "BB"); // never synced
        fs.crashAt(1, mode);
        EXPECT_THROW(writeText(*a, 0, "XXXX"), SimulatedCrash);
        EXPECT_TRUE(fs.crashed());
        EXPECT_THROW(a->size(), SimulatedCrash);
        EXPECT_THROW(fs.exists("/d/A"), SimulatedCrash);
        switch (mode) {
        case CrashMode::DropUnsynced:
            EXPECT_EQ(text(mem.contents("/d/A")), "aaaa");
            EXPECT_EQ(text(mem.contents("/d/B")), "bbbb");
            break;
        case CrashMode::TornWrite:
            EXPECT_EQ(text(mem.contents("/d/A")), "XXaa");
            EXPECT_EQ(text(mem.contents("/d/B")), "bbbb");
            break;
        case CrashMode::KeepUnsynced:
            EXPECT_EQ(text(mem.contents("/d/A")), "XXaa");
            EXPECT_EQ(text(mem.contents("/d/B")), "BBbb");
            break;
        }
        // Whatever survived is durable: a second power loss changes nothing.
        const auto a1 = mem.contents("/d/A");
        mem.crash();
        EXPECT_EQ(mem.contents("/d/A"), a1);
        fs.reset();
        EXPECT_NO_THROW(fs.exists("/d/A"));
    }
}

TEST(FaultFs, CrashAtSyncDropsUnsyncedWrites)
{
    MemoryFileSystem mem;
    mem.putFile("/d/A", "aaaa");
    FaultFileSystem fs(mem);
    auto a = fs.open("/d/A", OpenMode::ReadWrite);
    writeText(*a, 0, "XX");
    fs.crashAt(1, CrashMode::DropUnsynced);
    EXPECT_THROW(a->sync(), SimulatedCrash);
    EXPECT_EQ(text(mem.contents("/d/A")), "aaaa");

    fs.reset();
    auto c = fs.open("/d/C", OpenMode::Create); // creating is a write point
    EXPECT_EQ(fs.writes(), 2u);
    fs.crashAt(1, CrashMode::DropUnsynced);
    EXPECT_THROW(fs.syncDirectory("/d"), SimulatedCrash);
    EXPECT_FALSE(mem.exists("/d/C"));
}
