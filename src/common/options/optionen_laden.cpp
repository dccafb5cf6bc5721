#include "common/options/optionen_laden.h"

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

void logoUndDatenordner(TProgrammoptionen& optionen, Programmpfade& pfade, engine::Storage& storage,
                        Dialoge& dialoge)
{
    optionen.logo.clear();
    if (!optionen.gespeichert.logoFilename.empty()) {
        LogoErgebnis logo = LogoLaden(storage.fs(), optionen.gespeichert.logoFilename, pfade.programmordner);
        if (logo.fehler.empty())
            optionen.logo = std::move(logo.bytes);
        else
            dialoge.meldung(logo.fehler);
    }
    if (!optionen.gespeichert.datenordner.empty()) pfade.datenordner = mitTrenner(optionen.gespeichert.datenordner);
}

} // namespace

bool OptionenLaden(TProgrammoptionen& optionen, Programmpfade& pfade, engine::Storage& storage, Dialoge& dialoge)
{
    const OptionsLoadResult r = loadStoredOptions(storage, pfade.konfigurationsordner, optionen.gespeichert);
    switch (r.status) {
    case OptionsLoadStatus::FileMissing:
        dialoge.meldung(configMissingText());
        return false;
    case OptionsLoadStatus::Unreadable:
        dialoge.fehler(r.message);
        return false;
    case OptionsLoadStatus::NoRecord:
        logoUndDatenordner(optionen, pfade, storage, dialoge);
        return false;
    case OptionsLoadStatus::Loaded:
        optionen.gespeichert = r.options;
        logoUndDatenordner(optionen, pfade, storage, dialoge);
        return true;
    }
    return false;
}

bool OptionenSpeichern(const TProgrammoptionen& optionen, const Programmpfade& pfade, engine::Storage& storage,
                       Dialoge& dialoge)
{
    if (!konfigurationVorhanden(storage, pfade)) {
        dialoge.meldung(configMissingText());
        return false;
    }
    try {
        saveStoredOptions(storage, pfade.konfigurationsordner, optionen.gespeichert);
        return true;
    } catch (const engine::EngineError& e) {
        dialoge.fehler(std::string("Die Optionen konnten nicht gespeichert werden: ") + e.what());
        return false;
    }
}

} // namespace trevo::common
