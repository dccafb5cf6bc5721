// Feeds bytes to the object stream reader and to the stored options read from it, as the
// start of the program does with the memo of KEGELCFG.DB. Every input either reads or
// fails with an engine error. Whatever reads is written again; from then on writing and
// reading must not change the bytes any more.
#include "common/stream/object_stream_reader.h"
#include "common/stream/object_stream_writer.h"
#include "common/stream/stored_options.h"
#include "engine/core/error.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace trevo;
using namespace trevo::common;

namespace {

void writtenAgainIsStable(const StreamObject& object)
{
    std::string once;
    try {
        once = writeObjectStream(object);
    } catch (const engine::ValueError&) {
        return; // read, but not writable (e.g. a name that grows past 255 bytes in 1252)
    }
    if (writeObjectStream(readObjectStream(once)) != once) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        writtenAgainIsStable(readObjectStream(bytes));
    } catch (const engine::FormatError&) {
    }
    try {
        const std::string stream = optionsToStream(optionsFromStream(bytes));
        if (optionsToStream(optionsFromStream(stream)) != stream) std::abort();
    } catch (const engine::FormatError&) {
    }
    return 0;
}
