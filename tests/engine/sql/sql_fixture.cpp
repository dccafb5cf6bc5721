#include "sql_fixture.h"

#include "engine/core/error.h"
#include "engine/expr/eval.h"
#include "engine/sql/sql.h"

namespace trevo::engine::sqltest {

SqlFixture::SqlFixture()
{
    fs.makeDirectory("/daten");
    sql::clearStatementCache();
}

void SqlFixture::table(const std::string& file, const std::vector<FieldDef>& fields, const std::vector<Record>& rows)
{
    Session& s = db.session();
    s.atomically([&] { db.createTable(path(file), fields); });
    append(file, rows);
}

void SqlFixture::append(const std::string& file, const std::vector<Record>& rows)
{
    auto t = db.table(path(file));
    db.session().atomically([&] {
        for (const auto& r : rows) t->append(r);
    });
}

sql::QueryResult SqlFixture::run(const std::string& text) { return sql::execute(db, db.session(), text, folder); }

std::string cell(const Value& v)
{
    if (v.isNull()) return "NULL";
    if (v.isNumber()) return expr::numberText(v.number());
    if (v.isLogical()) return v.logical() ? "T" : "F";
    return v.toText();
}

std::vector<std::string> lines(const sql::QueryResult& r)
{
    std::vector<std::string> out;
    for (const auto& row : r.rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            if (i) line += "\t";
            line += cell(row[i]);
        }
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> SqlFixture::rows(const std::string& text) { return lines(run(text)); }

std::string SqlFixture::error(const std::string& text)
{
    try {
        run(text);
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

Value N(double v) { return Value::number(v); }
Value T(const std::string& v) { return Value::text(v); }
Value D(int day, int month, int year) { return Value::date(daysFromCivil(year, month, day)); }
Value L(bool v) { return Value::logical(v); }

} // namespace trevo::engine::sqltest
