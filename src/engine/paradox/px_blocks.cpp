#include "engine/paradox/px_blocks.h"

#include "engine/core/error.h"
#include "engine/paradox/px_reader.h"
#include "engine/paradox/px_values.h"

#include <cstring>

namespace trevo::engine::paradox {
namespace {

Bytes encodedShort(int v)
{
    Bytes b(2);
    PxField f{"", PxType::Short, 2};
    encodeValue(f, Value::number(v), codePageForDriver(0x57), b.data());
    return b;
}

} // namespace

std::vector<Bytes> readRecords(const Bytes& bytes, const PxHeader& h, const std::string& name)
{
    std::vector<Bytes> out;
    const PxReader file(bytes, name);
    if (h.numRecords == 0 || h.firstBlock == 0) return out;
    const size_t bs = h.blockSize();
    if (h.recordSize == 0 || bs == 0) file.damaged("Satz- oder Blocklänge 0");
    const size_t blocksInFile = h.headerSize > file.size() ? 0 : (file.size() - h.headerSize) / bs;
    std::vector<bool> seen(blocksInFile + 1, false);
    for (size_t b = h.firstBlock; b != 0;) {
        const std::string label = "Block " + std::to_string(b);
        if (b > blocksInFile) file.damaged(label + " fehlt");
        if (seen[b]) file.damaged("Blockkette enthält eine Schleife");
        seen[b] = true;
        const PxReader blk = file.part(h.headerSize + (b - 1) * bs, bs, label);
        const int16_t add = static_cast<int16_t>(blk.le16(4));
        if (add >= 0) {
            const size_t n = static_cast<size_t>(add) / h.recordSize + 1;
            if (static_cast<size_t>(add) % h.recordSize != 0 || 6 + n * h.recordSize > bs)
                file.damaged(label + " hat eine ungültige Satzanzahl");
            for (size_t i = 0; i < n; ++i) out.push_back(blk.copy(6 + i * h.recordSize, h.recordSize));
        }
        b = blk.le16(0);
    }
    return out;
}

namespace {

Bytes buildBlocks(PxHeader& h, const std::vector<std::vector<const Bytes*>>& blocks)
{
    const size_t bs = h.blockSize();
    if (blocks.size() > 0xFFFF) throw FormatError("Zu viele Datensätze für eine Paradox-Tabelle");
    size_t count = 0;
    for (const auto& b : blocks) count += b.size();
    h.numRecords = static_cast<uint32_t>(count);
    h.usedBlocks = h.fileBlocks = static_cast<uint16_t>(blocks.size());
    h.firstBlock = blocks.empty() ? 0 : 1;
    h.lastBlock = static_cast<uint16_t>(blocks.size());
    Bytes f = writeHeader(h);
    f.resize(h.headerSize + blocks.size() * bs, 0);
    for (size_t b = 0; b < blocks.size(); ++b) {
        uint8_t* blk = &f[h.headerSize + b * bs];
        const size_t n = blocks[b].size();
        putLe16(blk, b + 1 < blocks.size() ? static_cast<uint16_t>(b + 2) : 0);
        putLe16(blk + 2, static_cast<uint16_t>(b));
        putLe16(blk + 4, static_cast<uint16_t>((n - 1) * h.recordSize));
        for (size_t i = 0; i < n; ++i)
            std::memcpy(blk + 6 + i * h.recordSize, blocks[b][i]->data(), h.recordSize);
    }
    return f;
}

size_t recordsPerBlock(const PxHeader& h)
{
    const size_t perBlock = (h.blockSize() - 6) / h.recordSize;
    if (perBlock == 0) throw FormatError("Datensatz zu lang für die Blockgröße");
    return perBlock;
}

Bytes indexEntry(const Bytes& firstRecord, size_t keySize, size_t blockNo, size_t count)
{
    Bytes e(firstRecord.begin(), firstRecord.begin() + keySize);
    for (const Bytes& s : {encodedShort(static_cast<int>(blockNo)), encodedShort(static_cast<int>(count)), encodedShort(0)})
        e.insert(e.end(), s.begin(), s.end());
    return e;
}

} // namespace

Bytes buildFile(PxHeader& h, const std::vector<Bytes>& records, BlockLayout* layout)
{
    const size_t perBlock = recordsPerBlock(h);
    std::vector<std::vector<const Bytes*>> blocks;
    for (size_t i = 0; i < records.size(); ++i) {
        if (i % perBlock == 0) {
            blocks.emplace_back();
            if (layout) layout->firstRecordOfBlock.push_back(i);
        }
        blocks.back().push_back(&records[i]);
        if (layout) layout->blockOfRecord.push_back(static_cast<uint16_t>(blocks.size()));
    }
    return buildBlocks(h, blocks);
}

Bytes buildPrimaryIndex(const PxHeader& indexed, const std::vector<Bytes>& records,
                        const BlockLayout& layout, size_t keySize, uint8_t keyFieldCount)
{
    PxHeader h;
    h.fileType = indexed.fileType == PxFileType::KeyedTable ? PxFileType::PrimaryIndex
                                                             : PxFileType::SecondaryIndexOfIndex;
    h.blockSizeKb = indexed.blockSizeKb;
    h.version = indexed.version;
    h.keyFields = keyFieldCount;
    h.recordSize = static_cast<uint16_t>(keySize + 6);
    // The field list names the key fields only; the three shorts follow implicitly.
    for (uint8_t i = 0; i < keyFieldCount; ++i) h.fields.push_back(indexed.fields[i]);
    const size_t perBlock = recordsPerBlock(h);

    // Level 1: one entry per block of the indexed file. Each upper level has one entry
    // per block of the level below, until a single root block remains; every level
    // starts in a block of its own, and the blocks are numbered in that order.
    std::vector<Bytes> level;
    const auto& firsts = layout.firstRecordOfBlock;
    for (size_t b = 0; b < firsts.size(); ++b) {
        const size_t end = b + 1 < firsts.size() ? firsts[b + 1] : records.size();
        level.push_back(indexEntry(records[firsts[b]], keySize, b + 1, end - firsts[b]));
    }
    std::vector<std::vector<Bytes>> levels;
    while (!level.empty()) {
        levels.push_back(level);
        if (level.size() <= perBlock) break;
        size_t firstBlockNo = 1;
        for (size_t l = 0; l + 1 < levels.size(); ++l) firstBlockNo += (levels[l].size() + perBlock - 1) / perBlock;
        std::vector<Bytes> upper;
        for (size_t i = 0; i < level.size(); i += perBlock)
            upper.push_back(indexEntry(level[i], keySize, firstBlockNo + i / perBlock, std::min(perBlock, level.size() - i)));
        level = std::move(upper);
    }
    std::vector<std::vector<const Bytes*>> blocks;
    for (const auto& lv : levels)
        for (size_t i = 0; i < lv.size(); ++i) {
            if (i % perBlock == 0) blocks.emplace_back();
            blocks.back().push_back(&lv[i]);
        }
    h.indexLevels = static_cast<uint8_t>(levels.size());
    h.indexRoot = static_cast<uint16_t>(blocks.size());
    return buildBlocks(h, blocks);
}

} // namespace trevo::engine::paradox
