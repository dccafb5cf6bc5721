#include "masterdata/datenzugang.h"

#include "engine/core/error.h"

namespace trevo::masterdata {

namespace {
Datenzugang* current = nullptr;
}

Datenzugang& datenzugang()
{
    if (!current) throw engine::EngineError("Die Datenbank ist nicht geöffnet");
    return *current;
}

bool hatDatenzugang() { return current != nullptr; }

void setDatenzugang(Datenzugang* access) { current = access; }

} // namespace trevo::masterdata
