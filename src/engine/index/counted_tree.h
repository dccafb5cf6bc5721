#pragma once
// An ordered set with positions: a B+tree whose inner nodes know how many items lie
// below each child, so the rank of an item and the item at a rank are both found in
// O(log n), like any search. Items are unique under Less.
//
// Invariants:
//  - every leaf holds its items sorted; leaves are at the same depth;
//  - an inner node holds k >= 1 children, their item counts and k-1 separators, with
//    every item of child i < seps[i] <= every item of child i+1 (a separator may be
//    smaller than the first item of its right child after erasures; searches only
//    rely on the inequalities);
//  - a node other than the root is merged with or rebalanced against a neighbour
//    when it falls under a quarter of its capacity, so the depth stays logarithmic.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <stdexcept>
#include <vector>

namespace trevo::engine {

template <class T, class Less = std::less<T>>
class CountedTree {
public:
    static constexpr size_t kLeafMax = 64;
    static constexpr size_t kInnerMax = 64;

    CountedTree() = default;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear()
    {
        root_.reset();
        size_ = 0;
    }

    // Replaces the contents; items must be sorted and unique.
    void assignSorted(std::vector<T> items);
    // False when an equal item is already there.
    bool insert(T item);
    // False when no equal item is there.
    bool erase(const T& item);

    // Rank of the first item not less than probe, of the first item greater than probe.
    size_t lowerBound(const T& probe) const;
    size_t upperBound(const T& probe) const;
    // lowerBound together with the item there (nullptr at the end), in one descent.
    std::pair<size_t, const T*> lowerBoundItem(const T& probe) const;
    bool contains(const T& item) const;
    const T& at(size_t rank) const;

    // Depth of the tree (1 for a single leaf); for tests of the balance.
    int depth() const;

private:
    struct Node {
        bool leaf = true;
        std::vector<T> items; // leaf: the items; inner: the separators
        std::vector<std::unique_ptr<Node>> kids;
        std::vector<size_t> counts;
        size_t total() const
        {
            if (leaf) return items.size();
            size_t n = 0;
            for (size_t c : counts) n += c;
            return n;
        }
        size_t fill() const { return leaf ? items.size() : kids.size(); }
        size_t capacity() const { return leaf ? kLeafMax : kInnerMax; }
    };
    struct Step {
        Node* node;
        size_t child;
    };

    size_t childFor(const Node& n, const T& probe) const
    {
        return static_cast<size_t>(std::upper_bound(n.items.begin(), n.items.end(), probe, less_) - n.items.begin());
    }
    static size_t countBefore(const Node& n, size_t child)
    {
        size_t r = 0;
        for (size_t i = 0; i < child; ++i) r += n.counts[i];
        return r;
    }
    // Descends to the leaf where probe belongs, remembering the path.
    Node* descend(const T& probe, std::vector<Step>& path) const;
    void splitChild(Node& parent, size_t child);
    void rebalance(Node& parent, size_t child);
    static std::unique_ptr<Node> buildLevel(std::vector<std::unique_ptr<Node>> nodes, std::vector<T> firsts,
                                            std::vector<size_t> totals);

