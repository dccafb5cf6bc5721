#pragma once
// The stored program options: the part of the options object that is kept in the
// record "Standard-Konfiguration" of KEGELCFG.DB, with its defaults. The options
// object of the program wraps this record.
#include "common/stream/stream_value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trevo::common {

struct StoredOptions {
    // Report files.
    std::string mitgliederlistFilename = "MITGLIEDERLIST.QR2";
    std::string kegellistFilename = "KEGELLISTE.QR2";
    std::string spielelistFilename = "SPIELELISTE.QR2";
    std::string sonstigeListFilename = "SONSTIGE.QR2";
    std::string auswertungsreportFilename = "ERGEBNISSE1.QR2";
    std::string zeitraumAuswertungsreportFilename = "ZEITRAUM.QR2";
    std::string ranglisteAuswertungsreportFilename = "RANGLISTE.QR2";
    std::string terminlistFilename = "TERMINLISTE.QR2";
    std::string terminplanlistFilename = "TERMPLAN.QR2";
    std::string termintyplistFilename = "TERMART.QR2";
    std::string kontolistFilename = "KEGELKASSE.QR2";
    std::string blankolistFilename = "BLANKOLISTE.QR2";
    std::string waehrungslisteFilename = "WAEHRUNGSLISTE.QR2";
    std::string aemterlisteFilename = "AEMTERLISTE.QR2";
    // Folders: empty data folder means the program folder.
    std::string datenordner;
    std::string backuppfad = ".\\";
    bool showLotseAtStart = true;
    double eurokurs = 1.95583;
    uint8_t waehrung = 1;
    uint8_t stellenWaehrungsumrechnung = 2;
    int32_t eingabewaehrung = 1;
    std::string logoFilename;
    // Beyond the old record: a backup at the end of a run that changed data.
    bool automatischSichern = true;

    friend bool operator==(const StoredOptions&, const StoredOptions&) = default;
};

// The text option of that name, compared without regard to case ("mitgliederlistFILENAME");
// nullptr when there is no text option of that name.
const std::string* textOption(const StoredOptions& options, std::string_view name);

// Class and object name of the stored options object.
inline constexpr const char* kOptionsClass = "TProgrammoptionen";
inline constexpr const char* kOptionsObject = "Programmoptionen";

// The object stream of the options: the stored options in their order, nothing else.
std::string optionsToStream(const StoredOptions& options);
// Reads a stream written by this program or by the old one. Properties it does not
// know (window position, font, caption, ...) are skipped; options missing from the
// stream keep the values of `base`. Throws engine::FormatError (German text) for a
// damaged stream or an option whose value has the wrong type or range; nothing of
// the stream is taken over then.
StoredOptions optionsFromStream(std::string_view stream, const StoredOptions& base = {});

} // namespace trevo::common
