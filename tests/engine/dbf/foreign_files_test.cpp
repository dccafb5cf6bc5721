// Files that other programs left beside a table or wrote themselves: a second memo file
// whose name differs only in case, a .cpg file naming the code page, tables of the
// family's other formats.
#include "dbf_test_util.h"

#include "engine/codepage/code_page.h"
#include "engine/core/error.h"
#include "engine/fs/memory_file_system.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace trevo::engine {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

const std::vector<FieldDef> kMitglied = {{"NUMMER", 'N', 4, 0}, {"NAME", 'C', 20, 0}, {"BEMERKUNG", 'M', 10, 0}};

// A table with two members and their remarks.
void makeTable(const std::string& path, DbfVersion version, const std::string& remark)
{
    Database db;
    db.session().atomically([&] {
        auto t = DbfTable::create(db.storage(), path, kMitglied, version);
        t->append({Value::number(1), Value::text("Müller"), Value::text(remark)});
        t->append({Value::number(2), Value::text("Schäfer"), Value::text(remark + " (2)")});
    });
}

void setAge(const std::string& path, int minutesAgo)
{
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(minutesAgo));
}

// The club's table as a spreadsheet saves it on Linux: dBASE III with its memo file under a
// lower-case name and code-page byte 0, beside the memo file Trevo wrote before.
class ZweiMemodateien : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeTable(dir.file("KEGLER.DBF"), DbfVersion::DBase4, "alte Bemerkung aus Trevo");
        makeTable(other.file("kegler.dbf"), DbfVersion::DBase3, "neu gespeichert");
        fs::copy_file(other.file("kegler.dbf"), dir.file("KEGLER.DBF"), fs::copy_options::overwrite_existing);
        fs::copy_file(other.file("kegler.dbt"), dir.file("KEGLER.dbt"));
        auto bytes = test::readBytes(dir.file("KEGLER.DBF"));
        bytes[29] = 0;
        test::writeBytes(dir.file("KEGLER.DBF"), bytes);
        staleBytes = test::readBytes(dir.file("KEGLER.DBT"));
    }

    ScratchDir dir, other;
    std::vector<uint8_t> staleBytes;
};

TEST_F(ZweiMemodateien, TheFittingOneIsReadAndWrittenEvenWhenTheStaleOneIsNewer)
{
    setAge(dir.file("KEGLER.dbt"), 10);
    setAge(dir.file("KEGLER.DBT"), 1);
    {
        Database db;
        auto t = db.table(dir.file("KEGLER.DBF"));
        EXPECT_FALSE(t->readOnly()) << t->readOnlyText();
        EXPECT_TRUE(t->damage().empty());
        EXPECT_EQ(t->get(0, 2), Value::text("neu gespeichert"));
        EXPECT_EQ(t->get(1, 2), Value::text("neu gespeichert (2)"));
        EXPECT_EQ(fileNameOf(t->info().memoPath), "KEGLER.dbt");
        ASSERT_EQ(t->notices().size(), 1u);
        EXPECT_EQ(t->notices()[0], "Neben der Tabelle 'KEGLER.DBF' liegen zwei Memodateien, 'KEGLER.DBT' und "
                                   "'KEGLER.dbt'; gelesen wird 'KEGLER.dbt', die zur Tabelle passt");
        db.session().atomically([&] {
            Record r = t->getRecord(0);
            r[2] = Value::text(std::string(700, 'n') + " länger als ein Block");
            t->put(0, r);
        });
    }
    Database db;
    auto t = db.table(dir.file("KEGLER.DBF"));
    EXPECT_EQ(t->get(0, 2), Value::text(std::string(700, 'n') + " länger als ein Block"));
    EXPECT_EQ(t->get(1, 2), Value::text("neu gespeichert (2)"));
    EXPECT_EQ(test::readBytes(dir.file("KEGLER.DBT")), staleBytes);
}

