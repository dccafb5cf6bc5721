#pragma once
// The pictures of the master-data toolbar, drawn in code so that they look the same on
// every desktop.
#include <QIcon>

namespace trevo::shell::stammdaten {

enum class Symbol { Zurueck, Neu, Aendern, Sortieren, Bereich, Suchen, Weitersuchen, Lotse };

QIcon symbol(Symbol s);

} // namespace trevo::shell::stammdaten
