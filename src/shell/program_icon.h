#pragma once
// The program's icon: a teal disc with a white nine, for the nine pins.
#include <QIcon>

namespace trevo::shell {

QIcon programIcon();

} // namespace trevo::shell
