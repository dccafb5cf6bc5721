#include "data/store/demo_club.h"

#include "engine/core/error.h"
#include "data/store/demo_builder.h"
#include "data/store/schema.h"

namespace trevo::data {

DemoResult createDemoClub(engine::Database& db, const std::string& folder, const DemoOptions& options)
{
    if (options.years < 1 || options.years > 50)
        throw engine::ValueError("Die Anzahl der Jahre muss zwischen 1 und 50 liegen");
    if (options.bowlers < 2 || options.bowlers > 500)
        throw engine::ValueError("Die Anzahl der Kegler muss zwischen 2 und 500 liegen");
    ensureFolder(db.fs(), folder);
    DemoResult result;
    // Never overwrite: one existing file and nothing is created.
    for (const TableSchema& t : allTables()) {
        for (const std::string& f : {t.fileName, memoFileName(t.fileName)})
            if ((f == t.fileName || t.hasMemo()) && !existingFile(db.fs(), folder, f).empty())
                result.report.unchanged.push_back(f);
    }
    if (!result.report.unchanged.empty()) return result;

    auto rows = DemoBuilder(options).build();
    engine::Session& session = db.session("Demo");
    session.atomically([&] {
        for (const TableSchema& t : allTables()) db.createTable(engine::joinPath(folder, t.fileName), t.fieldDefs());
    });
    // One transaction per table.
    for (const TableSchema& t : allTables()) {
        auto table = db.table(engine::joinPath(folder, t.fileName));
        const auto& records = rows[t.fileName];
        session.startTransaction();
        try {
            session.atomically([&] {
                for (const auto& r : records) table->append(r);
            });
            session.commit();
        } catch (...) {
            if (session.inTransaction()) session.rollback();
            throw;
        }
        result.rowCounts[t.fileName] = records.size();
        result.report.created.push_back(t.fileName);
        if (t.hasMemo()) result.report.created.push_back(memoFileName(t.fileName));
    }
    return result;
}

} // namespace trevo::data
