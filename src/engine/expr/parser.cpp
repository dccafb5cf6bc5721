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

namespace {

bool isAggregateName(std::string_view up)
{
    return up == "COUNT" || up == "SUM" || up == "AVG" || up == "MIN" || up == "MAX";
}

class ExprParser {
public:
    ExprParser(TokenStream& ts, const ParseOptions& opt) : ts_(ts), opt_(opt) {}

    NodePtr parseOr()
    {
        NodePtr l = parseAnd();
        while (ts_.acceptKeyword("OR")) {
            count();
            l = makeBinary(BinOp::Or, std::move(l), parseAnd());
        }
        return l;
    }

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

    void count()
    {
        if (++nodes_ > kMaxNodes) errorAt(ts_.peek(), "Ausdruck zu lang");
    }

    NodePtr node(NodeKind k, const Token& at)
    {
        count();
        auto n = std::make_unique<Node>();
        n->kind = k;
        n->line = at.line;
        n->source = at.source;
        return n;
    }

    NodePtr parseAnd()
    {
        NodePtr l = parseNot();
        while (ts_.acceptKeyword("AND")) {
            count();
            l = makeBinary(BinOp::And, std::move(l), parseNot());
        }
        return l;
    }

    NodePtr parseNot()
    {
        Depth guard(*this);
        if (ts_.peek().isKeyword("NOT")) {
            auto n = node(NodeKind::Not, ts_.next());
            n->args.push_back(parseNot());
            return n;
        }
        return parsePredicate();
    }

    bool comparisonOp(const Token& t, BinOp& op)
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

    NodePtr parsePredicate()
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

    NodePtr parseAdditive()
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

    NodePtr parseMultiplicative()
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

    NodePtr parseUnary()
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

    NodePtr literal(const Token& t, Value v)
    {
        auto n = node(NodeKind::Literal, t);
        n->value = std::move(v);
        n->type = n->value.type();
        n->constant = true;
        return n;
    }

    NodePtr parsePrimary()
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
    NodePtr parseName()
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

    NodePtr parseIdentifier()
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

    NodePtr parseCall()
    {
        const Token& t = ts_.next();
        auto n = node(NodeKind::Call, t);
        n->name = upperAscii(t.text);
        ts_.expectSymbol("(");
        if (!ts_.acceptSymbol(")")) {
            do {
                n->args.push_back(parseOr());
            } while (ts_.acceptSymbol(","));
            ts_.expectSymbol(")");
        }
        return n;
    }

    NodePtr parseAggregate()
    {
        const Token& t = ts_.next();
        if (!opt_.allowAggregates) errorAt(t, "Aggregatfunktion " + upperAscii(t.text) + " ist hier nicht erlaubt");
        auto n = node(NodeKind::Aggregate, t);
        n->name = upperAscii(t.text);
        ts_.expectSymbol("(");
        if (n->name == "COUNT" && ts_.peek().isSymbol("*")) {
            ts_.next();
        } else {
            n->distinct = ts_.acceptKeyword("DISTINCT");
            if (!n->distinct) ts_.acceptKeyword("ALL");
            ParseOptions inner = opt_;
            inner.allowAggregates = false;
            inner.allowStar = false;
            n->args.push_back(ExprParser(ts_, inner).parseOr());
        }
        ts_.expectSymbol(")");
        return n;
    }

    NodePtr parseCast()
    {
        const Token& t = ts_.next();
        auto n = node(NodeKind::Cast, t);
        ts_.expectSymbol("(");
        n->args.push_back(parseOr());
        ts_.expectKeyword("AS");
        TypeSpec ty = parseTypeName(ts_);
        n->castType = ty.type;
        n->castLength = ty.length;
        n->castDecimals = ty.decimals;
        ts_.expectSymbol(")");
        return n;
    }

    // SUBSTRING(x FROM a [FOR b]) or SUBSTRING(x, a [, b])
    NodePtr parseSubstring()
    {
        const Token& t = ts_.next();
        auto n = node(NodeKind::Call, t);
        n->name = "SUBSTRING";
        ts_.expectSymbol("(");
        n->args.push_back(parseOr());
        if (ts_.acceptKeyword("FROM")) {
            n->args.push_back(parseOr());
            if (ts_.acceptKeyword("FOR")) n->args.push_back(parseOr());
        } else {
            ts_.expectSymbol(",");
            n->args.push_back(parseOr());
            if (ts_.acceptSymbol(",")) n->args.push_back(parseOr());
        }
        ts_.expectSymbol(")");
        return n;
    }

