#include "common/fenster/window_codes.h"

namespace trevo::common {

QString windowCaption(int code)
{
    switch (code) {
    case Fenster::Termine: return QStringLiteral("Termine");
    case Fenster::Mitglieder: return QStringLiteral("Mitglieder");
    case Fenster::Spiele: return QStringLiteral("Spiele");
    case Fenster::Sonstige: return QStringLiteral("Sonstige Beträge");
    case Fenster::Terminplan: return QStringLiteral("Terminplan");
    case Fenster::Aemter: return QStringLiteral("Ämter");
    case Fenster::Terminarten: return QStringLiteral("Terminarten");
    case Fenster::Kegelkasse: return QStringLiteral("Kegelkasse");
    case Fenster::Optionen: return QStringLiteral("Optionen");
    case Fenster::Waehrungen: return QStringLiteral("Währungen");
    case Fenster::SQLAbfrage: return QStringLiteral("SQL-Abfrage");
    case Fenster::Auswerten: return QStringLiteral("Auswerten");
    default: return {};
    }
}

bool isWindowCode(int code)
{
    return !windowCaption(code).isEmpty();
}

int effectiveWindowCode(int code)
{
    return isWindowCode(code) ? code : Fenster::Termine;
}

} // namespace trevo::common