TEST_F(ZweiMemodateien, WhenBothFitTheNewerOneIsRead)
{
    // Remarks dropped: no reference tells the files apart. Both are dBASE III memo files.
    Database db0;
    db0.session().atomically([&] {
        auto t = db0.table(dir.file("KEGLER.DBF"));
        for (uint32_t r = 0; r < 2; ++r) {
            Record rec = t->getRecord(r);
            rec[2] = Value::null();
            t->put(r, rec);
        }
    });
    db0.closeAll();
    fs::copy_file(dir.file("KEGLER.dbt"), dir.file("KEGLER.DBT"), fs::copy_options::overwrite_existing);
    for (const char* newer : {"KEGLER.DBT", "KEGLER.dbt"}) {
        SCOPED_TRACE(newer);
        setAge(dir.file("KEGLER.DBT"), 5);
        setAge(dir.file("KEGLER.dbt"), 5);
        setAge(dir.file(newer), 1);
        Database db;
        auto t = db.table(dir.file("KEGLER.DBF"));
        EXPECT_FALSE(t->readOnly());
        EXPECT_EQ(fileNameOf(t->info().memoPath), newer);
        ASSERT_EQ(t->notices().size(), 1u);
        EXPECT_NE(t->notices()[0].find(std::string("beide passen zur Tabelle, gelesen wird die neuere, '") + newer + "'"),
                  std::string::npos)
            << t->notices()[0];
    }
}

TEST_F(ZweiMemodateien, ADbase4TableReadsItsDbase4MemoFile)
{
    // The other way round: the table is the dBASE IV one, the lower-case file is stale.
    fs::remove(dir.file("KEGLER.DBF"));
    makeTable(dir.file("KEGLER.DBF"), DbfVersion::DBase4, "wieder Trevo");
    setAge(dir.file("KEGLER.DBT"), 10);
    setAge(dir.file("KEGLER.dbt"), 1);
    Database db;
    auto t = db.table(dir.file("KEGLER.DBF"));
    EXPECT_FALSE(t->readOnly()) << t->readOnlyText();
    EXPECT_EQ(t->get(1, 2), Value::text("wieder Trevo (2)"));
    EXPECT_EQ(fileNameOf(t->info().memoPath), "KEGLER.DBT");
}

TEST_F(ZweiMemodateien, AColumnAddedToTheSavedTableKeepsItsRemarksAndItsCodePageByte)
{
    Database db;
    sql::execute(db, db.session(), "ALTER TABLE KEGLER ADD GUELTIG NUMERIC(1,0)", dir.path() + "/");
    db.closeAll();
    Database db2;
    auto t = db2.table(dir.file("KEGLER.DBF"));
    EXPECT_FALSE(t->readOnly()) << t->readOnlyText();
    ASSERT_EQ(t->fields().size(), 4u);
    EXPECT_EQ(t->languageDriver(), 0);
    EXPECT_EQ(t->get(0, 1), Value::text("Müller"));
    EXPECT_EQ(t->get(1, 2), Value::text("neu gespeichert (2)"));
    EXPECT_TRUE(t->get(1, 3).isNull());
}

TEST_F(ZweiMemodateien, TheToolsCheckSaysWhichFileItReads)
{
    const std::string tool = std::string(TREVO_TOOLS_DIR) + "/trevo-dbf";
    ASSERT_TRUE(fs::exists(tool)) << tool;
    std::string out;
    EXPECT_EQ(test::runCommand("'" + tool + "' check '" + dir.file("KEGLER.DBF") + "' 2>&1", &out), 0) << out;
    EXPECT_NE(out.find("Hinweis: Neben der Tabelle 'KEGLER.DBF' liegen zwei Memodateien"), std::string::npos) << out;
    EXPECT_NE(out.find("KEGLER.DBF: keine Fehler"), std::string::npos) << out;
}

