// The grammar of expressions: OR, AND, NOT, the comparisons and predicates (IS NULL,
// LIKE, IN, BETWEEN), arithmetic, and the operands (literals, names, parentheses).
#include "engine/expr/parser_internal.h"

#include "engine/expr/error.h"

namespace trevo::engine::expr {

namespace {

bool isAggregateName(std::string_view up)
{
    return up == "COUNT" || up == "SUM" || up == "AVG" || up == "MIN" || up == "MAX";
}

} // namespace

NodePtr ExprParser::parseOr()
{
    NodePtr l = parseAnd();
    while (ts_.acceptKeyword("OR")) {
        count();
        l = makeBinary(BinOp::Or, std::move(l), parseAnd());
    }
    return l;
}

void ExprParser::count()
{
    if (++nodes_ > kMaxNodes) errorAt(ts_.peek(), "Ausdruck zu lang");
}

NodePtr ExprParser::node(NodeKind k, const Token& at)
{
    count();
    auto n = std::make_unique<Node>();
    n->kind = k;
    n->line = at.line;
    n->source = at.source;
    return n;
}

NodePtr ExprParser::parseAnd()
{
    NodePtr l = parseNot();
    while (ts_.acceptKeyword("AND")) {
        count();
        l = makeBinary(BinOp::And, std::move(l), parseNot());
    }
    return l;
}

NodePtr ExprParser::parseNot()
{
    Depth guard(*this);
    if (ts_.peek().isKeyword("NOT")) {
        auto n = node(NodeKind::Not, ts_.next());
        n->args.push_back(parseNot());
        return n;
    }
    return parsePredicate();
}

bool ExprParser::comparisonOp(const Token& t, BinOp& op)
{
    if (t.kind != TokenKind::Symbol) return false;
    const std::string& s = t.text;
    if (s == "=" || s == "==") op = BinOp::Eq;
    else if (s == "<>" || s == "!=") op = BinOp::Ne;
    else if (s == "<") op = BinOp::Lt;
    else if (s == "<=") op = BinOp::Le;
    else if (s == ">") op = BinOp::Gt;
    else if (s == ">=") op = BinOp::Ge;
    else return false;
    return true;
}

NodePtr ExprParser::parsePredicate()
{
    NodePtr l = parseAdditive();
    for (;;) {
        BinOp op;
        const Token& t = ts_.peek();
        if (comparisonOp(t, op)) {
            ts_.next();
            count();
            l = makeBinary(op, std::move(l), parseAdditive());
            continue;
        }
        if (t.isKeyword("IS")) {
            auto n = node(NodeKind::IsNull, ts_.next());
            n->negated = ts_.acceptKeyword("NOT");
            ts_.expectKeyword("NULL");
            n->args.push_back(std::move(l));
            l = std::move(n);
            continue;
        }
        bool negated = false;
        if (t.isKeyword("NOT") &&
            (ts_.peek(1).isKeyword("LIKE") || ts_.peek(1).isKeyword("IN") || ts_.peek(1).isKeyword("BETWEEN"))) {
            ts_.next();
            negated = true;
        }
        const Token& k = ts_.peek();
        if (k.isKeyword("LIKE")) {
            auto n = node(NodeKind::Like, ts_.next());
            n->negated = negated;
            n->args.push_back(std::move(l));
            n->args.push_back(parseAdditive());
            if (ts_.acceptKeyword("ESCAPE")) n->args.push_back(parseAdditive());
            l = std::move(n);
        } else if (k.isKeyword("IN")) {
            auto n = node(NodeKind::In, ts_.next());
            n->negated = negated;
            n->args.push_back(std::move(l));
            ts_.expectSymbol("(");
            do {
                n->args.push_back(parseAdditive());
            } while (ts_.acceptSymbol(","));
            ts_.expectSymbol(")");
            l = std::move(n);
        } else if (k.isKeyword("BETWEEN")) {
            auto n = node(NodeKind::Between, ts_.next());
            n->negated = negated;
            n->args.push_back(std::move(l));
            n->args.push_back(parseAdditive());
            ts_.expectKeyword("AND");
            n->args.push_back(parseAdditive());
            l = std::move(n);
        } else {
            return l;
        }
    }
}

NodePtr ExprParser::parseAdditive()
{
    NodePtr l = parseMultiplicative();
    for (;;) {
        const Token& t = ts_.peek();
        BinOp op;
        if (t.isSymbol("+")) op = BinOp::Add;
        else if (t.isSymbol("-")) op = BinOp::Sub;
        else if (t.isSymbol("||")) op = BinOp::Concat;
        else return l;
        ts_.next();
        count();
        l = makeBinary(op, std::move(l), parseMultiplicative());
    }
}

NodePtr ExprParser::parseMultiplicative()
{
    NodePtr l = parseUnary();
    for (;;) {
        const Token& t = ts_.peek();
        BinOp op;
        if (t.isSymbol("*")) op = BinOp::Mul;
        else if (t.isSymbol("/")) op = BinOp::Div;
        else return l;
        ts_.next();
        count();
        l = makeBinary(op, std::move(l), parseUnary());
    }
}

NodePtr ExprParser::parseUnary()
{
    Depth guard(*this);
    if (ts_.peek().isSymbol("-")) {
        const Token& t = ts_.next();
        NodePtr a = parseUnary();
        auto n = node(NodeKind::Negate, t);
        n->args.push_back(std::move(a));
        return n;
    }
    if (ts_.acceptSymbol("+")) return parseUnary();
    return parsePrimary();
}

NodePtr ExprParser::literal(const Token& t, Value v)
{
    auto n = node(NodeKind::Literal, t);
    n->value = std::move(v);
    n->type = n->value.type();
    n->constant = true;
    return n;
}

NodePtr ExprParser::parsePrimary()
{
    const size_t index = ts_.position();
    const Token& t = ts_.peek();
    switch (t.kind) {
    case TokenKind::Number: {
        ts_.next();
        auto n = literal(t, Value::number(t.number));
        n->param = ts_.literalOrdinal(index);
        return n;
    }
    case TokenKind::SingleQuoted: {
        ts_.next();
        auto n = literal(t, Value::text(t.text));
        n->param = ts_.literalOrdinal(index);
        return n;
    }
    case TokenKind::DoubleQuoted: return parseName();
    case TokenKind::Identifier: return parseIdentifier();
    case TokenKind::Symbol:
        if (t.isSymbol("(")) {
            ts_.next();
            NodePtr e = parseOr();
            ts_.expectSymbol(")");
            return e;
        }
        if (t.isSymbol("*") && opt_.allowStar) return node(NodeKind::Star, ts_.next());
        break;
    case TokenKind::End: break;
    }
    syntaxError(t);
}

// "X", "X"."Y", X.Y, X."Y", "X".*, X.*
NodePtr ExprParser::parseName()
{
    const Token& first = ts_.next();
    if (ts_.peek().isSymbol(".")) {
        ts_.next();
        const Token& second = ts_.peek();
        if (second.isSymbol("*") && opt_.allowStar) {
            ts_.next();
            auto n = node(NodeKind::Star, first);
            n->qualifier = first.text;
            return n;
        }
        if (second.kind != TokenKind::Identifier && second.kind != TokenKind::DoubleQuoted) syntaxError(second);
        ts_.next();
        auto n = node(NodeKind::Column, second);
        n->qualifier = first.text;
        n->name = second.text;
        return n;
    }
    auto n = node(NodeKind::Column, first);
    n->name = first.text;
    n->quoted = first.kind == TokenKind::DoubleQuoted;
    return n;
}

NodePtr ExprParser::parseIdentifier()
{
    const Token& t = ts_.peek();
    if (t.isKeyword("NULL")) return ts_.next(), literal(t, Value::null());
    if (t.isKeyword("TRUE")) return ts_.next(), literal(t, Value::logical(true));
    if (t.isKeyword("FALSE")) return ts_.next(), literal(t, Value::logical(false));
    if (ts_.peek(1).isSymbol("(")) {
        const std::string up = upperAscii(t.text);
        if (up == "CAST") return parseCast();
        if (up == "SUBSTRING") return parseSubstring();
        if (up == "TRIM") return parseTrim();
        if (up == "EXTRACT") return parseExtract();
        if (isAggregateName(up)) return parseAggregate();
        if (!isReservedWord(t)) return parseCall();
    }
    if (isReservedWord(t)) syntaxError(t);
    return parseName();
}

NodePtr parseExpression(TokenStream& ts, const ParseOptions& opt) { return ExprParser(ts, opt).parseOr(); }

} // namespace trevo::engine::expr
