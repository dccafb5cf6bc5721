// Function calls and their special forms (aggregates, CAST, SUBSTRING, TRIM, EXTRACT),
// and the type names of CAST and of the table statements.
#include "engine/expr/parser_internal.h"

#include "engine/expr/error.h"

namespace trevo::engine::expr {

NodePtr ExprParser::parseCall()
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

NodePtr ExprParser::parseAggregate()
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

NodePtr ExprParser::parseCast()
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
NodePtr ExprParser::parseSubstring()
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
NodePtr ExprParser::parseTrim()
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
NodePtr ExprParser::parseExtract()
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

namespace {

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
