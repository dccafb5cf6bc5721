#pragma once
// The own cursor of a search dialog: the table file the dialog was last prepared for and
// its fields. Preparing it for another file reloads the fields; preparing it again for
// the same file keeps everything, so the dialog keeps its field and texts.
#include "engine/dbf/field.h"

#include <string>
#include <vector>

namespace trevo::engine {
class Database;
}

namespace trevo::shell::stammdaten {

class TabellenFelder {
public:
    // Points the cursor at folder + file. Returns true when it was not open for that file
    // and its fields were loaded now (the dialog then fills its lists and clears its
    // texts), false when it was open for it already. Memo fields are listed only with
    // withMemos. Errors of opening the file reach the caller; the cursor stays closed.
    bool setzen(engine::Database& db, const std::string& folder, const std::string& file, bool withMemos);

    bool offen() const { return open_; }
    void schliessen() { open_ = false; }
    const std::string& pfad() const { return path_; }
    // The listed fields in table order.
    const std::vector<engine::FieldDef>& felder() const { return fields_; }
    // The listed field of that name (without regard to case); nullptr when absent.
    const engine::FieldDef* feld(const std::string& name) const;

private:
    std::string path_;
    std::vector<engine::FieldDef> fields_;
    bool open_ = false;
};

// Folder + file name; a folder without its closing separator gets one.
std::string tabellenPfad(const std::string& folder, const std::string& file);
// The two halves of a table path: the folder with its closing separator, and the file name.
std::pair<std::string, std::string> ordnerUndDatei(const std::string& path);

} // namespace trevo::shell::stammdaten
