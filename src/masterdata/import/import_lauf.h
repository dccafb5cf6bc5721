#pragma once
// The import run: every record of the source is appended to the target, or changes the
// target record of the same running number when key matching is on. It writes through
// the dialog's own cursor on the target, so that none of the data module's rules run:
// an imported record holds exactly what the import writes.
#include "engine/dataset/table_data_set.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace trevo::data {
class TDBTools;
}

namespace trevo::masterdata {

// For each target field in table order: the connected source field's position, or -1.
using Verbindungen = std::vector<int>;

struct Importergebnis {
    int gespeichert = 0;             // records stored (appended or changed)
    std::optional<QString> fehler;   // the store's message when a record ended the import
};

// Runs the import from the first to the last source record. `fortschritt` gets
// round(k / n * 100) before record k is written. `schluessel` is the source field
// connected to NUMMER (key matching) or -1. A record that does not convert or that the
// store refuses ends the run: it is dropped, the records stored before remain.
Importergebnis ImportAusfuehren(engine::TableDataSet& ziel, engine::TableDataSet& quelle,
                                const Verbindungen& verbindungen, int schluessel, data::TDBTools& werkzeuge,
                                const std::function<void(int)>& fortschritt);

} // namespace trevo::masterdata