    std::unique_ptr<Node> root_;
    size_t size_ = 0;
    Less less_{};
};

template <class T, class Less>
void CountedTree<T, Less>::assignSorted(std::vector<T> items)
{
    clear();
    if (items.empty()) return;
    size_ = items.size();
    const size_t fill = kLeafMax * 3 / 4;
    const size_t leaves = (items.size() + fill - 1) / fill;
    std::vector<std::unique_ptr<Node>> nodes;
    std::vector<T> firsts;
    std::vector<size_t> totals;
    nodes.reserve(leaves);
    size_t pos = 0;
    for (size_t i = 0; i < leaves; ++i) {
        const size_t n = items.size() / leaves + (i < items.size() % leaves ? 1 : 0);
        auto leaf = std::make_unique<Node>();
        leaf->items.reserve(kLeafMax + 1);
        for (size_t k = 0; k < n; ++k) leaf->items.push_back(std::move(items[pos + k]));
        pos += n;
        firsts.push_back(leaf->items.front());
        totals.push_back(n);
        nodes.push_back(std::move(leaf));
    }
    root_ = buildLevel(std::move(nodes), std::move(firsts), std::move(totals));
}

template <class T, class Less>
std::unique_ptr<typename CountedTree<T, Less>::Node>
CountedTree<T, Less>::buildLevel(std::vector<std::unique_ptr<Node>> nodes, std::vector<T> firsts, std::vector<size_t> totals)
{
    while (nodes.size() > 1) {
        const size_t fill = kInnerMax * 3 / 4;
        const size_t parents = (nodes.size() + fill - 1) / fill;
        std::vector<std::unique_ptr<Node>> up;
        std::vector<T> upFirsts;
        std::vector<size_t> upTotals;
        size_t pos = 0;
        for (size_t i = 0; i < parents; ++i) {
            const size_t n = nodes.size() / parents + (i < nodes.size() % parents ? 1 : 0);
            auto inner = std::make_unique<Node>();
            inner->leaf = false;
            size_t total = 0;
            for (size_t k = 0; k < n; ++k) {
                if (k > 0) inner->items.push_back(firsts[pos + k]);
                inner->kids.push_back(std::move(nodes[pos + k]));
                inner->counts.push_back(totals[pos + k]);
                total += totals[pos + k];
            }
            upFirsts.push_back(std::move(firsts[pos]));
            upTotals.push_back(total);
            up.push_back(std::move(inner));
            pos += n;
        }
        nodes = std::move(up);
        firsts = std::move(upFirsts);
        totals = std::move(upTotals);
    }
    return std::move(nodes.front());
}

template <class T, class Less>
typename CountedTree<T, Less>::Node* CountedTree<T, Less>::descend(const T& probe, std::vector<Step>& path) const
{
    Node* n = root_.get();
    while (!n->leaf) {
        const size_t c = childFor(*n, probe);
        path.push_back({n, c});
        n = n->kids[c].get();
    }
    return n;
}

template <class T, class Less>
bool CountedTree<T, Less>::insert(T item)
{
    if (!root_) {
        root_ = std::make_unique<Node>();
        root_->items.reserve(kLeafMax + 1);
    }
    std::vector<Step> path;
    Node* leaf = descend(item, path);
    auto it = std::lower_bound(leaf->items.begin(), leaf->items.end(), item, less_);
    if (it != leaf->items.end() && !less_(item, *it)) return false;
    leaf->items.insert(it, std::move(item));
    ++size_;
    for (auto& s : path) ++s.node->counts[s.child];
    // Split overfull nodes from the bottom up.
    for (size_t i = path.size(); i-- > 0;) {
        Node& parent = *path[i].node;
        Node& kid = *parent.kids[path[i].child];
        if (kid.fill() <= kid.capacity()) break;
        splitChild(parent, path[i].child);
    }
    if (root_->fill() > root_->capacity()) {
        auto top = std::make_unique<Node>();
        top->leaf = false;
        top->counts.push_back(root_->total());
        top->kids.push_back(std::move(root_));
        root_ = std::move(top);
        splitChild(*root_, 0);
    }
    return true;
}

template <class T, class Less>
void CountedTree<T, Less>::splitChild(Node& parent, size_t child)
{
    Node& left = *parent.kids[child];
    auto right = std::make_unique<Node>();
    right->leaf = left.leaf;
    T sep;
    if (left.leaf) {
        const size_t half = left.items.size() / 2;
        right->items.reserve(kLeafMax + 1);
        right->items.assign(std::make_move_iterator(left.items.begin() + static_cast<ptrdiff_t>(half)),
                            std::make_move_iterator(left.items.end()));
        left.items.resize(half);
        sep = right->items.front();
    } else {
        const size_t half = left.kids.size() / 2;
        for (size_t k = half; k < left.kids.size(); ++k) {
            right->kids.push_back(std::move(left.kids[k]));
            right->counts.push_back(left.counts[k]);
        }
        sep = std::move(left.items[half - 1]);
        for (size_t k = half; k < left.items.size(); ++k) right->items.push_back(std::move(left.items[k]));
        left.kids.resize(half);
        left.counts.resize(half);
        left.items.resize(half - 1);
    }
    const size_t rightTotal = right->total();
    parent.counts[child] -= rightTotal;
    parent.kids.insert(parent.kids.begin() + static_cast<ptrdiff_t>(child) + 1, std::move(right));
    parent.counts.insert(parent.counts.begin() + static_cast<ptrdiff_t>(child) + 1, rightTotal);
    parent.items.insert(parent.items.begin() + static_cast<ptrdiff_t>(child), std::move(sep));
}

template <class T, class Less>
bool CountedTree<T, Less>::erase(const T& item)
{
    if (!root_) return false;
    std::vector<Step> path;
    Node* leaf = descend(item, path);
    auto it = std::lower_bound(leaf->items.begin(), leaf->items.end(), item, less_);
    if (it == leaf->items.end() || less_(item, *it)) return false;
    leaf->items.erase(it);
    --size_;
    for (auto& s : path) --s.node->counts[s.child];
    for (size_t i = path.size(); i-- > 0;) {
        Node& parent = *path[i].node;
        Node& kid = *parent.kids[path[i].child];
        if (kid.fill() >= kid.capacity() / 4) break;
        rebalance(parent, path[i].child);
    }
    while (!root_->leaf && root_->kids.size() == 1) {
        std::unique_ptr<Node> only = std::move(root_->kids.front());
        root_ = std::move(only);
    }
    if (size_ == 0) root_.reset();
    return true;
}

// Joins an underfull child with a neighbour; when both do not fit into one node,
// their contents are shared out evenly instead.
template <class T, class Less>
void CountedTree<T, Less>::rebalance(Node& parent, size_t child)
{
    if (parent.kids.size() < 2) return;
    const size_t l = child + 1 < parent.kids.size() ? child : child - 1;
    Node& left = *parent.kids[l];
    Node& right = *parent.kids[l + 1];
    if (left.leaf) {
        for (auto& x : right.items) left.items.push_back(std::move(x));
        right.items.clear();
    } else {
        left.items.push_back(std::move(parent.items[l]));
        for (auto& x : right.items) left.items.push_back(std::move(x));
        for (size_t k = 0; k < right.kids.size(); ++k) {
            left.kids.push_back(std::move(right.kids[k]));
            left.counts.push_back(right.counts[k]);
        }
        right.items.clear();
        right.kids.clear();
        right.counts.clear();
    }
    parent.counts[l] += parent.counts[l + 1];
    parent.kids.erase(parent.kids.begin() + static_cast<ptrdiff_t>(l) + 1);
    parent.counts.erase(parent.counts.begin() + static_cast<ptrdiff_t>(l) + 1);
    parent.items.erase(parent.items.begin() + static_cast<ptrdiff_t>(l));
    if (left.fill() > left.capacity()) splitChild(parent, l);
}

template <class T, class Less>
size_t CountedTree<T, Less>::lowerBound(const T& probe) const
{
    if (!root_) return 0;
    size_t rank = 0;
    const Node* n = root_.get();
    while (!n->leaf) {
        const size_t c = childFor(*n, probe);
        rank += countBefore(*n, c);
        n = n->kids[c].get();
    }
    return rank + static_cast<size_t>(std::lower_bound(n->items.begin(), n->items.end(), probe, less_) - n->items.begin());
}

template <class T, class Less>
std::pair<size_t, const T*> CountedTree<T, Less>::lowerBoundItem(const T& probe) const
{
    if (!root_) return {0, nullptr};
    size_t rank = 0;
    const Node* n = root_.get();
    while (!n->leaf) {
        const size_t c = childFor(*n, probe);
        rank += countBefore(*n, c);
        n = n->kids[c].get();
    }
    const auto it = std::lower_bound(n->items.begin(), n->items.end(), probe, less_);
    rank += static_cast<size_t>(it - n->items.begin());
    if (it != n->items.end()) return {rank, &*it};
    return {rank, rank < size_ ? &at(rank) : nullptr}; // the first item of the next leaf
}

template <class T, class Less>
size_t CountedTree<T, Less>::upperBound(const T& probe) const
{
    if (!root_) return 0;
    size_t rank = 0;
    const Node* n = root_.get();
    while (!n->leaf) {
        const size_t c = childFor(*n, probe);
        rank += countBefore(*n, c);
        n = n->kids[c].get();
    }
    return rank + static_cast<size_t>(std::upper_bound(n->items.begin(), n->items.end(), probe, less_) - n->items.begin());
}

template <class T, class Less>
bool CountedTree<T, Less>::contains(const T& item) const
{
    if (!root_) return false;
    const Node* n = root_.get();
    while (!n->leaf) n = n->kids[childFor(*n, item)].get();
    auto it = std::lower_bound(n->items.begin(), n->items.end(), item, less_);
    return it != n->items.end() && !less_(item, *it);
}

template <class T, class Less>
const T& CountedTree<T, Less>::at(size_t rank) const
{
    if (rank >= size_) throw std::out_of_range("CountedTree::at");
    const Node* n = root_.get();
    while (!n->leaf) {
        size_t c = 0;
        while (rank >= n->counts[c]) rank -= n->counts[c++];
        n = n->kids[c].get();
    }
    return n->items[rank];
}

template <class T, class Less>
int CountedTree<T, Less>::depth() const
{
    int d = 0;
    for (const Node* n = root_.get(); n; n = n->leaf ? nullptr : n->kids.front().get()) ++d;
    return d;
}

} // namespace trevo::engine
