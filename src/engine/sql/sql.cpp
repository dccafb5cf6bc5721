#include "engine/sql/sql.h"

#include "engine/expr/error.h"
#include "engine/expr/parser.h"
#include "engine/sql/budget.h"
#include "engine/sql/prepared.h"

#include <new>

#include <list>
#include <unordered_map>

namespace trevo::engine::sql {

using expr::Token;
using expr::TokenKind;

std::string quoted(std::string_view value, char quote)
{
    if (quote != '\'' && (quote != '"' || expr::isPlainName(value))) quote = '\'';
    std::string r(1, quote);
    for (char c : value) {
        if (c == quote) r += quote;
        r += c;
    }
    r += quote;
    return r;
}

namespace {

// Statements that differ only in the values of their number and text literals share
// one prepared statement; the literals of each execution become its parameters.
struct CacheEntry {
    std::string key;
    std::vector<std::pair<size_t, std::string>> structural; // literal tokens that are structure
    std::unique_ptr<PreparedStatement> prepared;
};

class StatementCache {
public:
    static constexpr size_t kCapacity = 256;

    CacheEntry* find(const std::string& key, const std::vector<Token>& tokens)
    {
        auto it = index_.find(key);
        if (it == index_.end()) return nullptr;
        CacheEntry& e = *it->second;
        for (const auto& [i, text] : e.structural)
            if (i >= tokens.size() || tokens[i].source != text) return nullptr;
        entries_.splice(entries_.begin(), entries_, it->second);
        return &e;
    }

    void put(CacheEntry entry)
    {
        auto it = index_.find(entry.key);
        if (it != index_.end()) {
            entries_.erase(it->second);
            index_.erase(it);
        }
        entries_.push_front(std::move(entry));
        index_[entries_.front().key] = entries_.begin();
        if (entries_.size() > kCapacity) {
            index_.erase(entries_.back().key);
            entries_.pop_back();
        }
    }

    void remove(const std::string& key)
    {
        auto it = index_.find(key);
        if (it == index_.end()) return;
        entries_.erase(it->second);
        index_.erase(it);
    }

    void clear()
    {
        index_.clear();
        entries_.clear();
    }
    size_t size() const { return entries_.size(); }

private:
    std::list<CacheEntry> entries_;
    std::unordered_map<std::string, std::list<CacheEntry>::iterator> index_;
};

StatementCache& cache()
{
    static StatementCache c;
    return c;
}

std::string cacheKey(const Database& db, const std::string& folder, const std::vector<Token>& tokens)
{
    std::string key = std::to_string(reinterpret_cast<uintptr_t>(&db)) + "\x1f" + folder + "\x1f";
    for (const Token& t : tokens) {
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::SingleQuoted: key += t.kind == TokenKind::Number ? "#" : "'"; break;
        case TokenKind::DoubleQuoted: key += "\"" + t.text + "\""; break;
        case TokenKind::Identifier: key += expr::upperAscii(t.text); break;
        default: key += t.text; break;
        }
        key += '\x1e';
    }
    return key;
}

expr::Params literalValues(const std::vector<Token>& tokens)
{
    expr::Params p;
    for (const Token& t : tokens) {
        if (t.kind == TokenKind::Number) p.push_back(Value::number(t.number));
        else if (t.kind == TokenKind::SingleQuoted) p.push_back(Value::text(t.text));
    }
    return p;
}

} // namespace

namespace {

std::string megabytes(size_t bytes)
{
    const size_t tenths = (bytes * 10 + (size_t{1} << 19)) >> 20;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " MB";
}

QueryResult run(Database& db, Session& session, std::string_view text, const std::string& workingFolder)
{
    std::vector<Token> tokens = expr::tokenize(text);
    const std::string key = cacheKey(db, workingFolder, tokens);
    if (CacheEntry* e = cache().find(key, tokens)) {
        if (e->prepared->valid(db)) {
            const expr::Params params = literalValues(tokens);
            e->prepared->bindParams(&params);
            return e->prepared->execute(db, session);
        }
        cache().remove(key);
    }
    expr::TokenStream ts(tokens);
    Statement st = parseStatement(ts);
    CacheEntry entry;
    entry.key = key;
    for (size_t i : st.structural) entry.structural.emplace_back(i, tokens[i].source);
    entry.prepared = std::make_unique<PreparedStatement>(db, workingFolder, std::move(st));
    QueryResult r = entry.prepared->execute(db, session);
    if (entry.prepared->cacheable()) cache().put(std::move(entry));
    return r;
}

} // namespace

QueryResult execute(Database& db, Session& session, std::string_view text, const std::string& workingFolder)
{
    if (text.size() > kMaxStatementBytes)
        throw expr::SqlError("Die Anweisung ist mit " + megabytes(text.size()) +
                             " zu lang; erlaubt ist höchstens 1 MB");
    MemoryBudget budget;
    try {
        return run(db, session, text, workingFolder);
    } catch (const std::bad_alloc&) {
        throw OutOfMemory();
    }
}

void clearStatementCache() { cache().clear(); }
size_t statementCacheSize() { return cache().size(); }

} // namespace trevo::engine::sql
