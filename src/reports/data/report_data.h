#pragma once
// The tables a report reads, opened through the engine's data sets. Before each table
// opens, the folder call-back names the folder that holds it; the file name is matched
// without regard to case there. Every data set is read-only and carries the source's
// filter and order. The detail band's source is walked by the renderer; every other
// source stays on its first record.
//
// Every failure throws engine::EngineError with a German text that names the table.
#include "engine/core/value.h"
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "reports/model/layout.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace trevo::reports {

// The folder that holds a table, given its file name ("AUSWERTU.DBF").
using FolderFinder = std::function<std::string(const std::string& fileName)>;

class ReportData {
public:
    ReportData(engine::Database& db, engine::Session& session, FolderFinder folder);
    ~ReportData();
    ReportData(const ReportData&) = delete;
    ReportData& operator=(const ReportData&) = delete;

    // Opens every source of the layout and checks the fields its elements name;
    // whatever was open before is closed first.
    void open(const Layout& layout);
    void close();

    // The open data set of a source (name without regard to case), or null.
    engine::TableDataSet* dataSet(const QString& source) const;
    // The field of a source; EngineError naming both when either is unknown.
    int fieldIndex(const QString& source, const QString& field) const;
    const engine::FieldDef& fieldDef(const QString& source, const QString& field) const;
    // The field in the current record of the source (NULL when the source has none).
    engine::Value value(const QString& source, const QString& field) const;

private:
    engine::TableDataSet& require(const QString& source) const;
    std::unique_ptr<engine::TableDataSet> openSource(const DataSource& s);

    engine::Database& db_;
    engine::Session& session_;
    FolderFinder folder_;
    std::map<QString, std::unique_ptr<engine::TableDataSet>> sets_; // by upper-case source name
};

// The path of a table file in the folder, in the spelling the folder holds.
std::string tablePath(engine::FileSystem& fs, const std::string& folder, const std::string& fileName);

} // namespace trevo::reports