TEST(Memodatei, AWriteProtectedMemoFileIsNamedWhenAChangeIsRefused)
{
    MemoryFileSystem mem;
    mem.makeDirectory("/d");
    {
        Database db(mem);
        db.session().atomically([&] {
            db.createTable("/d/KEGLER.DBF", kMitglied)->append({Value::number(1), Value::text("A"), Value::text("x")});
        });
    }
    mem.setReadOnly("/d/KEGLER.DBT", true);
    Database db(mem);
    auto t = db.table("/d/KEGLER.DBF");
    ASSERT_TRUE(t->readOnly());
    const std::string text =
        "Die Tabelle 'KEGLER.DBF' ist nur zum Lesen geöffnet, weil die Memodatei 'KEGLER.DBT' schreibgeschützt ist";
    EXPECT_EQ(t->readOnlyText(), text);
    try {
        db.session().atomically([&] { t->append({Value::number(2), Value::text("B"), Value::null()}); });
        ADD_FAILURE() << "geschrieben";
    } catch (const EngineError& e) {
        EXPECT_EQ(std::string(e.what()), text);
    }
    mem.setReadOnly("/d/KEGLER.DBT", false);
    mem.setReadOnly("/d/KEGLER.DBF", true);
    Database db2(mem);
    EXPECT_EQ(db2.table("/d/KEGLER.DBF")->readOnlyText(),
              "Die Tabelle 'KEGLER.DBF' ist nur zum Lesen geöffnet, weil die Datei schreibgeschützt ist");
}

TEST(CpgDatei, NamesOfCodePagesAsOtherProgramsWriteThem)
{
    const std::pair<const char*, int> names[] = {
        {"UTF-8", 65001},      {"utf8", 65001},  {"\xEF\xBB\xBFUTF-8", 65001}, {"65001", 65001}, {"1252", 1252},
        {"ANSI 1252", 1252},   {"CP1252", 1252}, {"windows-1252", 1252},     {"ISO-8859-1", 1252}, {"88591", 1252},
        {"8859_1", 1252},      {"CP850", 850},   {"OEM 850", 850},          {"IBM437", 437},   {"866", 866},
        {" cp1250 ", 1250},
    };
    for (const auto& [name, number] : names) {
        const CodePage* cp = codePageNamed(name);
        ASSERT_NE(cp, nullptr) << name;
        EXPECT_EQ(cp->number(), number) << name;
    }
    for (const char* unknown : {"", "OEM", "KOI8-R", "ISO-8859-5", "932", "UTF-16", "12x52"})
        EXPECT_EQ(codePageNamed(unknown), nullptr) << unknown;
}

