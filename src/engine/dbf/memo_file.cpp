#include "engine/dbf/memo_file.h"

#include <algorithm>
#include <cstring>

namespace trevo::engine {

namespace {
constexpr uint8_t kDb4Signature[4] = {0xFF, 0xFF, 0x08, 0x00};
constexpr uint32_t kDb4HeadLength = 8;
} // namespace

MemoFile::MemoFile(std::shared_ptr<FileImage> image, MemoKind kind, std::string fileName,
                   std::vector<DbfFault>& faults)
    : image_(std::move(image)), kind_(kind), fileName_(std::move(fileName))
{
    readHeader(faults);
}

void MemoFile::reload(std::vector<DbfFault>& faults) { readHeader(faults); }

void MemoFile::readHeader(std::vector<DbfFault>& faults)
{
    const uint8_t* d = image_->data();
    const uint64_t size = image_->size();
    usable_ = true;
    blockSize_ = kDefaultBlockSize;
    if (kind_ == MemoKind::DBase4) {
        if (size < 22) {
            faults.push_back({"die Memodatei '" + fileName_ + "' ist mit " + std::to_string(size) +
                                  " Bytes kürzer als ihr Kopf",
                              true});
            usable_ = false;
            return;
        }
        const uint16_t bs = readU16(d + 20);
        if (bs < 32) {
            faults.push_back({"die Memodatei '" + fileName_ + "' nennt die ungültige Blockgröße " + std::to_string(bs),
                              true});
            usable_ = false;
            return;
        }
        blockSize_ = bs;
    } else if (size < 4) {
        faults.push_back({"die Memodatei '" + fileName_ + "' ist mit " + std::to_string(size) +
                              " Bytes kürzer als ihr Kopf",
                          true});
        usable_ = false;
        return;
    }
}

void MemoFile::initialize(FileImage& image, MemoKind kind, const std::string& tableBaseName, uint16_t blockSize)
{
    if (kind == MemoKind::DBase3) blockSize = 512;
    std::vector<uint8_t> head(blockSize, 0);
    writeU32(head.data(), 1);
    if (kind == MemoKind::DBase3) {
        head[16] = 0x03;
    } else {
        for (size_t i = 0; i < tableBaseName.size() && i < 8; ++i) head[8 + i] = static_cast<uint8_t>(tableBaseName[i]);
        writeU16(head.data() + 20, blockSize);
    }
    image.resize(0);
    image.write(0, head.data(), head.size());
}

void MemoFile::reset(const std::string& tableBaseName)
{
    initialize(*image_, kind_, tableBaseName, blockSize_);
    usable_ = true;
}

std::optional<std::string> readMemoBytes(const uint8_t* d, uint64_t size, MemoKind kind, uint16_t blockSize,
                                         uint32_t block, std::string* fault)
{
    auto fail = [&](std::string why) -> std::optional<std::string> {
        if (fault) *fault = std::move(why);
        return std::nullopt;
    };
    if (block == 0) return fail("Block 0 ist kein gültiger Memoblock");
    const uint64_t off = static_cast<uint64_t>(block) * blockSize;
    if (off >= size) return fail("Block " + std::to_string(block) + " liegt hinter dem Ende der Memodatei");
    if (kind == MemoKind::DBase3) {
        const void* end = std::memchr(d + off, 0x1A, size - off);
        if (!end) return fail("das Memo in Block " + std::to_string(block) + " hat kein Endezeichen 0x1A");
        const uint64_t len = static_cast<const uint8_t*>(end) - (d + off);
        return std::string(reinterpret_cast<const char*>(d + off), len);
    }
    if (off + kDb4HeadLength > size || std::memcmp(d + off, kDb4Signature, 4) != 0)
        return fail("Block " + std::to_string(block) + " beginnt nicht mit der Memokennung FF FF 08 00");
    const uint32_t len = readU32(d + off + 4);
    if (len < kDb4HeadLength || off + len > size)
        return fail("die Memolänge " + std::to_string(len) + " in Block " + std::to_string(block) +
                    " passt nicht zur Memodatei");
    std::string text(reinterpret_cast<const char*>(d + off + kDb4HeadLength), len - kDb4HeadLength);
    while (!text.empty() && text.back() == 0x1A) text.pop_back();
    return text;
}

bool startsDbase4Memo(const uint8_t* d, uint64_t size, uint16_t blockSize, uint32_t block)
{
    const uint64_t off = static_cast<uint64_t>(block) * blockSize;
    return off + 4 <= size && std::memcmp(d + off, kDb4Signature, 4) == 0;
}

std::optional<std::string> MemoFile::read(uint32_t block, std::string* fault) const
{
    if (!usable_) {
        if (fault) *fault = "die Memodatei ist unlesbar";
        return std::nullopt;
    }
    return readMemoBytes(image_->data(), image_->size(), kind_, blockSize_, block, fault);
}

uint32_t MemoFile::nextFree() const
{
    // Appending starts behind everything the file holds, whatever its header says, so a
    // wrong header can never make a new memo overwrite an old one. Memos are padded to
    // whole blocks, so the size tells exactly where the next one goes.
    const uint64_t blocks = std::max<uint64_t>((image_->size() + blockSize_ - 1) / blockSize_, 1);
    return blocks > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(blocks);
}

uint64_t MemoFile::spanOf(uint32_t block) const
{
    if (!usable_ || block == 0) return 0;
    const uint64_t off = static_cast<uint64_t>(block) * blockSize_;
    const uint64_t size = image_->size();
    if (off >= size) return 0;
    const uint8_t* d = image_->data();
    uint64_t used = 0;
    if (kind_ == MemoKind::DBase3) {
        const void* end = std::memchr(d + off, 0x1A, size - off);
        if (!end) return 0;
        used = static_cast<uint64_t>(static_cast<const uint8_t*>(end) - (d + off)) + 1;
        if (off + used < size && d[off + used] == 0x1A) ++used;
    } else {
        if (off + kDb4HeadLength > size || std::memcmp(d + off, kDb4Signature, 4) != 0) return 0;
        used = readU32(d + off + 4);
        if (used < kDb4HeadLength || off + used > size) return 0;
    }
    return (used + blockSize_ - 1) / blockSize_ * blockSize_;
}

std::string MemoFile::encodeMemo(std::string_view bytes) const
{
    std::string out;
    if (kind_ == MemoKind::DBase3) {
        out.reserve(bytes.size() + 2);
        out.append(bytes);
        out.append("\x1A\x1A", 2);
    } else {
        uint8_t head[8];
        std::memcpy(head, kDb4Signature, 4);
        writeU32(head + 4, static_cast<uint32_t>(bytes.size() + kDb4HeadLength));
        out.reserve(bytes.size() + 8);
        out.append(reinterpret_cast<const char*>(head), 8);
        out.append(bytes);
    }
    return out;
}

uint32_t MemoFile::write(uint32_t oldBlock, std::string_view bytes)
{
    if (bytes.empty()) return 0;
    std::string memo = encodeMemo(bytes);
    const uint64_t span = spanOf(oldBlock);
    if (span >= memo.size()) {
        memo.resize(span, '\0');
        image_->write(static_cast<uint64_t>(oldBlock) * blockSize_, memo.data(), memo.size());
        return oldBlock;
    }
    const uint64_t blocks = (memo.size() + blockSize_ - 1) / blockSize_;
    const uint32_t block = nextFree();
    memo.resize(blocks * blockSize_, '\0');
    image_->write(static_cast<uint64_t>(block) * blockSize_, memo.data(), memo.size());
    uint8_t head[4];
    writeU32(head, static_cast<uint32_t>(block + blocks));
    image_->write(0, head, 4);
    return block;
}

} // namespace trevo::engine
