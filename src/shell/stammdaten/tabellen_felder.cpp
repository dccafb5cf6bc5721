#include "shell/stammdaten/tabellen_felder.h"

#include "engine/core/collation.h"
#include "engine/database.h"

namespace trevo::shell::stammdaten {

namespace {

bool sameText(const std::string& a, const std::string& b)
{
    return engine::toUpperGerman(a) == engine::toUpperGerman(b);
}

} // namespace

std::string tabellenPfad(const std::string& folder, const std::string& file)
{
    if (folder.empty()) return file;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + file;
    return folder + '/' + file;
}

std::pair<std::string, std::string> ordnerUndDatei(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return {std::string(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

bool TabellenFelder::setzen(engine::Database& db, const std::string& folder, const std::string& file,
                            bool withMemos)
{
    const std::string path = tabellenPfad(folder, file);
    if (!sameText(path, path_)) {
        open_ = false;
        path_ = path;
    }
    if (open_) return false;
    const auto table = db.table(path_);
    fields_.clear();
    for (const engine::FieldDef& f : table->fields())
        if (withMemos || f.type != 'M') fields_.push_back(f);
    open_ = true;
    return true;
}

const engine::FieldDef* TabellenFelder::feld(const std::string& name) const
{
    for (const engine::FieldDef& f : fields_)
        if (sameText(f.name, name)) return &f;
    return nullptr;
}

} // namespace trevo::shell::stammdaten
