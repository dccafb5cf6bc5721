#include "shell/window_registry.h"
#include <QString>
