// The journal's own format: what a commit writes, and what reading accepts.
#include "storage_fixtures.h"
#include "engine/storage/checksum.h"
#include "engine/storage/journal.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::detail;
using namespace trevo::engine::test;

namespace {

// The journal a change writes, caught by a power loss right after the journal was flushed
// (the files are still untouched then).
std::vector<uint8_t> journalOf(const FileState& before, const Change& change, size_t files = 2)
{
    for (uint64_t k = 1; k < 100; ++k) {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        fs.crashAt(k, CrashMode::DropUnsynced);
        try {
            Storage storage(fs);
            Session session(storage, "S");
            change(storage, session);
        } catch (const SimulatedCrash&) {
        }
        if (stateOf(mem) != before) break;
        const auto j = mem.contents("/daten/TREVO.JNL");
        if (parseJournal(j).files.size() == files) return j;
    }
    ADD_FAILURE() << "no crash point with a complete journal";
    return {};
}

FileState twoFiles()
{
    return {{"/daten/A.DBF", std::string(5000, 'a')}, {"/daten/B.DBF", std::string(300, 'b')}};
}

Change overwrite(const std::string& text)
{
    return [text](Storage& storage, Session& session) {
        session.atomically([&] {
            put(*storage.open("/daten/A.DBF"), 4090, text); // spans two pages
            put(*storage.open("/daten/B.DBF"), 0, text);
        });
    };
}

// Start of every entry, and the end of the last.
std::vector<size_t> entryBounds(const std::vector<uint8_t>& j)
{
    std::vector<size_t> out;
    size_t pos = journalPrefixSize;
    while (pos + 4 <= j.size()) {
        out.push_back(pos);
        const size_t len = j[pos] | j[pos + 1] << 8 | j[pos + 2] << 16 | static_cast<size_t>(j[pos + 3]) << 24;
        pos += 9 + len;
    }
    out.push_back(pos);
    return out;
}

std::string str(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

void le(std::vector<uint8_t>& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A journal of state 2 holding the entries (type byte and payload) with right checksums.
std::vector<uint8_t> journalWith(const std::vector<std::vector<uint8_t>>& entries)
{
    const uint64_t salt = 77;
    std::vector<uint8_t> j;
    le(j, journalRollBack, 4);
    j.insert(j.end(), {'T', 'R', 'V', 'O', 'J', 'N', 'L', '1'});
    le(j, entries.size(), 4);
    le(j, salt, 8);
    le(j, 0, 4);
    le(j, crc32(j.data() + 4, 24), 4);
    le(j, salt, 8);
    uint8_t s[8] = {static_cast<uint8_t>(salt)};
    for (const auto& e : entries) {
        le(j, e.size() - 1, 4);
        j.insert(j.end(), e.begin(), e.end());
        le(j, crc32(e.data(), e.size(), crc32(s, 8)), 4);
    }
    return j;
}

} // namespace

TEST(Journal, HoldsTheBeforeImagesOfEveryChangedFile)
{
    const std::vector<uint8_t> j = journalOf(twoFiles(), overwrite("0123456789"));
    const ParsedJournal p = parseJournal(j);
    ASSERT_TRUE(p.hot);
    ASSERT_EQ(p.files.size(), 2u);
    EXPECT_EQ(p.files[0].path, "A.DBF"); // relative to the journal's folder
    EXPECT_EQ(p.files[1].path, "B.DBF");
    EXPECT_TRUE(p.files[0].existed);
    EXPECT_EQ(p.files[0].size, 5000u);
    ASSERT_EQ(p.files[0].pages.size(), 2u);
    EXPECT_EQ(p.files[0].pages[0].first, 0u);
    EXPECT_EQ(str(*p.files[0].pages[0].second), std::string(4096, 'a'));
    EXPECT_EQ(p.files[0].pages[1].first, 4096u);
    EXPECT_EQ(str(*p.files[0].pages[1].second), std::string(5000 - 4096, 'a')); // cut at the old end
    ASSERT_EQ(p.files[1].pages.size(), 1u);
    EXPECT_EQ(str(*p.files[1].pages[0].second), std::string(300, 'b'));

    std::vector<uint8_t> cold = j;
    const auto prefix = coldJournalHeader();
    std::copy(prefix.begin(), prefix.end(), cold.begin());
    EXPECT_FALSE(parseJournal(cold).hot);
}

TEST(Journal, EveryTruncationYieldsAPrefixOfTheEntries)
{
    const std::vector<uint8_t> j = journalOf(twoFiles(), overwrite("0123456789"));
    const ParsedJournal full = parseJournal(j);
    size_t lastPages = 0;
    for (size_t len = 0; len <= j.size(); ++len) {
        const ParsedJournal p = parseJournal(std::vector<uint8_t>(j.begin(), j.begin() + len));
        size_t pages = 0;
        for (size_t f = 0; f < p.files.size(); ++f) {
            EXPECT_EQ(p.files[f].size, full.files[f].size);
            for (size_t k = 0; k < p.files[f].pages.size(); ++k, ++pages)
                EXPECT_EQ(*p.files[f].pages[k].second, *full.files[f].pages[k].second);
        }
        EXPECT_GE(pages, lastPages);
        lastPages = pages;
    }
    EXPECT_EQ(lastPages, 3u);
}

TEST(Journal, EntriesLeftFromAnEarlierCommitAreIgnored)
{
    // Two commits of the same shape write journals with entries at the same places.
    const FileState before = twoFiles();
    const std::vector<uint8_t> first = journalOf(before, overwrite("1111111111"));
    const FileState between = runClean(before, overwrite("1111111111")).after;
    const std::vector<uint8_t> second = journalOf(between, overwrite("2222222222"));
    ASSERT_EQ(first.size(), second.size());
    const std::vector<size_t> bounds = entryBounds(second);
    ASSERT_EQ(bounds, entryBounds(first));
    // Only the second journal's header and first two entries reached the disk.
    std::vector<uint8_t> mixed(second.begin(), second.begin() + bounds[2]);
    mixed.insert(mixed.end(), first.begin() + bounds[2], first.end());
    const ParsedJournal p = parseJournal(mixed);
    ASSERT_EQ(p.files.size(), 1u);
    ASSERT_EQ(p.files[0].pages.size(), 1u);
    EXPECT_EQ(str(*p.files[0].pages[0].second).substr(4090), "111111");
}

TEST(Journal, TornHeaderIsDecidedByItsNewState)
{
    const std::vector<uint8_t> j = journalOf(twoFiles(), overwrite("0123456789"));
    ASSERT_TRUE(parseJournal(j).mayKeep);
    const auto cold = coldJournalHeader();
    const auto rollBack = rollBackPrefix(j);
    for (size_t torn = 4; torn < journalPrefixSize; ++torn) {
        // Marking cold torn after a few bytes: cold (recovery had kept the commit, or the
        // commit was ending; both leave the files as they are).
        std::vector<uint8_t> t = j;
        std::copy(cold.begin(), cold.begin() + torn, t.begin());
        EXPECT_FALSE(parseJournal(t).hot) << torn;
        // Marking for rollback torn: still every entry, and rolled back even when complete.
        t = j;
        std::copy(rollBack.begin(), rollBack.begin() + torn, t.begin());
        const ParsedJournal p = parseJournal(t);
        EXPECT_TRUE(p.hot && !p.mayKeep) << torn;
        EXPECT_EQ(p.files.size(), 2u) << torn;
    }
    // A damaged header: the salt block still finds the entries, and they roll back.
    std::vector<uint8_t> t = j;
    t[10] ^= 0xFF;
    const ParsedJournal p = parseJournal(t);
    EXPECT_TRUE(p.hot && !p.mayKeep && !p.complete);
    EXPECT_EQ(p.files.size(), 2u);
    // The cold mark complete up to the cleared salt block: nothing to roll back.
    t = j;
    std::copy(cold.begin(), cold.end(), t.begin());
    EXPECT_FALSE(parseJournal(t).hot);
    t[0] = 1; // even when the state word alone comes back
    EXPECT_FALSE(parseJournal(t).hot);
    // Garbage that is no journal at all is not hot either.
    EXPECT_FALSE(parseJournal(std::vector<uint8_t>(100, 0)).hot);
    EXPECT_FALSE(parseJournal({}).hot);
}

TEST(Journal, NamesOutsideTheFolderAreRefused)
{
    auto journalNaming = [](const std::string& name) {
        std::vector<uint8_t> payload = {1};
        le(payload, name.size(), 2);
        payload.insert(payload.end(), name.begin(), name.end());
        payload.push_back(1);
        le(payload, 10, 8); // size 10
        return parseJournal(journalWith({payload}));
    };
    EXPECT_EQ(journalNaming("KEGLER.DBF").files.size(), 1u); // the builder itself is right
    EXPECT_TRUE(journalNaming("../KEGLER.DBF").files.empty());
    EXPECT_TRUE(journalNaming("/etc/passwd").files.empty());
    EXPECT_TRUE(journalNaming("..").files.empty());
    EXPECT_TRUE(journalNaming("a\\b").files.empty());
}

// Offsets near 2^64 must not wrap around the size checks: a rollback would write there.
TEST(Journal, PagesAndChecksReachingPastTheirFileAreRefused)
{
    std::vector<uint8_t> file = {1};
    le(file, 5, 2);
    file.insert(file.end(), {'A', '.', 'D', 'B', 'F'});
    file.push_back(1);
    le(file, 100, 8); // 100 bytes before
    auto page = [](uint64_t offset, uint32_t length) {
        std::vector<uint8_t> e = {2};
        le(e, 0, 4);
        le(e, offset, 8);
        le(e, length, 4);
        e.insert(e.end(), length, 'p');
        return e;
    };
    auto after = [](uint64_t sizeAfter, uint64_t offset, uint32_t length) {
        std::vector<uint8_t> e = {3};
        le(e, 0, 4);
        e.push_back(1);
        le(e, sizeAfter, 8);
        le(e, 1, 4);
        le(e, offset, 8);
        le(e, length, 4);
        le(e, 0x1234, 8);
        return e;
    };
    ParsedJournal p = parseJournal(journalWith({file, page(60, 40), after(5000, 4096, 904)}));
    ASSERT_TRUE(p.complete); // the builder itself is right
    ASSERT_EQ(p.files.size(), 1u);
    EXPECT_EQ(p.files[0].pages.size(), 1u);
    EXPECT_EQ(p.files[0].after.size(), 1u);

    for (const auto& bad : {page(UINT64_MAX - 7, 16), page(61, 40), page(101, 0)}) {
        p = parseJournal(journalWith({file, bad}));
        EXPECT_FALSE(p.complete);
        EXPECT_TRUE(p.pageBytes.empty());
    }
    for (const auto& bad : {after(5000, UINT64_MAX - 7, 16), after(5000, 4097, 904), after(100000, 0, 4097)}) {
        p = parseJournal(journalWith({file, bad}));
        EXPECT_FALSE(p.complete);
        ASSERT_EQ(p.files.size(), 1u);
        EXPECT_FALSE(p.files[0].hasAfter);
        EXPECT_TRUE(p.files[0].after.empty());
    }
}

// Power lost at every point of a commit: the journal found hot either rolls back or,
// with the files complete, keeps the commit; in both cases it ends cold.
TEST(Journal, RecoveryRollsBackOrKeepsACompleteCommit)
{
    const FileState before = twoFiles();
    const Change change = [](Storage& storage, Session& session) {
        session.startTransaction();
        session.atomically([&] { put(*storage.create("/daten/NEU.DBF"), 0, "neu"); });
        session.atomically([&] { storage.remove("/daten/B.DBF"); });
        session.atomically([&] { put(*storage.open("/daten/A.DBF"), 4990, std::string(200, 'z')); });
        session.commit();
    };
    const Reference ref = runClean(before, change);
    int rolledBack = 0, kept = 0;
    for (uint64_t k = 1; k <= ref.points; ++k) {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        fs.crashAt(k, CrashMode::KeepUnsynced);
        try {
            Storage storage(fs);
            Session session(storage, "S");
            change(storage, session);
        } catch (const SimulatedCrash&) {
        }
        const ParsedJournal j = parseJournal(mem.contents("/daten/TREVO.JNL"));
        if (!j.hot || !j.complete) continue;
        const bool complete = filesShowAfterState(mem, "/daten", j.files);
        EXPECT_EQ(complete, stateOf(mem) == ref.after) << k;
        EXPECT_TRUE(recoverJournal(mem, "/daten"));
        EXPECT_TRUE(stateOf(mem) == (complete ? ref.after : before)) << k;
        EXPECT_FALSE(recoverJournal(mem, "/daten"));
        mem.crash(); // what recovery did is durable
        EXPECT_TRUE(stateOf(mem) == (complete ? ref.after : before)) << k;
        ++(complete ? kept : rolledBack);
    }
    EXPECT_GT(rolledBack, 2);
    EXPECT_GE(kept, 1);
}

TEST(Journal, CommitMarkedForRollbackIsRolledBackEvenWhenComplete)
{
    const FileState before = twoFiles();
    const std::vector<uint8_t> j = journalOf(before, overwrite("0123456789"));
    MemoryFileSystem mem;
    putState(mem, runClean(before, overwrite("0123456789")).after);
    mem.putFile("/daten/TREVO.JNL", j);
    ASSERT_TRUE(filesShowAfterState(mem, "/daten", parseJournal(j).files));
    std::vector<uint8_t> marked = j;
    const auto prefix = rollBackPrefix(j);
    std::copy(prefix.begin(), prefix.end(), marked.begin());
    const ParsedJournal p = parseJournal(marked);
    EXPECT_TRUE(p.hot && p.complete && !p.mayKeep);
    mem.putFile("/daten/TREVO.JNL", marked);
    EXPECT_TRUE(recoverJournal(mem, "/daten"));
    EXPECT_TRUE(stateOf(mem) == before);
}

// The program stopped after writing the files of a commit but before they were flushed
// (no power loss); started again, it keeps the commit. A power loss afterwards must not
// leave one file before and the other after the commit.
TEST(Journal, KeptCommitIsFlushedBeforeTheJournalTurnsCold)
{
    const FileState before = twoFiles();
    const FileState after = runClean(before, overwrite("0123456789")).after;
    MemoryFileSystem mem;
    putState(mem, before);
    mem.putFile("/daten/TREVO.JNL", journalOf(before, overwrite("0123456789")));
    const std::string a = after.at("/daten/A.DBF"), b = after.at("/daten/B.DBF");
    mem.open("/daten/A.DBF", OpenMode::ReadWrite)->write(0, a.data(), a.size()); // not flushed
    auto fb = mem.open("/daten/B.DBF", OpenMode::ReadWrite);
    fb->write(0, b.data(), b.size());
    fb->sync();
    EXPECT_TRUE(recoverJournal(mem, "/daten"));
    EXPECT_TRUE(stateOf(mem) == after);
    mem.crash();
    EXPECT_TRUE(stateOf(mem) == after) << differences(stateOf(mem), after);
}
