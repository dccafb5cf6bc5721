#include "engine/expr/like.h"

#include "engine/core/collation.h"

#include <string>
#include <vector>

namespace trevo::engine::expr {

namespace {

// One item of a LIKE pattern: a code point (case folded) or the wildcard % or _.
struct LikeItem {
    char32_t cp;
    bool wildcard;
};

std::vector<LikeItem> likeItems(std::string_view pattern, char32_t escape)
{
    std::vector<LikeItem> items;
    for (size_t i = 0; i < pattern.size();) {
        const char32_t c = nextCodePoint(pattern, i);
        if (escape && c == escape && i < pattern.size()) items.push_back({foldCase(nextCodePoint(pattern, i)), false});
        else if (c == U'%' || c == U'_') items.push_back({c, true});
        else items.push_back({foldCase(c), false});
    }
    return items;
}

bool isPercent(const LikeItem& item) { return item.wildcard && item.cp == U'%'; }

} // namespace

bool likeMatch(std::string_view text, std::string_view pattern, char32_t escape)
{
    text = trimRight(text);
    std::u32string t;
    for (size_t i = 0; i < text.size();) t.push_back(foldCase(nextCodePoint(text, i)));
    const std::vector<LikeItem> items = likeItems(trimRight(pattern), escape);
    // Greedy matching with a return to the last %: linear for the usual patterns.
    size_t ti = 0, pi = 0, starP = std::string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < items.size() && isPercent(items[pi])) {
            starP = pi++;
            starT = ti;
        } else if (pi < items.size() && (items[pi].wildcard || items[pi].cp == t[ti])) {
            ++pi;
            ++ti;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < items.size() && isPercent(items[pi])) ++pi;
    return pi == items.size();
}

} // namespace trevo::engine::expr