TEST(CpgDatei, Utf8KeepsCompleteCharactersAndRefusesBrokenOnes)
{
    const CodePage& u = utf8CodePage();
    EXPECT_TRUE(u.isUtf8());
    EXPECT_EQ(u.decode("Grüße Мир €"), "Grüße Мир €");
    // A character cut at the end of a field, a lone continuation byte, an overlong form.
    EXPECT_EQ(u.decode("Gr\xC3"), "Gr\xEF\xBF\xBD");
    EXPECT_EQ(u.decode("a\x80" "b\xC0\xAF"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(*u.encode("Grüße Мир €"), "Grüße Мир €");
    std::string bad;
    EXPECT_FALSE(u.encode("a\xFF", &bad));
    EXPECT_EQ(bad, "\xFF");
}

// A table another program wrote in UTF-8 with a .cpg file beside it; the header's driver
// byte says Windows-1252.
const char* kUtf8Table = R"PY(
import dbf
t = dbf.Table('GIS.DBF', 'NAME C(16); ORT C(10)', dbf_type='db3', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append(('XXXXXXXXXXXXXXXX', 'YYYYYYYYYY'))
t.close()
data = open('GIS.DBF', 'rb').read()
data = data.replace(b'XXXXXXXXXXXXXXXX', 'Grüße Öl'.encode('utf-8').ljust(16))
data = data.replace(b'YYYYYYYYYY', 'Москва'.encode('utf-8')[:9].ljust(10))
open('GIS.DBF', 'wb').write(data)
open('GIS.cpg', 'w').write('UTF-8')
print('ok')
)PY";

TEST(CpgDatei, Utf8NamedBesideATableWinsOverTheDriverByteForReadingAndWriting)
{
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(test::runPython(dir, kUtf8Table, &out), 0) << out;
    {
        Database db;
        auto t = db.table(dir.file("GIS.DBF"));
        EXPECT_EQ(t->languageDriver(), 0x03);
        EXPECT_TRUE(t->codePage().isUtf8());
        EXPECT_EQ(t->info().codePageFile, dir.file("GIS.cpg"));
        EXPECT_FALSE(t->readOnly());
        EXPECT_EQ(t->get(0, 0), Value::text("Grüße Öl"));
        EXPECT_EQ(t->get(0, 1), Value::text("Моск\xEF\xBF\xBD")); // cut inside 'в' by the other program
        EXPECT_TRUE(t->check().empty());
        db.session().atomically([&] { t->append({Value::text("Łódź Мир"), Value::text("€uro")}); });
        // Bytes count: 14 characters, 19 bytes in UTF-8, do not fit 16.
        EXPECT_THROW(db.session().atomically([&] { t->append({Value::text("Grüße Grüße Öl"), Value::null()}); }),
                     ValueError);
    }
    const auto bytes = test::readBytes(dir.file("GIS.DBF"));
    EXPECT_EQ(bytes[29], 0x03); // the driver byte stays as the other program wrote it
    const std::string raw(bytes.begin(), bytes.end());
    EXPECT_NE(raw.find("\xC5\x81\xC3\xB3" "d\xC5\xBA \xD0\x9C\xD0\xB8\xD1\x80"), std::string::npos);
    Database db;
    auto t = db.table(dir.file("gis.dbf"));
    ASSERT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->get(1, 0), Value::text("Łódź Мир"));
    EXPECT_EQ(t->get(1, 1), Value::text("€uro"));
}

TEST(CpgDatei, ASinglePageNamedBesideTheTableWinsAndAnUnknownNameIsNoted)
{
    MemoryFileSystem mem;
    mem.makeDirectory("/d");
    {
        Database db(mem);
        db.session().atomically([&] {
            db.createTable("/d/DOS.DBF", {{"NAME", 'C', 10, 0}})->append({Value::text("Grüße")});
        });
    }
    mem.putFile("/d/dos.cpg", std::string("OEM 850\r\n")); // the file holds Windows-1252 bytes: FC DF read in DOS-850
    {
        Database db(mem);
        auto t = db.table("/d/DOS.DBF");
        EXPECT_EQ(t->codePage().number(), 850);
        EXPECT_EQ(t->get(0, 0), Value::text("Gr³▀e"));
        EXPECT_TRUE(t->notices().empty());
    }
    mem.putFile("/d/dos.cpg", std::string("KOI8-R"));
    Database db(mem);
    auto t = db.table("/d/DOS.DBF");
    EXPECT_EQ(t->get(0, 0), Value::text("Grüße"));
    ASSERT_EQ(t->notices().size(), 1u);
    EXPECT_EQ(t->notices()[0], "Die Datei 'dos.cpg' nennt den unbekannten Zeichensatz 'KOI8-R'; die Tabelle "
                               "'DOS.DBF' wird nach ihrem Sprachtreiber gelesen");
}

const char* kFoxTables = R"PY(
import dbf
for name, kind in (('VFP.DBF', 'vfp'), ('FOX.DBF', 'fp')):
    t = dbf.Table(name, 'NAME C(20); BEM M', dbf_type=kind, codepage='cp1252')
    t.open(dbf.READ_WRITE)
    t.append(('Grüße', 'Bemerkung'))
    t.close()
print('ok')
)PY";

TEST(AndereFormate, FoxProTablesAreUnsupportedNotDamaged)
{
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(test::runPython(dir, kFoxTables, &out), 0) << out;
    const std::pair<const char*, const char*> tables[] = {{"VFP.DBF", "0x30"}, {"FOX.DBF", "0xF5"}};
    for (const auto& [name, version] : tables) {
        Database db;
        try {
            db.table(dir.file(name));
            ADD_FAILURE() << name << " geöffnet";
        } catch (const FormatError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Die Datei '") + name +
                                                 "' hat ein nicht unterstütztes Tabellenformat (Version " + version + ")");
        }
    }
    const std::string tool = std::string(TREVO_TOOLS_DIR) + "/trevo-dbf";
    out.clear();
    EXPECT_EQ(test::runCommand("'" + tool + "' check '" + dir.file("VFP.DBF") + "' 2>&1", &out), 1);
    EXPECT_EQ(out, "Die Datei 'VFP.DBF' hat ein nicht unterstütztes Tabellenformat (Version 0x30)\n");
}

} // namespace
} // namespace trevo::engine
