#include "shell/tabellenhinweise.h"

#include "common/dialogs/dialogs.h"
#include "data/store/tabellenhinweise.h"

namespace trevo::shell {

bool TabellenhinweiseZeigen(const std::vector<std::string>& hinweise)
{
    if (hinweise.empty()) return false;
    QString text = QStringLiteral("Beim Öffnen der Tabellen ist aufgefallen:");
    for (const std::string& h : hinweise) text += QStringLiteral("\n\n") + QString::fromStdString(h);
    common::dialogs().show(common::BoxKind::Warning, text, common::Buttons::Ok);
    return true;
}

bool TabellenhinweiseZeigen(data::TKeDataForm& modul, engine::Database& db)
{
    return TabellenhinweiseZeigen(data::tabellenHinweise(modul, db));
}

} // namespace trevo::shell
