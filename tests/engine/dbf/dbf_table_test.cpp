#include "engine/core/error.h"
#include "dbf_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

namespace trevo::engine {
namespace {

using test::ScratchDir;
using test::readBytes;
using test::writeBytes;

class DbfTableTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::unique_ptr<Database> db = std::make_unique<Database>(realFileSystem());

    std::shared_ptr<DbfTable> create(const std::string& name, const std::vector<FieldDef>& fields,
                                     DbfVersion v = DbfVersion::DBase4, uint8_t driver = 0x57)
    {
        return db->session().atomically(
            [&] { return DbfTable::create(db->storage(), dir.file(name), fields, v, driver); });
    }
    uint32_t append(DbfTable& t, const Record& r)
    {
        return db->session().atomically([&] { return t.append(r); });
    }
    void put(DbfTable& t, uint32_t recno, const Record& r)
    {
        db->session().atomically([&] { t.put(recno, r); });
    }
    // Forgets every open file, as a new start of the program would.
    std::shared_ptr<DbfTable> reopen(const std::string& name)
    {
        db = std::make_unique<Database>(realFileSystem());
        return db->table(dir.file(name));
    }
};

Record sample(int n, const std::string& name, const std::string& memo)
{
    return {Value::number(n),         Value::text(name),
            Value::number(n * 1.25),  Value::number(n / 3.0),
            Value::date(daysFromCivil(1990 + n, 1 + n % 12, 1 + n % 28)),
            Value::logical(n % 2 == 0), Value::text(memo)};
}

TEST_F(DbfTableTest, EveryFieldTypeSurvivesReopeningInBothVersions)
{
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const std::string name = v == DbfVersion::DBase3 ? "DREI.DBF" : "VIER.DBF";
        auto t = create(name, test::allTypesFields(), v);
        append(*t, sample(1, "Müller-Lüdenscheidt", "Erste Zeile\r\nzweite Zeile mit ß"));
        append(*t, Record(7, Value::null()));
        append(*t, sample(2, "  Jörg", ""));
        t = reopen(name);
        EXPECT_EQ(t->version(), v);
        EXPECT_EQ(t->languageDriver(), 0x57);
        EXPECT_FALSE(t->readOnly());
        EXPECT_TRUE(t->faults().empty()) << t->faults()[0];
        ASSERT_EQ(t->recordCount(), 3u);
        Record r = t->getRecord(0);
        EXPECT_EQ(r[0], Value::number(1));
        EXPECT_EQ(r[1], Value::text("Müller-Lüdenscheidt"));
        EXPECT_EQ(r[2], Value::number(1.25));
        EXPECT_EQ(r[3], Value::number(0.3333)); // rounded to the field's four decimals
        EXPECT_EQ(r[4], Value::date(daysFromCivil(1991, 2, 2)));
        EXPECT_EQ(r[5], Value::logical(false));
        EXPECT_EQ(r[6], Value::text("Erste Zeile\r\nzweite Zeile mit ß"));
        const Record blank = t->getRecord(1);
        for (int i : {0, 2, 3, 4, 5}) EXPECT_TRUE(blank[i].isNull()) << i;
        EXPECT_EQ(blank[1], Value::text(""));
        EXPECT_EQ(blank[6], Value::text(""));
        EXPECT_EQ(t->get(2, 1), Value::text("  Jörg"));
        EXPECT_EQ(t->get(2, 5), Value::logical(true));
        const auto bytes = readBytes(dir.file(name));
        EXPECT_EQ(bytes[0], v == DbfVersion::DBase3 ? 0x83 : 0x8B);
        EXPECT_EQ(bytes[29], 0x57);
    }
}

