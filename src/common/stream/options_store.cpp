#include "common/stream/options_store.h"

#include "engine/core/error.h"
#include "engine/fs/file_system.h"
#include "engine/storage/session.h"

namespace trevo::common {
namespace {

using engine::Value;
using engine::paradox::ParadoxTable;
using engine::paradox::PxField;
using engine::paradox::PxType;

std::string configPath(engine::Storage& storage, const std::string& folder)
{
    return engine::resolveCaseInsensitive(storage.fs(), engine::joinPath(folder, kConfigFileName));
}

// The options table must at least have the two fields the program uses, of usable types.
void checkLayout(const ParadoxTable& t)
{
    const int name = t.fieldIndex("BEZEICHNUNG");
    const int res = t.fieldIndex("RESOURCE");
    if (name < 0 || res < 0 || t.fields()[name].type != PxType::Alpha ||
        !engine::paradox::isBlobType(t.fields()[res].type))
        throw engine::FormatError(std::string("Die Tabelle ") + kConfigFileName +
                                  " hat nicht die Felder BEZEICHNUNG und RESOURCE");
}

} // namespace

std::string configMissingText() { return std::string("Die Konfigurationsdatenbank ") + kConfigFileName + " fehlt"; }

engine::paradox::PxTableInfo optionsTableInfo()
{
    engine::paradox::PxTableInfo info;
    info.fields = {PxField{"ID", PxType::AutoInc, 4}, PxField{"BEZEICHNUNG", PxType::Alpha, 60},
                   PxField{"RESOURCE", PxType::Memo, 128 + 10}};
    info.keyFields = 1;
    return info;
}

std::unique_ptr<ParadoxTable> createOptionsTable(engine::Storage& storage, const std::string& path)
{
    return ParadoxTable::create(storage, path, optionsTableInfo(), kOptionsNameField);
}

OptionsLoadResult loadStoredOptions(engine::Storage& storage, const std::string& programFolder,
                                    const StoredOptions& defaults)
{
    OptionsLoadResult r;
    r.options = defaults;
    try {
        const std::string path = configPath(storage, programFolder);
        if (!storage.exists(path)) {
            r.status = OptionsLoadStatus::FileMissing;
            r.message = configMissingText();
            return r;
        }
        auto table = ParadoxTable::open(storage, path);
        checkLayout(*table);
        const int name = table->fieldIndex("BEZEICHNUNG");
        const auto pos = table->find(name, Value::text(kConfigRecordName));
        if (!pos) {
            r.status = OptionsLoadStatus::NoRecord;
            return r;
        }
        const Value& res = table->record(*pos)[table->fieldIndex("RESOURCE")];
        r.options = optionsFromStream(res.isText() ? res.text() : std::string(), defaults);
    } catch (const engine::EngineError& e) {
        r.options = defaults;
        r.status = OptionsLoadStatus::Unreadable;
        r.message = std::string("Die Optionen aus ") + kConfigFileName +
                    " konnten nicht gelesen werden: " + e.what();
    }
    return r;
}

void saveStoredOptions(engine::Storage& storage, const std::string& programFolder,
                       const StoredOptions& options)
{
    const std::string path = configPath(storage, programFolder);
    if (!storage.exists(path)) throw engine::EngineError(configMissingText());
    const std::string stream = optionsToStream(options);
    engine::Session session(storage, "Optionen");
    session.atomically([&] {
        auto table = ParadoxTable::open(storage, path);
        checkLayout(*table);
        const int name = table->fieldIndex("BEZEICHNUNG");
        const int res = table->fieldIndex("RESOURCE");
        if (const auto pos = table->find(name, Value::text(kConfigRecordName))) {
            engine::Record rec = table->record(*pos);
            rec[res] = Value::text(stream);
            table->put(*pos, rec);
        } else {
            engine::Record rec(table->fields().size());
            rec[name] = Value::text(kConfigRecordName);
            rec[res] = Value::text(stream);
            table->append(rec);
        }
    });
}

} // namespace trevo::common
