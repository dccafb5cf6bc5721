#include "engine/index/counted_tree.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace trevo::engine;

namespace {

// Checks every rank and bound of the tree against the sorted reference.
void expectSame(const CountedTree<int>& tree, const std::set<int>& ref)
{
    ASSERT_EQ(tree.size(), ref.size());
    size_t rank = 0;
    for (int v : ref) {
        ASSERT_EQ(tree.at(rank), v) << "rank " << rank;
        ASSERT_EQ(tree.lowerBound(v), rank);
        ASSERT_EQ(tree.upperBound(v), rank + 1);
        ++rank;
    }
}

} // namespace

TEST(CountedTree, RandomInsertEraseMatchesSortedSet)
{
    std::mt19937 rng(7);
    CountedTree<int> tree;
    std::set<int> ref;
    std::uniform_int_distribution<int> value(0, 5000);
    for (int step = 0; step < 40000; ++step) {
        const int v = value(rng);
        if (rng() % 3 == 0) {
            EXPECT_EQ(tree.erase(v), ref.erase(v) == 1);
        } else {
            EXPECT_EQ(tree.insert(v), ref.insert(v).second);
        }
        if (step % 4000 == 0) expectSame(tree, ref);
    }
    expectSame(tree, ref);
    // Bounds of values that are absent.
    for (int probe : {-1, 2500, 5001}) {
        const auto lb = static_cast<size_t>(std::distance(ref.begin(), ref.lower_bound(probe)));
        const auto ub = static_cast<size_t>(std::distance(ref.begin(), ref.upper_bound(probe)));
        EXPECT_EQ(tree.lowerBound(probe), lb);
        EXPECT_EQ(tree.upperBound(probe), ub);
        EXPECT_EQ(tree.contains(probe), ref.count(probe) == 1);
    }
}

TEST(CountedTree, BulkLoadThenChangeAndDrainKeepsBalance)
{
    std::vector<int> items;
    for (int i = 0; i < 100000; ++i) items.push_back(i * 2);
    CountedTree<int> tree;
    tree.assignSorted(items);
    std::set<int> ref(items.begin(), items.end());
    expectSame(tree, ref);
    EXPECT_LE(tree.depth(), 4);

    // Odd values go into the gaps, then everything below 150000 leaves again.
    for (int i = 1; i < 60000; i += 2) {
        tree.insert(i);
        ref.insert(i);
    }
    expectSame(tree, ref);
    for (int i = 0; i < 150000; ++i) {
        EXPECT_EQ(tree.erase(i), ref.erase(i) == 1);
    }
    expectSame(tree, ref);
    EXPECT_LE(tree.depth(), 3);

    // Erasing everything from the back leaves an empty, reusable tree.
    while (!ref.empty()) {
        const int last = *ref.rbegin();
        ASSERT_TRUE(tree.erase(last));
        ref.erase(last);
    }
    EXPECT_TRUE(tree.empty());
    EXPECT_FALSE(tree.erase(3));
    EXPECT_EQ(tree.lowerBound(3), 0u);
    EXPECT_TRUE(tree.insert(3));
    EXPECT_EQ(tree.at(0), 3);
    EXPECT_THROW(tree.at(1), std::out_of_range);
}

TEST(CountedTree, AscendingAndDescendingInsertsStayShallow)
{
    CountedTree<int> up, down;
    for (int i = 0; i < 50000; ++i) {
        up.insert(i);
        down.insert(50000 - i);
    }
    EXPECT_LE(up.depth(), 4);
    EXPECT_LE(down.depth(), 4);
    EXPECT_EQ(up.at(12345), 12345);
    EXPECT_EQ(down.at(0), 1);
    EXPECT_EQ(down.lowerBound(25000), 24999u);
}

TEST(CountedTree, LowerBoundWithItemAcrossLeaves)
{
    CountedTree<int> tree;
    std::vector<int> items;
    for (int i = 0; i < 1000; ++i) items.push_back(i * 10);
    tree.assignSorted(items);
    for (int probe = -5; probe < 10010; probe += 5) {
        const auto [rank, item] = tree.lowerBoundItem(probe);
        ASSERT_EQ(rank, tree.lowerBound(probe));
        if (rank < tree.size()) {
            ASSERT_NE(item, nullptr);
            ASSERT_EQ(*item, tree.at(rank));
        } else {
            ASSERT_EQ(item, nullptr);
        }
    }
}
