#include "engine/paradox/px_blob.h"

#include "engine/core/error.h"
#include "engine/paradox/px_reader.h"
#include "engine/paradox/px_values.h"

#include <algorithm>
#include <cstring>

namespace trevo::engine::paradox {
namespace {

std::string fromBlock2(const PxReader& mb, size_t off, uint32_t length)
{
    if (!mb.holds(off, 9) || mb.u8(off) != 2) mb.damaged("Block erwartet bei " + std::to_string(off));
    const size_t chunks = mb.le16(off + 1);
    if (9 + size_t{length} > chunks * kMbChunk || !mb.holds(off + 9, length))
        mb.damaged("Länge eines Eintrags passt nicht zum Block");
    return mb.text(off + 9, length);
}

std::string fromBlock3(const PxReader& mb, size_t off, unsigned slot, uint32_t length)
{
    if (slot >= 64 || !mb.holds(off, kMbChunk) || mb.u8(off) != 3)
        mb.damaged("Unterblock erwartet bei " + std::to_string(off));
    const PxReader block = mb.part(off, kMbChunk, "Unterblock bei " + std::to_string(off));
    const uint8_t* s = block.at(12 + 5 * slot, 5);
    const size_t dataOff = size_t{s[0]} * 16;
    const size_t room = size_t{s[1]} * 16;
    if (dataOff < 12 + 5 * 64 || length > room || !block.holds(dataOff, length))
        mb.damaged("Eintrag " + std::to_string(slot) + " liegt außerhalb des Blocks");
    return block.text(dataOff, length);
}

} // namespace

std::string readBlobField(const PxField& field, const PxReader& bytes, const Bytes* mb, const std::string& mbName)
{
    if (field.size <= 10) bytes.damaged("Memofeld '" + field.name + "' ist zu kurz");
    const size_t leader = field.size - 10;
    const BlobPointer ptr = readBlobPointer(bytes.at(leader, 10));
    if (ptr.length <= leader) return bytes.text(0, ptr.length);
    if (!mb) throw FormatError("Memodatei '" + mbName + "' fehlt");
    const PxReader file(*mb, mbName, "Memodatei");
    const size_t off = ptr.offsetAndIndex & 0xFFFFFF00u;
    const unsigned slot = ptr.offsetAndIndex & 0xFFu;
    if (off == 0) file.damaged("Verweis auf den Dateikopf");
    if (slot == 0xFF) return fromBlock2(file, off, ptr.length);
    return fromBlock3(file, off, slot, ptr.length);
}

MbWriter::MbWriter() : bytes_(kMbChunk, 0)
{
    bytes_[0] = 0;              // header block
    putLe16(&bytes_[1], 1);     // one chunk
}

void MbWriter::writeField(const PxField& field, std::string_view value, uint8_t* p)
{
    const size_t leader = field.size - 10;
    std::memset(p, 0, field.size);
    if (!value.empty()) std::memcpy(p, value.data(), std::min(leader, value.size()));
    BlobPointer ptr;
    ptr.length = static_cast<uint32_t>(value.size());
    if (value.size() > leader) {
        const size_t off = bytes_.size();
        const size_t chunks = (9 + value.size() + kMbChunk - 1) / kMbChunk;
        if (chunks > 0xFFFF || off > 0xFFFFFF00u) throw ValueError("Der Wert des Felds '" + field.name + "' ist zu groß");
        bytes_.resize(off + chunks * kMbChunk, 0);
        ++modification_;
        bytes_[off] = 2;
        putLe16(&bytes_[off + 1], static_cast<uint16_t>(chunks));
        putLe32(&bytes_[off + 3], ptr.length);
        putLe16(&bytes_[off + 7], modification_);
        std::memcpy(&bytes_[off + 9], value.data(), value.size());
        ptr.offsetAndIndex = static_cast<uint32_t>(off) | 0xFFu;
        ptr.modification = modification_;
    }
    writeBlobPointer(p + leader, ptr);
}

} // namespace trevo::engine::paradox
