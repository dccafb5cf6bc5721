#pragma once
// An open Paradox table (.DB with its .MB, .PX and one maintained secondary index).
// The table is small and held in memory; every change rewrites its files through the
// storage layer, so all changes must run inside an atomic scope of a session and a
// crash leaves the files as they were before the change or after it.
#include "engine/paradox/px_types.h"
#include "engine/storage/storage.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trevo::engine::paradox {

class ParadoxTable {
public:
    // Throws EngineError "Datei 'X' nicht gefunden" when missing and FormatError naming
    // the file when it is damaged or no Paradox table.
    static std::unique_ptr<ParadoxTable> open(Storage& storage, const std::string& path);
    // Creates the files of a new table (inside an atomic scope); never overwrites:
    // throws EngineError when the .DB exists. `secondaryField` is the 0-based field of
    // the maintained secondary index, or -1.
    static std::unique_ptr<ParadoxTable> create(Storage& storage, const std::string& path,
                                                const PxTableInfo& info, int secondaryField);

    const std::string& path() const { return path_; }
    const PxTableInfo& info() const { return data_.info; }
    const std::vector<PxField>& fields() const { return data_.info.fields; }
    int fieldIndex(std::string_view name) const; // without regard to case; -1 when absent
    int secondaryField() const { return secondary_; }

    size_t recordCount() const { return data_.records.size(); }
    const Record& record(size_t pos) const { return data_.records.at(pos); } // key order
    // The first record (in the order of the field) whose field equals the value exactly
    // (trailing blanks of texts do not count).
    std::optional<size_t> find(int field, const Value& value) const;
    uint32_t nextAutoIncrement() const;

    // Changes; each rewrites the files. Auto-increment fields get the next value on
    // append and keep theirs on put. Return the record's position after the change.
    size_t append(Record rec);
    size_t put(size_t pos, Record rec);
    void remove(size_t pos);

private:
    ParadoxTable(Storage& storage, std::string path);
    void write();
    void load();
    void watch();
    void sortByKey();
    std::string sibling(const std::string& ext) const;

    Storage& storage_;
    std::string path_;
    PxTableData data_;
    int secondary_ = -1;
    std::shared_ptr<FileImage> dbImage_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0); // guards the rollback listener
};

} // namespace trevo::engine::paradox