TEST_F(DbfTableTest, LongMemosSpanSeveralBlocksInBothFormats)
{
    std::string longText;
    for (int i = 0; i < 400; ++i) longText += "Zeile " + std::to_string(i) + ": Kegeln im Schützenhaus\n";
    ASSERT_GT(longText.size(), 5 * 512u);
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const std::string name = v == DbfVersion::DBase3 ? "DREI.DBF" : "VIER.DBF";
        auto t = create(name, test::allTypesFields(), v);
        append(*t, sample(1, "a", longText));
        append(*t, sample(2, "b", "kurz"));
        append(*t, sample(3, "c", longText + "Ende"));
        t = reopen(name);
        EXPECT_EQ(t->get(0, 6).text(), longText);
        EXPECT_EQ(t->get(1, 6).text(), "kurz");
        EXPECT_EQ(t->get(2, 6).text(), longText + "Ende");
        const auto memo = readBytes(dir.file(name.substr(0, 4) + ".DBT"));
        EXPECT_EQ(memo.size() % 512, 0u);
        EXPECT_GT(memo.size(), 2 * longText.size());
        EXPECT_EQ(t->info().memoBlockSize, 512);
    }
}

TEST_F(DbfTableTest, ChangedMemoReusesItsBlocksWhenItFits)
{
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const std::string name = v == DbfVersion::DBase3 ? "DREI.DBF" : "VIER.DBF";
        const std::string memoFile = dir.file(name.substr(0, 4) + ".DBT");
        auto t = create(name, test::allTypesFields(), v);
        append(*t, sample(1, "a", std::string(1000, 'x')));
        append(*t, sample(2, "b", "zweites Memo"));
        const size_t before = readBytes(memoFile).size();
        Record r = t->getRecord(0);
        r[6] = Value::text(std::string(900, 'y'));
        put(*t, 0, r);
        EXPECT_EQ(readBytes(memoFile).size(), before) << "shorter memo must stay in its blocks";
        r[6] = Value::text(std::string(3000, 'z'));
        put(*t, 0, r);
        EXPECT_GT(readBytes(memoFile).size(), before) << "longer memo goes to the end";
        r[1] = Value::text("nur Name geändert");
        const size_t grown = readBytes(memoFile).size();
        put(*t, 0, r);
        EXPECT_EQ(readBytes(memoFile).size(), grown) << "unchanged memo is not written again";
        t = reopen(name);
        EXPECT_EQ(t->get(0, 6).text(), std::string(3000, 'z'));
        EXPECT_EQ(t->get(1, 6).text(), "zweites Memo");
        EXPECT_EQ(t->get(0, 1).text(), "nur Name geändert");
    }
}

TEST_F(DbfTableTest, HeaderKeepsCountDateAndEndMarker)
{
    auto t = create("KONTO.DBF", {{"NUMMER", 'N', 5, 0}, {"TEXT", 'C', 10, 0}});
    for (int i = 0; i < 5; ++i) append(*t, {Value::number(i), Value::text("x")});
    const auto b = readBytes(dir.file("KONTO.DBF"));
    EXPECT_EQ(b[0], 0x03) << "dBASE IV table without memo";
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    EXPECT_EQ(b[1], tm.tm_year);
    EXPECT_EQ(b[2], tm.tm_mon + 1);
    EXPECT_EQ(b[3], tm.tm_mday);
    EXPECT_EQ(b[4], 5);
    const size_t headerLength = b[8] | (b[9] << 8), recordLength = b[10] | (b[11] << 8);
    EXPECT_EQ(headerLength, 32u + 2 * 32 + 1);
    EXPECT_EQ(recordLength, 16u);
    EXPECT_EQ(b.size(), headerLength + 5 * recordLength + 1);
    EXPECT_EQ(b.back(), 0x1A);
    EXPECT_FALSE(std::filesystem::exists(dir.file("KONTO.DBT")));
}

