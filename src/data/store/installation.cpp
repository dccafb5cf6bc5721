#include "data/store/installation.h"

#include "engine/core/error.h"
#include "engine/paradox/paradox_table.h"
#include "data/store/schema.h"
#include "common/stream/options_store.h"

namespace trevo::data {
namespace {

using engine::Value;

Value num(double v) { return Value::number(v); }

engine::Record recordOf(const TableSchema& t, std::initializer_list<std::pair<const char*, Value>> values)
{
    engine::Record r(t.fields.size());
    for (const auto& [name, v] : values)
        for (size_t i = 0; i < t.fields.size(); ++i)
            if (t.fields[i].name == name) r[i] = v;
    return r;
}

// The files that would be created for a table, and the first of them that exists.
std::string firstExisting(engine::FileSystem& fs, const std::string& folder, const std::vector<std::string>& names)
{
    for (const auto& n : names)
        if (std::string e = existingFile(fs, folder, n); !e.empty()) return n;
    return {};
}

} // namespace

std::vector<std::string> SetupReport::lines() const
{
    std::vector<std::string> out;
    for (const auto& f : created) out.push_back("Datei '" + f + "' angelegt");
    for (const auto& f : unchanged) out.push_back("Datei '" + f + "' ist schon vorhanden, nichts geändert");
    return out;
}

std::string existingFile(engine::FileSystem& fs, const std::string& folder, const std::string& name)
{
    const std::string path = engine::resolveCaseInsensitive(fs, engine::joinPath(folder, name));
    return fs.exists(path) ? path : std::string();
}

void ensureFolder(engine::FileSystem& fs, const std::string& folder)
{
    if (fs.isDirectory(folder)) return;
    if (fs.exists(folder)) throw engine::IoError("'" + folder + "' ist kein Ordner");
    const std::string parent = engine::directoryOf(engine::normalizePath(folder));
    if (!parent.empty() && parent != folder && !fs.isDirectory(parent)) ensureFolder(fs, parent);
    fs.makeDirectory(folder);
}

std::vector<engine::Record> startingRecords(const std::string& tableFileName, int32_t today)
{
    const TableSchema& t = tableSchema(tableFileName);
    if (t.fileName == tables::Waehrungen)
        return {recordOf(t, {{"NUMMER", num(1)}, {"NAME", Value::text("Euro")}, {"KUERZEL", Value::text("EUR")},
                             {"FAKTOR", num(1)}})};
    if (t.fileName == tables::Kontoinf)
        return {recordOf(t, {{"NUMMER", num(1)}, {"KONTONR", num(1)}, {"WAEHRUNG", num(1)}, {"STARTSALDO", num(0)},
                             {"DATUM", Value::date(engine::daysFromCivil(1990, 1, 1))}, {"KONTOSTAND", num(0)}})};
    if (t.fileName == tables::Sonstyp0)
        return {recordOf(t, {{"NUMMER", num(1)}, {"DATUM", Value::date(today)}, {"WAEHRUNG", num(1)},
                             {"BEITRAG", num(0)}})};
    return {};
}

SetupReport installDataFolder(engine::Database& db, const std::string& folder, int32_t today)
{
    ensureFolder(db.fs(), folder);
    SetupReport report;
    std::vector<const TableSchema*> missing;
    for (const TableSchema& t : allTables()) {
        std::vector<std::string> files{t.fileName};
        if (t.hasMemo()) files.push_back(memoFileName(t.fileName));
        if (std::string e = firstExisting(db.fs(), folder, files); !e.empty()) {
            report.unchanged.push_back(e);
        } else {
            missing.push_back(&t);
            report.created.insert(report.created.end(), files.begin(), files.end());
        }
    }
    db.session().atomically([&] {
        for (const TableSchema* t : missing) {
            auto table = db.createTable(engine::joinPath(folder, t->fileName), t->fieldDefs());
            for (const auto& r : startingRecords(t->fileName, today)) table->append(r);
        }
    });
    return report;
}

SetupReport installProgramFolder(engine::Database& db, const std::string& folder)
{
    ensureFolder(db.fs(), folder);
    SetupReport report;
    const std::vector<std::string> files{common::kConfigFileName, "KEGELCFG.MB", "KEGELCFG.PX", "KEGELCFG.X02",
                                         "KEGELCFG.Y02"};
    if (std::string e = firstExisting(db.fs(), folder, files); !e.empty()) {
        report.unchanged.push_back(e);
        return report;
    }
    db.session().atomically([&] {
        auto table = common::createOptionsTable(db.storage(), engine::joinPath(folder, common::kConfigFileName));
        engine::Record r(table->fields().size());
        r[common::kOptionsNameField] = Value::text(common::kConfigRecordName);
        r[common::kOptionsResourceField] = Value::text(common::optionsToStream(common::StoredOptions()));
        table->append(r);
    });
    report.created = files;
    return report;
}

} // namespace trevo::data
