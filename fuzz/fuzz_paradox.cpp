// Feeds bytes to the Paradox table reader. The first byte chooses the role of the rest:
//   even  the .DB alone
//   odd   a .MB beside an intact options table whose record keeps its value in the .MB:
//         in a block of its own when the byte is 1, else (from 3 on) in slot (byte / 2) % 64
//         of a sub-allocated block at 4096
// Whatever decodes is written again and must decode to the same records.
#include "engine/core/error.h"
#include "engine/paradox/px_codec.h"
#include "engine/paradox/px_values.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace trevo::engine;
using namespace trevo::engine::paradox;

namespace {

PxFiles intact()
{
    PxTableData t;
    t.info.fields = {{"ID", PxType::AutoInc, 4}, {"BEZEICHNUNG", PxType::Alpha, 60}, {"RESOURCE", PxType::Memo, 138}};
    t.info.keyFields = 1;
    t.records = {{Value::number(1), Value::text("Standard-Konfiguration"), Value::text(std::string(700, 'r'))}};
    return encodeTable(t, "KEGELCFG.DB", 1);
}

// The intact table with its memo pointing at a slot of the block at 4096.
Bytes pointingToSlot(const Bytes& db, unsigned slot)
{
    Bytes out = db;
    writeBlobPointer(&out[0x800 + 6 + 4 + 60 + 128], {4096u | slot, 200, 1});
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    static const PxFiles base = intact();
    const Bytes input(data + 1, data + size);
    const bool memo = data[0] & 1;
    const unsigned slot = (data[0] >> 1) % 64;
    try {
        const PxTableData t = !memo ? decodeTable(input, nullptr, "F.DB", "F.MB")
                              : data[0] == 1 ? decodeTable(base.db, &input, "F.DB", "F.MB")
                                             : decodeTable(pointingToSlot(base.db, slot), &input, "F.DB", "F.MB");
        try {
            const PxFiles again = encodeTable(t, "F.DB", -1);
            const PxTableData back = decodeTable(again.db, again.mb ? &*again.mb : nullptr, "F.DB", "F.MB");
            if (back.records.size() != t.records.size()) std::abort();
        } catch (const ValueError&) {
            // a value that was readable but does not fit again (e.g. an unknown character)
        }
    } catch (const EngineError&) {
    }
    return 0;
}
