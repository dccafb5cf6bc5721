#include "engine/expr/error.h"
#include "engine/sql/statement.h"

namespace trevo::engine::sql {

using expr::ParseOptions;
using expr::syntaxError;
using expr::Token;
using expr::TokenKind;
using expr::TokenStream;

namespace {

class StatementParser {
public:
    explicit StatementParser(TokenStream& ts) : ts_(ts) {}

    Statement parse()
    {
        Statement st;
        st.explain = ts_.acceptKeyword("EXPLAIN");
        const Token& t = ts_.peek();
        if (t.isKeyword("SELECT")) {
            st.kind = StatementKind::Select;
            st.select = parseSelect();
        } else if (t.isKeyword("DELETE")) {
            parseDelete(st);
        } else if (t.isKeyword("UPDATE")) {
            parseUpdate(st);
        } else if (t.isKeyword("INSERT")) {
            parseInsert(st);
        } else if (t.isKeyword("ALTER")) {
            parseAlter(st);
        } else if (t.isKeyword("CREATE")) {
            parseCreate(st);
        } else if (t.isKeyword("DROP")) {
            ts_.next();
            ts_.expectKeyword("TABLE");
            st.kind = StatementKind::Drop;
            st.table = parseTableRef(false);
        } else {
            syntaxError(t);
        }
        while (ts_.acceptSymbol(";")) {
        }
        if (!ts_.atEnd()) syntaxError(ts_.peek());
        st.structural = ts_.structural();
        return st;
    }

private:
    NodePtr expression(bool allowAggregates = false)
    {
        ParseOptions opt;
        opt.allowAggregates = allowAggregates;
        return expr::parseExpression(ts_, opt);
    }

    // An alias after an expression or a table: an identifier that is no keyword,
    // or a double-quoted name after AS.
    bool parseAlias(std::string& alias, bool forTable)
    {
        const bool as = ts_.acceptKeyword("AS");
        const Token& t = ts_.peek();
        if (t.kind == TokenKind::Identifier && !expr::isReservedWord(t)) {
            // "SELECT NAME FORM ..." reads FORM as an alias; say so at FORM when what
            // follows cannot follow a select item.
            const Token& after = ts_.peek(1);
            if (!as && !forTable && !after.isSymbol(",") && !after.isKeyword("FROM") && !after.is(TokenKind::End) &&
                !after.isSymbol(";"))
                syntaxError(t);
            alias = ts_.next().text;
            return true;
        }
        if (t.kind == TokenKind::DoubleQuoted && (as || !forTable)) {
            expr::checkNameCharacters(t.text, t.line);
            alias = ts_.next().text;
            return true;
        }
        if (as) syntaxError(t);
        return false;
    }

    SelectStmt parseSelect()
    {
        SelectStmt s;
        ts_.expectKeyword("SELECT");
        s.distinct = ts_.acceptKeyword("DISTINCT");
        if (!s.distinct) ts_.acceptKeyword("ALL");
        do {
            SelectItem item;
            ParseOptions opt;
            opt.allowStar = true;
            item.expr = expr::parseExpression(ts_, opt);
            if (item.expr->kind != expr::NodeKind::Star) parseAlias(item.alias, false);
            s.items.push_back(std::move(item));
        } while (ts_.acceptSymbol(","));
        ts_.expectKeyword("FROM");
        s.from.push_back(parseTableRef(true));
        for (;;) {
            if (ts_.acceptSymbol(",")) {
                s.from.push_back(parseTableRef(true));
                continue;
            }
            JoinKind kind;
            if (ts_.peek().isKeyword("JOIN") || ts_.peek().isKeyword("INNER")) {
                ts_.acceptKeyword("INNER");
                kind = JoinKind::Inner;
            } else if (ts_.peek().isKeyword("LEFT")) {
                ts_.next();
                ts_.acceptKeyword("OUTER");
                kind = JoinKind::Left;
            } else {
                break;
            }
            ts_.expectKeyword("JOIN");
            TableRef ref = parseTableRef(true);
            ref.join = kind;
            ts_.expectKeyword("ON");
            ref.on = expression();
            s.from.push_back(std::move(ref));
        }
        if (ts_.acceptKeyword("WHERE")) s.where = expression();
        if (ts_.acceptKeyword("GROUP")) {
            ts_.expectKeyword("BY");
            do {
                s.groupBy.push_back(expression());
            } while (ts_.acceptSymbol(","));
        }
        if (ts_.acceptKeyword("HAVING")) s.having = expression(true);
        if (ts_.acceptKeyword("ORDER")) {
            ts_.expectKeyword("BY");
            do {
                OrderItem o;
                const size_t index = ts_.position();
                if (ts_.peek().is(TokenKind::Number) && (ts_.peek(1).isSymbol(",") || ts_.peek(1).is(TokenKind::End) ||
                                                         ts_.peek(1).isKeyword("ASC") || ts_.peek(1).isKeyword("DESC") ||
                                                         ts_.peek(1).isSymbol(";"))) {
                    ts_.markStructural(index);
                    o.expr = expr::makeLiteral(Value::number(ts_.next().number));
                    o.expr->line = ts_.tokens()[index].line;
                    o.expr->source = ts_.tokens()[index].source;
                } else {
                    o.expr = expression(true);
                }
                if (ts_.acceptKeyword("DESC") || ts_.acceptKeyword("DESCENDING")) o.descending = true;
                else if (!ts_.acceptKeyword("ASC")) ts_.acceptKeyword("ASCENDING");
                s.orderBy.push_back(std::move(o));
            } while (ts_.acceptSymbol(","));
        }
        return s;
    }