TEST_F(DbfTableTest, ProductionIndexClaimIsClearedOnlyWhenWriting)
{
    create("SPIELE.DBF", {{"NUMMER", 'N', 5, 0}, {"NAME", 'C', 10, 0}});
    db->closeAll();
    auto bytes = readBytes(dir.file("SPIELE.DBF"));
    bytes[28] = 1;
    bytes[32 + 31] = 1; // NUMMER carries a tag
    bytes[1] = 95;      // written in 1995
    writeBytes(dir.file("SPIELE.DBF"), bytes);
    auto t = reopen("SPIELE.DBF");
    EXPECT_TRUE(t->info().productionIndexFlag);
    EXPECT_EQ(t->info().updateYear, 1995);
    EXPECT_EQ(readBytes(dir.file("SPIELE.DBF"))[28], 1) << "reading changes nothing";
    append(*t, {Value::number(1), Value::text("Kranz")});
    bytes = readBytes(dir.file("SPIELE.DBF"));
    EXPECT_EQ(bytes[28], 0);
    EXPECT_EQ(bytes[32 + 31], 0);
    EXPECT_NE(bytes[1], 95);
}

TEST_F(DbfTableTest, ValuesThatDoNotFitAreRefusedAndNothingIsWritten)
{
    auto t = create("SONSTYPE.DBF", {{"BEZEICHNUN", 'C', 5, 0}, {"GUELTIG", 'N', 2, 0}, {"DATUM", 'D', 8, 0},
                                     {"BEM", 'M', 10, 0}});
    append(*t, {Value::text("Bier"), Value::number(1), Value::null(), Value::text("ok")});
    const auto tableBefore = readBytes(dir.file("SONSTYPE.DBF"));
    const auto memoBefore = readBytes(dir.file("SONSTYPE.DBT"));
    auto refused = [&](const Record& r) {
        try {
            append(*t, r);
        } catch (const ValueError& e) {
            return std::string(e.what());
        }
        return std::string("angenommen");
    };
    EXPECT_EQ(refused({Value::text("Bier"), Value::number(123456), Value::null(), Value::text("neues Memo")}),
              "Der Wert '123456' passt nicht in das Feld 'GUELTIG' (Breite 2)");
    EXPECT_EQ(refused({Value::text("Weizen"), Value::number(1), Value::null(), Value::null()}),
              "Der Wert 'Weizen' passt nicht in das Feld 'BEZEICHNUN' (Breite 5)");
    EXPECT_EQ(refused({Value::text("Bier"), Value::text("1"), Value::null(), Value::null()}),
              "Das Feld 'GUELTIG' erwartet eine Zahl, nicht den Wert '1'");
    EXPECT_EQ(refused({Value::text("Bier"), Value::number(1), Value::null(), Value::text("Привет")}),
              "Das Zeichen 'П' kann im Feld 'BEM' nicht gespeichert werden (Zeichensatz Windows-1252)");
    EXPECT_NE(refused({Value::text("Bier"), Value::number(1), Value::date(daysFromCivil(10000, 1, 1)), Value::null()}),
              "angenommen");
    EXPECT_THROW(append(*t, {Value::text("Bier")}), EngineError);
    Record r = t->getRecord(0);
    r[1] = Value::number(100);
    r[3] = Value::text("geändert");
    EXPECT_THROW(put(*t, 0, r), ValueError);
    EXPECT_EQ(readBytes(dir.file("SONSTYPE.DBF")), tableBefore);
    EXPECT_EQ(readBytes(dir.file("SONSTYPE.DBT")), memoBefore);
    EXPECT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->get(0, 3).text(), "ok");
}

TEST_F(DbfTableTest, CodePageOfTheTableDecidesWhatFits)
{
    auto dos = create("DOS.DBF", {{"NAME", 'C', 10, 0}}, DbfVersion::DBase4, 0x01);
    append(*dos, {Value::text("Grüße")});
    EXPECT_THROW(append(*dos, {Value::text("5 €")}), ValueError);
    EXPECT_EQ(readBytes(dir.file("DOS.DBF"))[32 + 32 + 1 + 1 + 2], 0x81) << "ü in code page 437";
    auto ru = create("RU.DBF", {{"NAME", 'C', 10, 0}}, DbfVersion::DBase4, 0xC9);
    append(*ru, {Value::text("Привет")});
    ru = reopen("RU.DBF");
    EXPECT_EQ(ru->get(0, 0).text(), "Привет");
}

