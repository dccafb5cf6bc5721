#pragma once
// Parser of expressions over a token stream. The statement parser (sql/) reads
// its clauses from the same stream and calls parseExpression for every expression.
#include "engine/expr/ast.h"
#include "engine/expr/token.h"

#include <string_view>
#include <vector>

namespace trevo::engine::expr {

class TokenStream {
public:
    explicit TokenStream(std::vector<Token> tokens);

    const Token& peek(size_t k = 0) const;
    const Token& next();
    size_t position() const { return pos_; }
    bool atEnd() const { return peek().kind == TokenKind::End; }

    bool acceptKeyword(std::string_view kw);
    void expectKeyword(std::string_view kw);
    bool acceptSymbol(std::string_view s);
    void expectSymbol(std::string_view s);
    // The ordinal of token i among the literal tokens (numbers, single-quoted texts), or -1.
    int literalOrdinal(size_t i) const { return i < ordinals_.size() ? ordinals_[i] : -1; }
    const std::vector<Token>& tokens() const { return tokens_; }
    // Records a literal token that the statement uses as structure (ORDER BY 2,
    // NUMERIC(2,0)): statements that differ there must not share a cached plan.
    void markStructural(size_t i) { structural_.push_back(i); }
    const std::vector<size_t>& structural() const { return structural_; }

private:
    std::vector<Token> tokens_;
    std::vector<int> ordinals_;
    std::vector<size_t> structural_;
    size_t pos_ = 0;
};

// Words that end an expression or a select item and are never column names.
bool isReservedWord(const Token& t);

struct ParseOptions {
    bool allowAggregates = true;
    bool allowStar = false; // * and alias.* (select lists)
};

NodePtr parseExpression(TokenStream& ts, const ParseOptions& opt = {});

// A type name of CAST and of the table statements, as a dBASE field type.
struct TypeSpec {
    char type = 'C';
    int length = 0;
    int decimals = 0;
};
TypeSpec parseTypeName(TokenStream& ts);

} // namespace trevo::engine::expr
