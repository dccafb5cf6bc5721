#include "reports/data/report_data.h"

#include "engine/core/error.h"
#include "engine/fs/file_system.h"
#include "reports/data/field_check.h"

namespace trevo::reports {
namespace {

std::string utf8(const QString& s)
{
    return s.toStdString();
}

} // namespace

std::string tablePath(engine::FileSystem& fs, const std::string& folder, const std::string& fileName)
{
    return engine::resolveCaseInsensitive(fs, engine::joinPath(folder, fileName));
}

ReportData::ReportData(engine::Database& db, engine::Session& session, FolderFinder folder)
    : db_(db), session_(session), folder_(std::move(folder))
{
}

ReportData::~ReportData() = default;

void ReportData::close()
{
    sets_.clear();
}

void ReportData::open(const Layout& layout)
{
    close();
    for (const DataSource& s : layout.sources) sets_[s.name.toUpper()] = openSource(s);
    checkFieldReferences(layout, *this);
}

std::unique_ptr<engine::TableDataSet> ReportData::openSource(const DataSource& s)
{
    const std::string fileName = utf8(s.fileName);
    const std::string folder = folder_ ? folder_(fileName) : std::string();
    const std::string path = tablePath(db_.fs(), folder, fileName);
    if (!db_.fs().exists(path))
        throw engine::EngineError("Die Tabelle " + fileName + " der Datenquelle " + utf8(s.name) + " fehlt im Ordner '" +
                                  folder + "'.");
    auto set = std::make_unique<engine::TableDataSet>(db_, session_, path);
    set->setName(utf8(s.name));
    set->setReadOnly(true);
    const std::string where = "Datenquelle " + utf8(s.name) + " (" + fileName + "): ";
    try {
        if (!s.order.isEmpty()) set->setIndex(utf8(s.order));
        set->open();
        if (!s.filter.isEmpty()) {
            set->setFilterText(utf8(s.filter));
            set->setFiltered(true);
        }
        set->first();
    } catch (const engine::EngineError& e) {
        throw engine::EngineError(where + e.what());
    }
    return set;
}

engine::TableDataSet* ReportData::dataSet(const QString& source) const
{
    const auto it = sets_.find(source.toUpper());
    return it == sets_.end() ? nullptr : it->second.get();
}

engine::TableDataSet& ReportData::require(const QString& source) const
{
    engine::TableDataSet* set = dataSet(source);
    if (!set) throw engine::EngineError("Die Datenquelle " + utf8(source) + " ist nicht geöffnet.");
    return *set;
}

int ReportData::fieldIndex(const QString& source, const QString& field) const
{
    engine::TableDataSet& set = require(source);
    const int i = set.fieldIndex(utf8(field));
    if (i < 0)
        throw engine::EngineError("Die Tabelle " + engine::fileNameOf(set.path()) + " der Datenquelle " + utf8(source) +
                                  " hat kein Feld " + utf8(field) + ".");
    return i;
}

const engine::FieldDef& ReportData::fieldDef(const QString& source, const QString& field) const
{
    return require(source).field(fieldIndex(source, field)).def;
}

engine::Value ReportData::value(const QString& source, const QString& field) const
{
    const int i = fieldIndex(source, field);
    engine::TableDataSet& set = require(source);
    if (set.isEmpty()) return {};
    return set.value(i);
}

} // namespace trevo::reports
