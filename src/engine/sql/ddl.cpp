// Statements that change the structure of tables: ALTER TABLE ... ADD rewrites the
// table with the new columns at the end (NULL in every record, memos and deleted
// records kept), CREATE TABLE makes a new dBASE IV table, DROP TABLE removes one.
#include "engine/expr/bind.h"
#include "engine/expr/error.h"
#include "engine/sql/prepared.h"
#include "engine/sql/tables.h"

#include <algorithm>

namespace trevo::engine::sql {

using expr::SqlError;

namespace {

std::string checkedFieldName(const ColumnDef& c)
{
    std::string name = expr::upperAscii(c.name);
    const bool ok = !name.empty() && name.size() <= 10 &&
                    std::all_of(name.begin(), name.end(), [](char ch) {
                        return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
                    }) &&
                    !(name[0] >= '0' && name[0] <= '9');
    if (!ok)
        throw SqlError("Ungültiger Feldname '" + c.name + "' (höchstens 10 Buchstaben, Ziffern oder _) in Zeile " +
                       std::to_string(c.line));
    return name;
}

FieldDef fieldOf(const ColumnDef& c)
{
    FieldDef f;
    f.name = checkedFieldName(c);
    f.type = c.type.type;
    f.length = static_cast<uint8_t>(c.type.length);
    f.decimals = static_cast<uint8_t>(c.type.decimals);
    return f;
}

std::string memoPathOf(Database& db, const std::string& path)
{
    const size_t dot = path.rfind('.');
    const std::string base = dot == std::string::npos || dot < path.rfind('/') ? path : path.substr(0, dot);
    return resolveCaseInsensitive(db.fs(), base + ".DBT");
}

void removeTableFiles(Database& db, const std::string& path)
{
    db.storage().remove(path);
    const std::string memo = memoPathOf(db, path);
    if (db.storage().exists(memo)) db.storage().remove(memo);
}

} // namespace

std::vector<FieldDef> PreparedStatement::newFields(const std::vector<FieldDef>& existing) const
{
    std::vector<FieldDef> fields = existing;
    for (const auto& c : columnDefs_) {
        FieldDef f = fieldOf(c);
        for (const auto& e : fields)
            if (e.name == f.name) throw SqlError("Das Feld '" + f.name + "' gibt es schon (Zeile " + std::to_string(c.line) + ")");
        fields.push_back(f);
    }
    return fields;
}

QueryResult PreparedStatement::alter(Database& db, Session& session)
{
    const std::vector<FieldDef> fields = newFields(targetFields_);
    const uint32_t count = target_->recordCount();
    std::vector<Record> records;
    std::vector<bool> deleted;
    records.reserve(count);
    for (uint32_t r = 0; r < count; ++r) {
        Record rec = target_->getRecord(r);
        rec.resize(fields.size());
        records.push_back(std::move(rec));
        deleted.push_back(target_->isDeleted(r));
    }
    const DbfVersion version = target_->version();
    const uint8_t driver = target_->languageDriver();
    db.closeTable(path_);
    target_ = nullptr;
    try {
        session.atomically([&] {
            removeTableFiles(db, path_);
            auto t = db.createTable(path_, fields, version, driver);
            for (size_t r = 0; r < records.size(); ++r) {
                const uint32_t recno = t->append(records[r]);
                if (deleted[r]) t->setDeleted(recno, true);
            }
        });
    } catch (...) {
        db.closeTable(path_); // the next use opens the restored file
        throw;
    }
    QueryResult res;
    res.affected = static_cast<int64_t>(std::count(deleted.begin(), deleted.end(), false));
    return res;
}

QueryResult PreparedStatement::create(Database& db, Session& session)
{
    const std::string path = resolveTablePath(db, folder_, table_.name, false);
    if (db.storage().exists(path)) throw SqlError("Datei '" + table_.name + "' gibt es schon");
    const std::vector<FieldDef> fields = newFields({});
    session.atomically([&] { db.createTable(path, fields); });
    QueryResult res;
    res.affected = 0;
    return res;
}

QueryResult PreparedStatement::drop(Database& db, Session& session)
{
    db.closeTable(path_);
    target_ = nullptr;
    session.atomically([&] { removeTableFiles(db, path_); });
    db.closeTable(path_);
    QueryResult res;
    res.affected = 0;
    return res;
}

} // namespace trevo::engine::sql
