// Feeds bytes to the reader of the rollback journal, which recovery trusts to write into
// the files of a folder. The first byte chooses:
//   even  the rest as it is
//   odd   the rest with the checksums of the header and of every entry made right, so
//         that the entries are read and not only refused at their checksum
// Whatever is read must stay within what a rollback may do: plain names, pages inside
// the file before the commit, checks of at most a page inside the file after it.
#include "engine/storage/batch_impl.h"
#include "engine/storage/checksum.h"
#include "engine/storage/journal.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace trevo::engine::detail;

namespace {

uint64_t get(const uint8_t* p, int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

void set(uint8_t* p, uint64_t v, int n)
{
    for (int i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void repairChecksums(std::vector<uint8_t>& j)
{
    if (j.size() < journalPrefixSize) return;
    set(j.data() + 28, crc32(j.data() + 4, 24), 4);
    // The reader takes the salt from the header when it bears the name, else from the salt block.
    const bool named = std::memcmp(j.data() + 4, "TRVOJNL1", 8) == 0;
    uint8_t salt[8];
    set(salt, get(j.data() + (named ? 16 : journalHeaderSize), 8), 8);
    for (size_t pos = journalPrefixSize; j.size() - pos >= 9;) {
        const uint64_t len = get(j.data() + pos, 4);
        if (len > j.size() - pos - 9) break;
        set(j.data() + pos + 5 + len, crc32(j.data() + pos + 4, len + 1, crc32(salt, 8)), 4);
        pos += 9 + len;
    }
}

bool within(uint64_t offset, uint64_t length, uint64_t size) { return offset <= size && length <= size - offset; }

void checkSane(const ParsedJournal& j)
{
    for (const FileBefore& f : j.files) {
        if (f.path.empty() || f.path.find('/') != std::string::npos) std::abort();
        for (const auto& [offset, bytes] : f.pages)
            if (!within(offset, bytes->size(), f.size)) std::abort();
        for (const PageCheck& c : f.after)
            if (c.length > pageSize || !within(c.offset, c.length, f.sizeAfter)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    std::vector<uint8_t> journal(data + 1, data + size);
    if (data[0] & 1) repairChecksums(journal);
    checkSane(parseJournal(journal));
    return 0;
}
