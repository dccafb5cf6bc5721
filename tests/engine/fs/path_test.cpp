#include "engine/fs/file_system.h"
#include "engine/fs/memory_file_system.h"

#include <gtest/gtest.h>

using namespace trevo::engine;

TEST(FsPath, JoinSplitAndNormalise)
{
    EXPECT_EQ(joinPath("C:\\Kegeln\\", "KEGLER.DBF"), "C:/Kegeln/KEGLER.DBF");
    EXPECT_EQ(joinPath("/daten", "KEGLER.DBF"), "/daten/KEGLER.DBF");
    EXPECT_EQ(joinPath("/daten/", "KEGLER.DBF"), "/daten/KEGLER.DBF");
    EXPECT_EQ(joinPath("", "KEGLER.DBF"), "KEGLER.DBF");
    EXPECT_EQ(directoryOf("/daten/KEGLER.DBF"), "/daten");
    EXPECT_EQ(directoryOf("C:\\Kegeln\\KEGLER.DBF"), "C:/Kegeln");
    EXPECT_EQ(directoryOf("/KEGLER.DBF"), "/");
    EXPECT_EQ(directoryOf("KEGLER.DBF"), ".");
    EXPECT_EQ(fileNameOf("C:\\Kegeln\\KEGLER.DBF"), "KEGLER.DBF");
    EXPECT_EQ(fileNameOf("KEGLER.DBF"), "KEGLER.DBF");
    EXPECT_EQ(fileNameOf("/daten/"), "");
    EXPECT_EQ(normalizePath("a\\b\\c"), "a/b/c");
}

TEST(FsPath, ResolveWithoutRegardToCase)
{
    MemoryFileSystem fs;
    fs.putFile("/daten/SONSTYP0.DBF", "x");
    fs.putFile("/daten/Übung.dbf", "y");
    EXPECT_EQ(resolveCaseInsensitive(fs, "/daten/Sonstyp0.dbf"), "/daten/SONSTYP0.DBF");
    EXPECT_EQ(resolveCaseInsensitive(fs, "/daten\\sonstyp0.DBF"), "/daten\\SONSTYP0.DBF");
    EXPECT_EQ(resolveCaseInsensitive(fs, "/daten/ÜBUNG.DBF"), "/daten/Übung.dbf");
    EXPECT_EQ(resolveCaseInsensitive(fs, "/daten/SONSTYP0.DBF"), "/daten/SONSTYP0.DBF");
    // Nothing matches, or the folder is missing: unchanged.
    EXPECT_EQ(resolveCaseInsensitive(fs, "/daten/FEHLT.DBF"), "/daten/FEHLT.DBF");
    EXPECT_EQ(resolveCaseInsensitive(fs, "/nirgends/A.DBF"), "/nirgends/A.DBF");
}
