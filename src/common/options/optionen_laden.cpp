#include "common/options/optionen_laden.h"

#include "common/dialogs/dialogs.h"

#include "engine/core/error.h"
#include "engine/fs/file_system.h"
#include "common/options/logo.h"
#include "common/stream/options_store.h"

namespace trevo::common {
namespace {

bool konfigurationVorhanden(engine::Storage& storage, const Programmpfade& pfade)
{
    const std::string pfad = engine::resolveCaseInsensitive(
        storage.fs(), engine::joinPath(pfade.konfigurationsordner, kConfigFileName));
    return storage.exists(pfad);
}

void logoUndDatenordner(TProgrammoptionen& optionen, Programmpfade& pfade, engine::Storage& storage)
{
    optionen.logo.clear();
    if (!optionen.gespeichert.logoFilename.empty()) {
        LogoErgebnis logo = LogoLaden(storage.fs(), optionen.gespeichert.logoFilename, pfade.programmordner);
        if (logo.fehler.empty())
            optionen.logo = std::move(logo.bytes);
        else
            dialogs().message(QString::fromStdString(logo.fehler));
    }
    if (!optionen.gespeichert.datenordner.empty()) pfade.datenordner = mitTrenner(optionen.gespeichert.datenordner);
}

} // namespace

bool OptionenLaden(TProgrammoptionen& optionen, Programmpfade& pfade, engine::Storage& storage)
{
    const OptionsLoadResult r = loadStoredOptions(storage, pfade.konfigurationsordner, optionen.gespeichert);
    switch (r.status) {
    case OptionsLoadStatus::FileMissing:
        dialogs().message(QString::fromStdString(configMissingText()));
        return false;
    case OptionsLoadStatus::Unreadable:
        dialogs().error(QString::fromStdString(r.message));
        return false;
    case OptionsLoadStatus::NoRecord:
        logoUndDatenordner(optionen, pfade, storage);
        return false;
    case OptionsLoadStatus::Loaded:
        optionen.gespeichert = r.options;
        logoUndDatenordner(optionen, pfade, storage);
        return true;
    }
    return false;
}

bool OptionenSpeichern(const TProgrammoptionen& optionen, const Programmpfade& pfade, engine::Storage& storage)
{
    if (!konfigurationVorhanden(storage, pfade)) {
        dialogs().message(QString::fromStdString(configMissingText()));
        return false;
    }
    try {
        saveStoredOptions(storage, pfade.konfigurationsordner, optionen.gespeichert);
        return true;
    } catch (const engine::EngineError& e) {
        dialogs().error(QStringLiteral("Die Optionen konnten nicht gespeichert werden: ") + QString::fromUtf8(e.what()));
        return false;
    }
}

} // namespace trevo::common