    // TRIM(x), TRIM([LEADING|TRAILING|BOTH] [chars] FROM x)
    NodePtr parseTrim()
    {
        const Token& t = ts_.next();
        auto n = node(NodeKind::Call, t);
        ts_.expectSymbol("(");
        std::string mode = "TRIM";
        if (ts_.acceptKeyword("LEADING")) mode = "LTRIM";
        else if (ts_.acceptKeyword("TRAILING")) mode = "RTRIM";
        else ts_.acceptKeyword("BOTH");
        n->name = mode;
        if (ts_.acceptKeyword("FROM")) {
            n->args.push_back(parseOr());
        } else {
            NodePtr first = parseOr();
            if (ts_.acceptKeyword("FROM")) {
                n->args.push_back(parseOr());
                n->args.push_back(std::move(first));
            } else {
                n->args.push_back(std::move(first));
            }
        }
        ts_.expectSymbol(")");
        return n;
    }

    // EXTRACT(YEAR|MONTH|DAY FROM x)
    NodePtr parseExtract()
    {
        const Token& t = ts_.next();
        ts_.expectSymbol("(");
        const Token& part = ts_.next();
        const std::string up = upperAscii(part.text);
        if (part.kind != TokenKind::Identifier || (up != "YEAR" && up != "MONTH" && up != "DAY")) syntaxError(part);
        auto n = node(NodeKind::Call, t);
        n->name = up;
        ts_.expectKeyword("FROM");
        n->args.push_back(parseOr());
        ts_.expectSymbol(")");
        return n;
    }

    TokenStream& ts_;
    ParseOptions opt_;
    int depth_ = 0;
    int nodes_ = 0;
};

int smallInteger(TokenStream& ts)
{
    const size_t index = ts.position();
    const Token& t = ts.next();
    if (t.kind != TokenKind::Number || t.number < 0 || t.number > 65535 || t.number != static_cast<int>(t.number))
        syntaxError(t);
    ts.markStructural(index);
    return static_cast<int>(t.number);
}

} // namespace

NodePtr parseExpression(TokenStream& ts, const ParseOptions& opt) { return ExprParser(ts, opt).parseOr(); }

TypeSpec parseTypeName(TokenStream& ts)
{
    const Token& t = ts.next();
    if (t.kind != TokenKind::Identifier) syntaxError(t);
    const std::string up = upperAscii(t.text);
    TypeSpec r;
    auto sizes = [&](int defLength, int defDecimals, bool allowDecimals) {
        r.length = defLength;
        r.decimals = defDecimals;
        if (ts.acceptSymbol("(")) {
            r.length = smallInteger(ts);
            if (ts.acceptSymbol(",")) {
                r.decimals = smallInteger(ts);
                if (!allowDecimals && r.type != 'M') syntaxError(ts.peek());
            }
            ts.expectSymbol(")");
        }
    };
    if (up == "NUMERIC" || up == "DECIMAL" || up == "NUMBER") {
        r.type = 'N';
        sizes(15, 0, true);
    } else if (up == "FLOAT" || up == "DOUBLE" || up == "REAL") {
        r.type = 'F';
        if (up == "DOUBLE") ts.acceptKeyword("PRECISION");
        sizes(20, 4, true);
    } else if (up == "CHAR" || up == "VARCHAR" || up == "CHARACTER") {
        r.type = 'C';
        sizes(1, 0, false);
    } else if (up == "DATE") {
        r.type = 'D';
        r.length = 8;
    } else if (up == "BOOLEAN" || up == "LOGICAL") {
        r.type = 'L';
        r.length = 1;
    } else if (up == "BLOB" || up == "MEMO") {
        r.type = 'M';
        sizes(10, 0, true);
        r.length = 10;
        r.decimals = 0;
    } else if (up == "SMALLINT") {
        r.type = 'N';
        r.length = 6;
    } else if (up == "INTEGER" || up == "INT") {
        r.type = 'N';
        r.length = 11;
    } else {
        syntaxError(t);
    }
    if (r.type == 'C' && (r.length < 1 || r.length > 254)) errorAt(t, "Ungültige Feldlänge " + std::to_string(r.length));
    if ((r.type == 'N' || r.type == 'F') && (r.length < 1 || r.length > 20 || r.decimals >= r.length))
        errorAt(t, "Ungültige Feldlänge " + std::to_string(r.length) + "," + std::to_string(r.decimals));
    return r;
}

} // namespace trevo::engine::expr
