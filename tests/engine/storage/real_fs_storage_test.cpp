// Storage and sessions over the machine's real file system.
#include "engine/storage/session.h"
#include "temp_folder.h"

#include "engine/core/error.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

using namespace trevo::engine;
using trevo::engine::test::TempFolder;

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string text(const FileImage& image)
{
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

} // namespace

TEST(StorageRealFs, OperationsReachTheDiskAndJournalIsGoneAfterwards)
{
    TempFolder dir;
    spit(dir.file("KEGLER.DBF"), "Hallo Welt");
    {
        Storage storage(realFileSystem());
        Session session(storage, "Default");
        auto image = storage.open(dir.file("kegler.dbf"));
        EXPECT_EQ(image->path(), dir.file("KEGLER.DBF"));
        EXPECT_EQ(storage.open(dir.file("Kegler.DBF")).get(), image.get());
        session.atomically([&] { image->write(6, "Kegel!", 6); });
        EXPECT_EQ(slurp(dir.file("KEGLER.DBF")), "Hallo Kegel!");
        session.atomically([&] {
            auto created = storage.create(dir.file("NEU.DBT"));
            created->write(0, "abc", 3);
        });
        EXPECT_EQ(slurp(dir.file("NEU.DBT")), "abc");
        session.atomically([&] { storage.remove(dir.file("neu.dbt")); });
        EXPECT_FALSE(storage.exists(dir.file("NEU.DBT")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("NEU.DBT")));
        EXPECT_TRUE(std::filesystem::exists(dir.file(Storage::journalName)));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file(Storage::journalName)));
}

TEST(StorageRealFs, MissingFileAndReadOnlyFile)
{
    TempFolder dir;
    Storage storage(realFileSystem());
    try {
        storage.open(dir.file("FEHLT.DBF"));
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(std::string(e.what()), "Datei '" + dir.file("FEHLT.DBF") + "' nicht gefunden");
    }
    spit(dir.file("NUR.DBF"), "lesen");
    ::chmod(dir.file("NUR.DBF").c_str(), 0444);
    auto image = storage.open(dir.file("NUR.DBF"));
    if (::geteuid() != 0) { // root may write anything
        EXPECT_TRUE(image->readOnly());
        Session s(storage, "S");
        EXPECT_THROW(s.atomically([&] { image->write(0, "x", 1); }), IoError);
        EXPECT_EQ(text(*image), "lesen");
    }
}

TEST(StorageRealFs, TransactionCommitAndRollback)
{
    TempFolder dir;
    spit(dir.file("A.DBF"), "0123456789");
    Storage storage(realFileSystem());
    Session session(storage, "Terminsession1");
    auto image = storage.open(dir.file("A.DBF"));

    session.startTransaction();
    session.atomically([&] { image->write(0, "AB", 2); });
    EXPECT_EQ(slurp(dir.file("A.DBF")), "0123456789"); // nothing written before the commit
    session.commit();
    EXPECT_EQ(slurp(dir.file("A.DBF")), "AB23456789");

    session.startTransaction();
    session.atomically([&] { image->write(10, "XYZ", 3); });
    session.atomically([&] { image->resize(4); });
    EXPECT_EQ(text(*image), "AB23");
    session.rollback();
    EXPECT_EQ(text(*image), "AB23456789");
    EXPECT_EQ(slurp(dir.file("A.DBF")), "AB23456789");
}