TEST_F(DbfTableTest, TextConversionsOfTypedInput)
{
    auto t = create("T.DBF", {{"BETRAG", 'N', 8, 2}, {"DATUM", 'D', 8, 0}, {"JA", 'L', 1, 0}, {"NAME", 'C', 4, 0}});
    EXPECT_EQ(t->fromText(0, "12,5"), Value::number(12.5));
    EXPECT_EQ(t->fromText(0, " 12.345 "), Value::number(12.35));
    EXPECT_EQ(t->fromText(0, ""), Value::null());
    EXPECT_THROW(t->fromText(0, "12a"), ValueError);
    EXPECT_THROW(t->fromText(0, "123456789"), ValueError);
    EXPECT_EQ(t->fromText(1, "1.2.2020"), Value::date(daysFromCivil(2020, 2, 1)));
    EXPECT_EQ(t->fromText(1, "24.12.1999"), Value::date(daysFromCivil(1999, 12, 24)));
    EXPECT_THROW(t->fromText(1, "31.02.2020"), ValueError);
    EXPECT_EQ(t->fromText(2, "J"), Value::logical(true));
    EXPECT_EQ(t->fromText(2, "nein"), Value::logical(false));
    EXPECT_EQ(t->fromText(2, "F"), Value::logical(false));
    EXPECT_THROW(t->fromText(2, "vielleicht"), ValueError);
    EXPECT_THROW(t->fromText(3, "zu lang"), ValueError);
    append(*t, {t->fromText(0, "7"), t->fromText(1, "03.04.2021"), t->fromText(2, "T"), t->fromText(3, "ab")});
    EXPECT_EQ(t->textOf(0, 0), "7,00");
    EXPECT_EQ(t->textOf(0, 1), "03.04.2021");
    EXPECT_EQ(t->textOf(0, 2), "Wahr");
    EXPECT_EQ(t->textOf(0, 3), "ab");
    append(*t, Record(4, Value::null()));
    for (int f = 0; f < 4; ++f) EXPECT_EQ(t->textOf(1, f), "");
    EXPECT_EQ(t->fieldIndex("betrag"), 0);
    EXPECT_EQ(t->fieldIndex("Name"), 3);
    EXPECT_EQ(t->fieldIndex("FEHLT"), -1);
}

TEST_F(DbfTableTest, NewTableStructureIsChecked)
{
    EXPECT_THROW(create("A.DBF", {}), ValueError);
    EXPECT_THROW(create("B.DBF", {{"ZU_LANGER_NAME", 'C', 5, 0}}), ValueError);
    EXPECT_THROW(create("C.DBF", {{"X", 'C', 0, 0}}), ValueError);
    EXPECT_THROW(create("D.DBF", {{"X", 'N', 4, 3}}), ValueError);
    EXPECT_THROW(create("E.DBF", {{"X", 'D', 10, 0}}), ValueError);
    EXPECT_THROW(create("F.DBF", {{"X", 'Q', 10, 0}}), ValueError);
    EXPECT_THROW(create("G.DBF", {{"X", 'C', 5, 0}, {"X", 'N', 5, 0}}), ValueError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("A.DBF")));
    create("H.DBF", {{"X", 'C', 5, 0}});
    EXPECT_THROW(create("H.DBF", {{"X", 'C', 5, 0}}), EngineError) << "an existing table is never overwritten";
}

