#pragma once
// The expression parser's class, shared by the grammar of operators and operands
// (parser.cpp) and the special forms of function calls (parser_calls.cpp).
#include "engine/expr/error.h"
#include "engine/expr/parser.h"

namespace trevo::engine::expr {

class ExprParser {
public:
    ExprParser(TokenStream& ts, const ParseOptions& opt) : ts_(ts), opt_(opt) {}

    NodePtr parseOr();

private:
    // Deeply nested or very long expressions are refused before they can exhaust the
    // stack of the recursive binding and evaluation.
    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxNodes = 4000;

    struct Depth {
        explicit Depth(ExprParser& p) : p_(p)
        {
            if (++p_.depth_ > kMaxDepth) errorAt(p_.ts_.peek(), "Ausdruck zu tief verschachtelt");
        }
        ~Depth() { --p_.depth_; }
        ExprParser& p_;
    };

    void count();
    NodePtr node(NodeKind k, const Token& at);

    // ---- operators and operands (parser.cpp) ----
    NodePtr parseAnd();
    NodePtr parseNot();
    bool comparisonOp(const Token& t, BinOp& op);
    NodePtr parsePredicate();
    NodePtr parseAdditive();
    NodePtr parseMultiplicative();
    NodePtr parseUnary();
    NodePtr literal(const Token& t, Value v);
    NodePtr parsePrimary();
    NodePtr parseName();
    NodePtr parseIdentifier();

    // ---- function calls and their special forms (parser_calls.cpp) ----
    NodePtr parseCall();
    NodePtr parseAggregate();
    NodePtr parseCast();
    NodePtr parseSubstring();
    NodePtr parseTrim();
    NodePtr parseExtract();

    TokenStream& ts_;
    ParseOptions opt_;
    int depth_ = 0;
    int nodes_ = 0;
};

} // namespace trevo::engine::expr