    TableRef parseTableRef(bool allowAlias)
    {
        TableRef r;
        const Token& t = ts_.next();
        r.line = t.line;
        if (t.kind == TokenKind::DoubleQuoted || t.kind == TokenKind::SingleQuoted) {
            r.name = t.text;
        } else if (t.kind == TokenKind::Identifier && !expr::isReservedWord(t)) {
            r.name = t.text;
            if (ts_.peek().isSymbol(".") && ts_.peek(1).is(TokenKind::Identifier)) {
                ts_.next();
                r.name += "." + ts_.next().text;
            }
        } else {
            syntaxError(t);
        }
        if (r.name.empty()) syntaxError(t);
        expr::checkNameCharacters(r.name, t.line);
        if (allowAlias) parseAlias(r.alias, true);
        return r;
    }

    std::string columnName()
    {
        const Token& t = ts_.next();
        if (t.kind != TokenKind::Identifier && t.kind != TokenKind::DoubleQuoted) syntaxError(t);
        if (t.kind == TokenKind::Identifier && expr::isReservedWord(t)) syntaxError(t);
        expr::checkNameCharacters(t.text, t.line);
        std::string name = t.text;
        if (ts_.peek().isSymbol(".")) { // "Alias"."FIELD": the field
            ts_.next();
            const Token& f = ts_.next();
            if (f.kind != TokenKind::Identifier && f.kind != TokenKind::DoubleQuoted) syntaxError(f);
            expr::checkNameCharacters(f.text, f.line);
            name = f.text;
        }
        return name;
    }

    void parseDelete(Statement& st)
    {
        ts_.next();
        ts_.expectKeyword("FROM");
        st.kind = StatementKind::Delete;
        st.table = parseTableRef(true);
        if (ts_.acceptKeyword("WHERE")) st.where = expression();
    }

    void parseUpdate(Statement& st)
    {
        ts_.next();
        st.kind = StatementKind::Update;
        st.table = parseTableRef(true);
        ts_.expectKeyword("SET");
        do {
            std::string name = columnName();
            ts_.expectSymbol("=");
            st.assignments.emplace_back(std::move(name), expression());
        } while (ts_.acceptSymbol(","));
        if (ts_.acceptKeyword("WHERE")) st.where = expression();
    }

    void parseInsert(Statement& st)
    {
        ts_.next();
        ts_.expectKeyword("INTO");
        st.kind = StatementKind::Insert;
        st.table = parseTableRef(false);
        if (ts_.acceptSymbol("(")) {
            do {
                st.columns.push_back(columnName());
            } while (ts_.acceptSymbol(","));
            ts_.expectSymbol(")");
        }
        if (ts_.peek().isKeyword("SELECT")) {
            st.insertSelect = true;
            st.select = parseSelect();
            return;
        }
        ts_.expectKeyword("VALUES");
        do {
            ts_.expectSymbol("(");
            std::vector<NodePtr> row;
            do {
                row.push_back(expression());
            } while (ts_.acceptSymbol(","));
            ts_.expectSymbol(")");
            st.values.push_back(std::move(row));
        } while (ts_.acceptSymbol(","));
    }

    ColumnDef columnDef()
    {
        ColumnDef c;
        c.line = ts_.peek().line;
        c.name = columnName();
        c.type = expr::parseTypeName(ts_);
        return c;
    }

    void parseAlter(Statement& st)
    {
        ts_.next();
        ts_.expectKeyword("TABLE");
        st.kind = StatementKind::AlterAdd;
        st.table = parseTableRef(false);
        ts_.expectKeyword("ADD");
        do {
            ts_.acceptKeyword("ADD");
            ts_.acceptKeyword("COLUMN");
            st.columnDefs.push_back(columnDef());
        } while (ts_.acceptSymbol(","));
    }

    void parseCreate(Statement& st)
    {
        ts_.next();
        ts_.expectKeyword("TABLE");
        st.kind = StatementKind::Create;
        st.table = parseTableRef(false);
        ts_.expectSymbol("(");
        do {
            st.columnDefs.push_back(columnDef());
        } while (ts_.acceptSymbol(","));
        ts_.expectSymbol(")");
    }

    TokenStream& ts_;
};

} // namespace

Statement parseStatement(TokenStream& ts) { return StatementParser(ts).parse(); }

Statement parseStatement(std::string_view text)
{
    TokenStream ts(expr::tokenize(text));
    return parseStatement(ts);
}

} // namespace trevo::engine::sql