TEST_F(DbfTableTest, PackRemovesDeletedRecordsAndCompactsTheMemoFile)
{
    for (DbfVersion v : {DbfVersion::DBase3, DbfVersion::DBase4}) {
        const std::string name = v == DbfVersion::DBase3 ? "DREI.DBF" : "VIER.DBF";
        const std::string memoFile = dir.file(name.substr(0, 4) + ".DBT");
        auto t = create(name, test::allTypesFields(), v);
        for (int i = 0; i < 6; ++i) append(*t, sample(i, "K" + std::to_string(i), std::string(700, 'a' + i)));
        db->session().atomically([&] {
            t->setDeleted(1, true);
            t->setDeleted(4, true);
        });
        EXPECT_TRUE(t->isDeleted(1));
        EXPECT_EQ(t->recordCount(), 6u);
        const size_t memoBefore = readBytes(memoFile).size();
        db->session().atomically([&] { t->pack(); });
        ASSERT_EQ(t->recordCount(), 4u);
        EXPECT_LT(readBytes(memoFile).size(), memoBefore);
        t = reopen(name);
        ASSERT_EQ(t->recordCount(), 4u);
        const int kept[] = {0, 2, 3, 5};
        for (uint32_t r = 0; r < 4; ++r) {
            EXPECT_FALSE(t->isDeleted(r));
            EXPECT_EQ(t->get(r, 0), Value::number(kept[r]));
            EXPECT_EQ(t->get(r, 6).text(), std::string(700, 'a' + kept[r]));
        }
        EXPECT_TRUE(t->check().empty());
    }
}

TEST_F(DbfTableTest, ZapEmptiesTableAndMemoButKeepsTheStructure)
{
    auto t = create("AUSWERTU.DBF", test::allTypesFields());
    for (int i = 0; i < 3; ++i) append(*t, sample(i, "x", std::string(2000, 'm')));
    db->session().atomically([&] { t->zap(); });
    EXPECT_EQ(t->recordCount(), 0u);
    t = reopen("AUSWERTU.DBF");
    EXPECT_EQ(t->recordCount(), 0u);
    EXPECT_EQ(t->fields(), test::allTypesFields());
    EXPECT_EQ(readBytes(dir.file("AUSWERTU.DBT")).size(), 512u);
    EXPECT_EQ(readBytes(dir.file("AUSWERTU.DBF")).size(), 32u + 7 * 32 + 1 + 1);
    append(*t, sample(9, "neu", "neues Memo"));
    t = reopen("AUSWERTU.DBF");
    EXPECT_EQ(t->get(0, 6).text(), "neues Memo");
}

// Records what a table tells its attachments.
struct Recorder : TableAttachment {
    explicit Recorder(DbfTable&) {}
    std::vector<std::string> log;
    void recordChanged(uint32_t recno, const Record* before, const Record* after) override
    {
        auto show = [](const Record* r) { return r ? (*r)[0].toText() : std::string("-"); };
        log.push_back(std::to_string(recno) + ":" + show(before) + ">" + show(after));
    }
    void tableReset() override { log.push_back("reset"); }
};

TEST_F(DbfTableTest, AttachmentsHearOfEveryChange)
{
    auto t = create("KEGLER.DBF", {{"NUMMER", 'N', 5, 0}, {"BEM", 'M', 10, 0}});
    auto& rec = t->attachment<Recorder>();
    append(*t, {Value::number(1), Value::text("a")});
    append(*t, {Value::number(2), Value::null()});
    put(*t, 0, {Value::number(10), Value::text("a")});
    put(*t, 0, {Value::number(10), Value::text("a")}); // no change, no news
    db->session().atomically([&] { t->setDeleted(1, true); });
    put(*t, 1, {Value::number(20), Value::null()}); // changes of a deleted record stay unseen
    db->session().atomically([&] { t->setDeleted(1, false); });
    db->session().atomically([&] { t->setDeleted(1, true); });
    db->session().atomically([&] { t->pack(); });
    db->session().atomically([&] { t->zap(); });
    EXPECT_EQ(rec.log, (std::vector<std::string>{"0:->1", "1:->2", "0:1>10", "1:2>-", "1:->20", "1:20>-", "reset",
                                                 "reset"}));
    EXPECT_EQ(&t->attachment<Recorder>(), &rec);
}

