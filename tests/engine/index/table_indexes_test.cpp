#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/index/table_indexes.h"
#include "test_tables.h"

#include <algorithm>
#include <random>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

// The expected order, worked out without index keys: NULL first, then by value
// (texts by the German collation without trailing blanks), ties by record number.
int compareForIndex(const Value& a, const Value& b)
{
    auto isNull = [](const Value& v) { return v.isNull() || (v.isText() && trimRight(v.text()).empty()); };
    if (isNull(a) || isNull(b)) return isNull(a) == isNull(b) ? 0 : isNull(a) ? -1 : 1;
    switch (a.type()) {
    case ValueType::Number: return a.number() < b.number() ? -1 : a.number() > b.number() ? 1 : 0;
    case ValueType::Date: return a.date() < b.date() ? -1 : a.date() > b.date() ? 1 : 0;
    case ValueType::Logical: return int(a.logical()) - int(b.logical());
    default: return collate(trimRight(a.text()), trimRight(b.text()));
    }
}

std::vector<uint32_t> expectedOrder(DbfTable& t, int field)
{
    std::vector<uint32_t> recs;
    for (uint32_t r = 0; r < t.recordCount(); ++r)
        if (!t.isDeleted(r)) recs.push_back(r);
    std::stable_sort(recs.begin(), recs.end(), [&](uint32_t x, uint32_t y) {
        return compareForIndex(t.get(x, field), t.get(y, field)) < 0;
    });
    return recs;
}

std::vector<uint32_t> indexOrder(const TableIndex& idx)
{
    std::vector<uint32_t> recs;
    for (size_t i = 0; i < idx.size(); ++i) recs.push_back(idx.recordAt(i));
    return recs;
}

const std::vector<std::string> kNames = {"Müller", "Mueller", "Maier", "meier", "Strauß", "Strauss", "Ärger",
                                         "Adler", "Zander", "", "Muster", "müller", "Öhlers", "Ohm"};

Record randomRecord(std::mt19937& rng)
{
    Record r;
    r.push_back(rng() % 10 == 0 ? Value() : num(static_cast<double>(rng() % 200) / 4 - 10));
    r.push_back(txt(kNames[rng() % kNames.size()]));
    r.push_back(rng() % 10 == 0 ? Value() : Value::date(static_cast<int32_t>(30000 + rng() % 3000)));
    r.push_back(rng() % 5 == 0 ? Value() : Value::logical(rng() % 2 == 0));
    return r;
}

} // namespace

TEST(TableIndexes, RandomChangesKeepEveryIndexSorted)
{
    TableFolder folder;
    auto t = folder.create("KEGLER.DBF", {numField("NUMMER", 8, 2), textField("NAME"), dateField("DATUM"),
                                          logicalField("MITGLIED")});
    std::mt19937 rng(42);
    Session& s = folder.session();
    s.startTransaction();
    s.atomically([&] {
        for (int i = 0; i < 150; ++i) t->append(randomRecord(rng));
    });
    auto& indexes = t->attachment<TableIndexes>();
    // Requested after the first records and with a name in another case.
    TableIndex* idx[4] = {&indexes.byField("nummer"), &indexes.byField("NAME"), &indexes.byField("DATUM"),
                          &indexes.byField("MITGLIED")};
    TableIndex& phys = indexes.physical();
    for (int step = 0; step < 1500; ++step) {
        const uint32_t n = t->recordCount();
        const int op = static_cast<int>(rng() % 10);
        s.atomically([&] {
            if (op < 4) {
                t->append(randomRecord(rng));
            } else if (op < 7) {
                t->put(static_cast<uint32_t>(rng() % n), randomRecord(rng));
            } else if (op < 9) {
                t->setDeleted(static_cast<uint32_t>(rng() % n), true);
            } else {
                t->setDeleted(static_cast<uint32_t>(rng() % n), false);
            }
        });
        if (step % 100 == 99) {
            for (int f = 0; f < 4; ++f) ASSERT_EQ(indexOrder(*idx[f]), expectedOrder(*t, f)) << "field " << f;
            std::vector<uint32_t> live;
            for (uint32_t r = 0; r < t->recordCount(); ++r)
                if (!t->isDeleted(r)) live.push_back(r);
            ASSERT_EQ(indexOrder(phys), live);
        }
    }
    s.commit();
    EXPECT_EQ(indexes.names(), (std::vector<std::string>{"DATUM", "MITGLIED", "NAME", "NUMMER"}));
    EXPECT_EQ(&indexes.byField("Name"), idx[1]);
}

TEST(TableIndexes, ResetsRebuild)
{
    TableFolder folder;
    auto t = folder.create("SPIELE.DBF", {numField("NUMMER"), textField("NAME")});
    for (int i = 5; i > 0; --i) folder.add(*t, {num(i), txt("S" + std::to_string(i))});
    auto& indexes = t->attachment<TableIndexes>();
    TableIndex& nummer = indexes.byField("NUMMER");
    EXPECT_EQ(indexOrder(nummer), (std::vector<uint32_t>{4, 3, 2, 1, 0}));

    // A rolled back transaction puts the index back as it was.
    Session& s = folder.session();
    s.startTransaction();
    s.atomically([&] {
        t->append({num(0), txt("neu")});
        t->setDeleted(0, true);
    });
    EXPECT_EQ(indexOrder(nummer), (std::vector<uint32_t>{5, 4, 3, 2, 1}));
    s.rollback();
    EXPECT_EQ(indexOrder(nummer), (std::vector<uint32_t>{4, 3, 2, 1, 0}));

    // Pack renumbers the records; the index follows.
    folder.remove(*t, 1);
    folder.session().atomically([&] { t->pack(); });
    EXPECT_EQ(t->recordCount(), 4u);
    EXPECT_EQ(indexOrder(nummer), expectedOrder(*t, 0));
    EXPECT_EQ(t->get(nummer.recordAt(0), 0), num(1));

    folder.session().atomically([&] { t->zap(); });
    EXPECT_EQ(nummer.size(), 0u);
    folder.add(*t, {num(9), txt("x")});
    EXPECT_EQ(nummer.size(), 1u);
}

TEST(TableIndexes, KeySearchAndRefusals)
{
    TableFolder folder;
    auto t = folder.create("KEGLER.DBF", {numField("NUMMER"), textField("NAME"), memoField("BEMERKUNGE")});
    const char* names[] = {"Schmidt", "Meier", "Schmidt", "Adler", "Schmidt"};
    for (int i = 0; i < 5; ++i) folder.add(*t, {num(i + 1), txt(names[i]), txt("")});
    auto& indexes = t->attachment<TableIndexes>();
    TableIndex& name = indexes.byField("NAME");
    const std::string k = name.keyOf(txt("Schmidt  "));
    const size_t lo = name.lowerBound(k), hi = name.upperBound(k);
    ASSERT_EQ(hi - lo, 3u);
    // Duplicates in record order.
    EXPECT_EQ(name.recordAt(lo), 0u);
    EXPECT_EQ(name.recordAt(lo + 1), 2u);
    EXPECT_EQ(name.recordAt(lo + 2), 4u);
    EXPECT_EQ(name.rankOf(k, 2), lo + 1);
    EXPECT_TRUE(name.contains(k, 4));
    EXPECT_FALSE(name.contains(k, 1));

    EXPECT_THROW(indexes.byField("GIBTESNICHT"), EngineError);
    EXPECT_THROW(indexes.byField("BEMERKUNGE"), EngineError);
    EXPECT_EQ(indexes.find("NUMMER"), nullptr);
}
