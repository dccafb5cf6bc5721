#pragma once
// The window codes of the child windows. The same numbers are used by the menus, the
// guide window and every window that activates a neighbour.
#include <QString>

namespace trevo::common {

namespace Fenster {
constexpr int Termine = 1;      // evening window, also every code outside this list
constexpr int Mitglieder = 5;
constexpr int Spiele = 6;
constexpr int Sonstige = 9;
constexpr int Terminplan = 10;
constexpr int Aemter = 11;
constexpr int Terminarten = 12;
constexpr int Kegelkasse = 13;
constexpr int Optionen = 14;
constexpr int Waehrungen = 15;
constexpr int SQLAbfrage = 29;
constexpr int Auswerten = 100;
} // namespace Fenster

// True for the codes of the list above.
bool isWindowCode(int code);
// The code whose window is meant: codes outside the list mean the evening window.
int effectiveWindowCode(int code);
// The caption of the window of a code ("Mitglieder", "Sonstige Beträge"); empty for others.
QString windowCaption(int code);

} // namespace trevo::common