TEST_F(DbfTableTest, RollbackRestoresTableAndTellsAttachments)
{
    auto t = create("TERMINE.DBF", test::allTypesFields());
    append(*t, sample(1, "vorher", "Memo vorher"));
    auto& rec = t->attachment<Recorder>();
    const uint64_t counter = t->changeCounter();
    Session& s = db->session("Terminsession1");
    s.startTransaction();
    s.atomically([&] {
        t->append(sample(2, "neu", std::string(3000, 'n')));
        t->put(0, sample(1, "geändert", "Memo geändert und länger als vorher"));
    });
    EXPECT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(db->table(dir.file("termine.dbf"))->get(0, 1).text(), "geändert") << "dirty read of other users";
    s.rollback();
    EXPECT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->get(0, 1).text(), "vorher");
    EXPECT_EQ(t->get(0, 6).text(), "Memo vorher");
    EXPECT_NE(t->changeCounter(), counter);
    ASSERT_FALSE(rec.log.empty());
    EXPECT_EQ(rec.log.back(), "reset");
    append(*t, sample(3, "danach", "Memo danach"));
    t = reopen("TERMINE.DBF");
    ASSERT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->get(0, 6).text(), "Memo vorher");
    EXPECT_EQ(t->get(1, 6).text(), "Memo danach");
    EXPECT_TRUE(t->check().empty());
}

TEST_F(DbfTableTest, FailedStatementInsideATransactionUndoesOnlyItself)
{
    auto t = create("KEGLTERM.DBF", {{"NUMMER", 'N', 3, 0}, {"BEM", 'M', 10, 0}});
    Session& s = db->session("Terminsession1");
    s.startTransaction();
    s.atomically([&] { t->append({Value::number(1), Value::text("eins")}); });
    EXPECT_THROW(s.atomically([&] {
        t->append({Value::number(2), Value::text("zwei")});
        t->append({Value::number(1000), Value::null()}); // too wide: the whole statement fails
    }),
                 ValueError);
    EXPECT_EQ(t->recordCount(), 1u);
    s.commit();
    t = reopen("KEGLTERM.DBF");
    ASSERT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->get(0, 1).text(), "eins");
}

TEST_F(DbfTableTest, DatabaseMatchesFileNamesWithoutRegardToCase)
{
    create("SONSTYP0.DBF", {{"NUMMER", 'N', 5, 0}, {"BEM", 'M', 10, 0}});
    db->closeAll();
    auto a = db->table(dir.file("Sonstyp0.dbf"));
    auto b = db->table(dir.file("SONSTYP0.DBF"));
    EXPECT_EQ(a, b);
    EXPECT_EQ(fileNameOf(a->path()), "SONSTYP0.DBF");
    db->closeTable(dir.file("sonstyp0.DBF"));
    EXPECT_NE(db->table(dir.file("SONSTYP0.DBF")), a);
    EXPECT_EQ(&db->session("KontoSession"), &db->session("KontoSession"));
    EXPECT_NE(&db->session("KontoSession"), &db->session());
    // A lower-case table finds its upper-case memo file.
    auto t = create("kegler.dbf", {{"BEM", 'M', 10, 0}});
    append(*t, {Value::text("Memo im großen Namen")});
    db->closeAll();
    std::filesystem::rename(dir.file("kegler.dbt"), dir.file("KEGLER.DBT"));
    t = reopen("KEGLER.dbf");
    EXPECT_TRUE(t->faults().empty());
    EXPECT_EQ(t->get(0, 0).text(), "Memo im großen Namen");
    try {
        db->table(dir.file("FEHLT.DBF"));
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("nicht gefunden"), std::string::npos) << e.what();
    }
}

