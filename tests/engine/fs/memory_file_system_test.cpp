#include "engine/fs/memory_file_system.h"

#include "engine/core/error.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace trevo::engine;

namespace {

std::string text(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

void writeText(File& f, uint64_t off, const std::string& s) { f.write(off, s.data(), s.size()); }

} // namespace

TEST(MemoryFs, ReadWriteTruncateAndModes)
{
    MemoryFileSystem fs;
    fs.makeDirectory("/d");
    auto f = fs.open("/d/A", OpenMode::Create);
    writeText(*f, 3, "abc");
    EXPECT_EQ(f->size(), 6u);
    EXPECT_EQ(fs.contents("/d/A"), (std::vector<uint8_t>{0, 0, 0, 'a', 'b', 'c'}));
    char buf[8];
    EXPECT_EQ(f->read(4, buf, 8), 2u);
    EXPECT_EQ(f->read(10, buf, 8), 0u);
    f->truncate(4);
    EXPECT_EQ(text(fs.contents("/d/A")), std::string("\0\0\0a", 4));

    EXPECT_THROW(fs.open("/d/A", OpenMode::Create), IoError);
    EXPECT_THROW(fs.open("/d/B", OpenMode::ReadWrite), IoError);
    EXPECT_THROW(fs.open("/fehlt/B", OpenMode::CreateOrOpen), IoError);
    EXPECT_THROW(fs.open("/d", OpenMode::ReadOnly), IoError);
    auto ro = fs.open("/d/A", OpenMode::ReadOnly);
    EXPECT_THROW(writeText(*ro, 0, "x"), IoError);
    fs.setReadOnly("/d/A", true);
    EXPECT_THROW(fs.open("/d/A", OpenMode::ReadWrite), IoError);

    auto names = fs.list("/");
    EXPECT_EQ(names, std::vector<std::string>{"d"});
    fs.rename("/d/A", "/d/B");
    EXPECT_EQ(fs.list("/d"), std::vector<std::string>{"B"});
    fs.remove("/d/B");
    EXPECT_FALSE(fs.exists("/d/B"));
    EXPECT_THROW(fs.remove("/d/B"), IoError);
}

TEST(MemoryFs, MissingFileMessageIsGerman)
{
    MemoryFileSystem fs;
    try {
        fs.open("/x/KEGLER.DBF", OpenMode::ReadOnly);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Datei '/x/KEGLER.DBF' konnte nicht geöffnet werden: Datei oder Ordner nicht vorhanden");
    }
}

TEST(MemoryFs, CrashKeepsOnlyWhatWasMadeDurable)
{
    MemoryFileSystem fs;
    fs.putFile("/d/OLD", "alt");
    {
        auto f = fs.open("/d/OLD", OpenMode::ReadWrite);
        writeText(*f, 0, "ne");
        f->sync();
        writeText(*f, 2, "u!"); // not synced: lost
    }
    auto created = fs.open("/d/NEW", OpenMode::Create);
    writeText(*created, 0, "neu");
    created->sync(); // contents durable, but the name is not until the folder is synced
    fs.crash();
    EXPECT_EQ(text(fs.contents("/d/OLD")), "net");
    EXPECT_FALSE(fs.exists("/d/NEW"));

    auto again = fs.open("/d/NEW", OpenMode::Create);
    writeText(*again, 0, "neu");
    fs.syncDirectory("/d"); // name durable, contents not
    fs.remove("/d/OLD");     // removal not durable
    fs.crash();
    EXPECT_TRUE(fs.exists("/d/NEW"));
    EXPECT_TRUE(fs.contents("/d/NEW").empty());
    EXPECT_EQ(text(fs.contents("/d/OLD")), "net");

    fs.rename("/d/OLD", "/d/MOVED");
    fs.syncDirectory("/d");
    fs.crash();
    EXPECT_FALSE(fs.exists("/d/OLD"));
    EXPECT_EQ(text(fs.contents("/d/MOVED")), "net");
}

TEST(MemoryFs, CanonicalPaths)
{
    EXPECT_EQ(MemoryFileSystem::canonical("/a//b/./c/"), "/a/b/c");
    EXPECT_EQ(MemoryFileSystem::canonical("a\\b\\..\\c"), "/a/c");
    EXPECT_EQ(MemoryFileSystem::canonical(""), "/");
    MemoryFileSystem fs;
    fs.putFile("/d/A", "1");
    EXPECT_TRUE(fs.exists("/d/./A"));
    EXPECT_TRUE(fs.exists("\\d\\A"));
    EXPECT_TRUE(fs.isDirectory("/d/"));
}
