#pragma once
// What the evening window needs of the data module beyond the data access of the
// master-data windows: the module itself (the shared game section, the evening
// transaction, the participants query and the single-value questions), statements over
// the table files in the evening session or the default session, and the program options
// (the price list and input currency that new evenings and price lists take).
#include "engine/sql/result.h"

#include <string>
#include <vector>

namespace trevo::common {
class TProgrammoptionen;
}

namespace trevo::data {
class TKeDataForm;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::evenings {

class Abenddaten {
public:
    explicit Abenddaten(shell::stammdaten::Datenzugang& zugang) : zugang_(zugang) {}

    shell::stammdaten::Datenzugang& zugang() const { return zugang_; }
    // The data module now; EngineError "Die Datenbank ist nicht geöffnet" while there is none.
    data::TKeDataForm& modul() const;
    // The program options, nullptr while the data access offers none.
    common::TProgrammoptionen* optionen() const;

    // The quoted full path of a table file of the data folder.
    std::string datei(const char* file) const;
    // Runs a SELECT in the default session.
    engine::sql::QueryResult abfrage(const std::string& statement) const;
    // Runs a changing statement in the evening session, so that it belongs to an open
    // evening transaction.
    void ausfuehren(const std::string& statement) const;

private:
    shell::stammdaten::Datenzugang& zugang_;
};

// The statement lines joined by line breaks.
std::string zeilen(const std::vector<std::string>& lines);

} // namespace trevo::evenings