TEST_F(DbfTableTest, DamagedTableOpensReadOnlyAndRefusesChanges)
{
    auto t = create("SPIELE.DBF", {{"NUMMER", 'N', 5, 0}, {"BEM", 'M', 10, 0}});
    append(*t, {Value::number(1), Value::text("gut")});
    append(*t, {Value::number(2), Value::text("wird kaputt")});
    db->closeAll();
    auto bytes = readBytes(dir.file("SPIELE.DBF"));
    const size_t second = 32 + 2 * 32 + 1 + 16;
    std::memcpy(&bytes[second + 6], "      9999", 10);
    writeBytes(dir.file("SPIELE.DBF"), bytes);
    t = reopen("SPIELE.DBF");
    EXPECT_TRUE(t->readOnly());
    ASSERT_EQ(t->faults().size(), 1u);
    EXPECT_EQ(t->faults()[0], "Datensatz 2, Feld 'BEM': Block 9999 liegt hinter dem Ende der Memodatei");
    EXPECT_EQ(t->get(0, 1).text(), "gut");
    EXPECT_TRUE(t->get(1, 1).isNull());
    try {
        append(*t, {Value::number(3), Value::null()});
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Die Tabelle 'SPIELE.DBF' ist nur zum Lesen geöffnet, weil sie beschädigt ist: Datensatz 2, "
                  "Feld 'BEM': Block 9999 liegt hinter dem Ende der Memodatei");
    }
    EXPECT_THROW(db->session().atomically([&] { t->zap(); }), EngineError);
    EXPECT_EQ(readBytes(dir.file("SPIELE.DBF")), bytes);
}

TEST_F(DbfTableTest, MissingMemoFileIsAFaultNotACrash)
{
    auto t = create("FUNKTION.DBF", {{"NAME", 'C', 10, 0}, {"BEM", 'M', 10, 0}});
    append(*t, {Value::text("Kassierer"), Value::text("zählt")});
    db->closeAll();
    std::filesystem::remove(dir.file("FUNKTION.DBT"));
    t = reopen("FUNKTION.DBF");
    EXPECT_TRUE(t->readOnly());
    ASSERT_FALSE(t->faults().empty());
    EXPECT_EQ(t->faults()[0], "Die Memodatei 'FUNKTION.DBT' fehlt");
    EXPECT_EQ(t->get(0, 0).text(), "Kassierer");
    EXPECT_TRUE(t->get(0, 1).isNull());
}

} // namespace
} // namespace trevo::engine

namespace trevo::engine {
namespace {

TEST_F(DbfTableTest, CreatedTablesAreRegisteredAndVanishWithARolledBackCreation)
{
    auto t = db->session().atomically([&] { return db->createTable(dir.file("Neu.dbf"), {{"A", 'C', 5, 0}}); });
    EXPECT_EQ(db->table(dir.file("NEU.DBF")), t);
    Session& s = db->session("SonstigeSession");
    s.startTransaction();
    auto gone = s.atomically([&] { return db->createTable(dir.file("WEG.DBF"), {{"BEM", 'M', 10, 0}}); });
    s.atomically([&] { gone->append({Value::text("nie gespeichert")}); });
    EXPECT_EQ(db->table(dir.file("weg.dbf")), gone);
    s.rollback();
    EXPECT_FALSE(std::filesystem::exists(dir.file("WEG.DBF")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("WEG.DBT")));
    EXPECT_THROW(db->table(dir.file("WEG.DBF")), EngineError);
}

TEST_F(DbfTableTest, MemoAppendsBehindEverythingWhateverTheHeaderSays)
{
    auto t = create("TERMPLAN.DBF", {{"BEM", 'M', 10, 0}}, DbfVersion::DBase3);
    append(*t, {Value::text(std::string(1500, 'a'))});
    db->closeAll();
    auto memo = readBytes(dir.file("TERMPLAN.DBT"));
    memo[0] = 1; // next free block claims the first memo's place
    writeBytes(dir.file("TERMPLAN.DBT"), memo);
    t = reopen("TERMPLAN.DBF");
    append(*t, {Value::text("zweites")});
    t = reopen("TERMPLAN.DBF");
    EXPECT_EQ(t->get(0, 0).text(), std::string(1500, 'a'));
    EXPECT_EQ(t->get(1, 0).text(), "zweites");
}

} // namespace
} // namespace trevo::engine
