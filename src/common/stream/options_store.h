#pragma once
// The stored options in the Paradox table KEGELCFG.DB of the program folder: the
// record whose BEZEICHNUNG is "Standard-Konfiguration" holds the options' object
// stream in its RESOURCE memo.
#include "engine/paradox/paradox_table.h"
#include "engine/storage/storage.h"
#include "common/stream/stored_options.h"

#include <memory>
#include <string>

namespace trevo::common {

inline constexpr const char* kConfigFileName = "KEGELCFG.DB";
inline constexpr const char* kConfigRecordName = "Standard-Konfiguration";
// "Die Konfigurationsdatenbank KEGELCFG.DB fehlt"
std::string configMissingText();

enum class OptionsLoadStatus {
    Loaded,     // the record was read
    FileMissing, // no KEGELCFG.DB in the folder
    NoRecord,   // the table has no record "Standard-Konfiguration"
    Unreadable, // the table or the record is damaged or foreign
};

struct OptionsLoadResult {
    StoredOptions options;
    OptionsLoadStatus status = OptionsLoadStatus::Loaded;
    std::string message; // German, empty when loaded
};

// Never throws for a missing, damaged or foreign table: the defaults stay and the
// status and message tell what happened.
OptionsLoadResult loadStoredOptions(engine::Storage& storage, const std::string& programFolder,
                                    const StoredOptions& defaults = {});

// Replaces the stream of the record, or appends the record (ID from the table) when
// there is none. Runs as one atomic change (joins an active one). Throws
// engine::EngineError with configMissingText() when the table is missing, and the
// errors of the table otherwise.
void saveStoredOptions(engine::Storage& storage, const std::string& programFolder,
                       const StoredOptions& options);

// The fields of the options table: auto-increment ID (the key), BEZEICHNUNG alpha 60
// with the secondary index "BEZEICHNUNG", RESOURCE memo with 128 bytes in the record.
engine::paradox::PxTableInfo optionsTableInfo();
inline constexpr int kOptionsNameField = 1;
inline constexpr int kOptionsResourceField = 2;

// Creates an empty options table at `path`; must run inside an atomic scope.
std::unique_ptr<engine::paradox::ParadoxTable> createOptionsTable(engine::Storage& storage,
                                                                  const std::string& path);

} // namespace trevo::common
