// The token stream the expression and statement parsers read from, and the words
// that are never column names.
#include "engine/expr/parser.h"

#include "engine/expr/error.h"

#include <array>

namespace trevo::engine::expr {

TokenStream::TokenStream(std::vector<Token> tokens) : tokens_(std::move(tokens))
{
    if (tokens_.empty() || tokens_.back().kind != TokenKind::End) tokens_.push_back(Token{});
    ordinals_.assign(tokens_.size(), -1);
    int n = 0;
    for (size_t i = 0; i < tokens_.size(); ++i)
        if (tokens_[i].kind == TokenKind::Number || tokens_[i].kind == TokenKind::SingleQuoted)
            ordinals_[i] = n++;
}

const Token& TokenStream::peek(size_t k) const
{
    size_t i = pos_ + k;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& TokenStream::next()
{
    const Token& t = peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
}

bool TokenStream::acceptKeyword(std::string_view kw)
{
    if (!peek().isKeyword(kw)) return false;
    next();
    return true;
}

void TokenStream::expectKeyword(std::string_view kw)
{
    if (!acceptKeyword(kw)) syntaxError(peek());
}

bool TokenStream::acceptSymbol(std::string_view s)
{
    if (!peek().isSymbol(s)) return false;
    next();
    return true;
}

void TokenStream::expectSymbol(std::string_view s)
{
    if (!acceptSymbol(s)) syntaxError(peek());
}

bool isReservedWord(const Token& t)
{
    static constexpr std::array words = {
        "SELECT", "FROM", "WHERE", "GROUP", "ORDER", "BY", "HAVING", "AND", "OR", "NOT", "AS",
        "ON", "JOIN", "LEFT", "RIGHT", "INNER", "OUTER", "CROSS", "UNION", "ASC", "DESC",
        "LIKE", "IN", "BETWEEN", "IS", "NULL", "DISTINCT", "ALL", "SET", "VALUES", "INTO",
        "ESCAPE", "FOR", "INSERT", "UPDATE", "DELETE", "CREATE", "DROP", "ALTER", "TABLE",
        "ADD", "EXPLAIN", "CASE", "WHEN", "THEN", "ELSE", "END", "ASCENDING", "DESCENDING",
    };
    if (t.kind != TokenKind::Identifier) return false;
    for (const char* w : words)
        if (t.isKeyword(w)) return true;
    return false;
}

} // namespace trevo::engine::expr
