#include "engine/paradox/px_header.h"

#include "engine/core/error.h"
#include "engine/paradox/ansi_text.h"
#include "engine/paradox/px_reader.h"

#include <cstring>

namespace trevo::engine::paradox {
namespace {

constexpr uint32_t kNoEncryption7 = 0xFF00FF00u; // what 4.x and later put at 0x25
constexpr size_t kFixedHeader = 0x58;            // the part every Paradox file has

bool validBlockSize(uint8_t kb)
{
    return kb == 1 || kb == 2 || kb == 3 || kb == 4 || kb == 8 || kb == 16 || kb == 32;
}

size_t fieldListOffset(const PxHeader& h) { return h.tableLike() && h.version >= 5 ? 0x78 : 0x58; }
size_t tableNameLength(uint8_t version) { return version >= 0x0C ? 261 : 79; }

// Reads a NUL-terminated string starting at pos, not beyond end.
std::string readCString(const PxReader& head, size_t& pos, size_t end, const CodePage& cp)
{
    const size_t start = pos;
    while (pos < end && head.u8(pos) != 0) ++pos;
    if (pos >= end) head.damaged("Feldnamen reichen über den Dateikopf hinaus");
    const std::string s = head.text(start, pos - start);
    ++pos;
    return cp.decode(s);
}

void readNames(const PxReader& head, PxHeader& h, size_t pos)
{
    const CodePage& cp = codePageNumbered(h.codePage);
    const size_t n = h.fields.size();
    const size_t end = head.size();
    pos += 4 + 4 * n; // table-name pointer and field-name pointers (memory addresses)
    const size_t nameLen = tableNameLength(h.version);
    if (pos + nameLen > end) head.damaged("Tabellenname fehlt");
    size_t tn = pos;
    h.tableName = readCString(head, tn, pos + nameLen, cp);
    pos += nameLen;
    for (auto& field : h.fields) field.name = readCString(head, pos, end, cp);
    pos += 2 * n; // field numbers
    if (pos < end && head.u8(pos) != 0) {
        size_t so = pos;
        h.sortOrder = readCString(head, so, end, cp);
    }
}

// The bytes 0x00-0x57 and, for tables of version 4 and later, the encryption word
// (0x5C) and the code page (0x6A) of the data header. Returns the field count.
uint16_t readFixedPart(const PxReader& head, PxHeader& h)
{
    h.recordSize = head.le16(0x00);
    h.headerSize = static_cast<uint16_t>(head.size());
    const uint8_t type = head.u8(0x04);
    if (type > 8) head.damaged("unbekannter Dateityp " + std::to_string(type));
    h.fileType = static_cast<PxFileType>(type);
    h.blockSizeKb = head.u8(0x05);
    h.numRecords = head.le32(0x06);
    h.usedBlocks = head.le16(0x0A);
    h.fileBlocks = head.le16(0x0C);
    h.firstBlock = head.le16(0x0E);
    h.lastBlock = head.le16(0x10);
    h.indexFieldNumber = head.u8(0x15);
    h.indexRoot = head.le16(0x1E);
    h.indexLevels = head.u8(0x20);
    const uint16_t numFields = head.le16(0x21);
    h.keyFields = head.le16(0x23);
    h.sortOrderCode = head.u8(0x29);
    h.version = head.u8(0x39);
    h.autoIncrement = head.le32(0x49);
    if (h.version < 3 || h.version > 0x0C) head.damaged("unbekannte Version " + std::to_string(h.version));
    if (!validBlockSize(h.blockSizeKb)) head.damaged("Blockgröße");
    if (numFields == 0 || numFields > 255) head.damaged("Anzahl der Felder");
    if (h.keyFields > numFields) head.damaged("Anzahl der Schlüsselfelder");
    const bool dataHeader = h.tableLike() && h.version >= 5;
    const uint32_t enc = dataHeader ? head.le32(0x5C) : head.le32(0x25);
    h.encrypted = dataHeader ? enc != 0 : (enc != 0 && enc != kNoEncryption7);
    if (h.encrypted) throw FormatError("Datei '" + head.fileName() + "' ist verschlüsselt und kann nicht gelesen werden");
    if (dataHeader) h.codePage = head.le16(0x6A);
    return numFields;
}

// The (type, size) pairs; returns the offset behind them and the sum of the sizes.
std::pair<size_t, size_t> readFieldList(const PxReader& head, PxHeader& h, uint16_t numFields)
{
    size_t pos = fieldListOffset(h);
    if (!head.holds(pos, 2 * size_t{numFields})) head.damaged("Feldliste reicht über den Dateikopf hinaus");
    size_t sum = 0;
    for (uint16_t i = 0; i < numFields; ++i, pos += 2) {
        PxField fd;
        const uint8_t type = head.u8(pos);
        if (!isKnownType(type)) head.damaged("unbekannter Feldtyp " + std::to_string(type));
        fd.type = static_cast<PxType>(type);
        fd.size = head.u8(pos + 1);
        // A BCD field names its decimal places in the header and always takes 17 bytes.
        if (fd.type == PxType::Bcd) fd.size = 17;
        const size_t fixed = fixedFieldSize(fd.type);
        if (fd.size == 0 || (isBlobType(fd.type) && fd.size <= 10) || (fixed && fd.size != fixed))
            head.damaged("Feldlänge");
        sum += fd.size;
        fd.name = "FELD" + std::to_string(i + 1);
        h.fields.push_back(fd);
    }
    return {pos, sum};
}

} // namespace

bool PxHeader::tableLike() const
{
    return fileType == PxFileType::KeyedTable || fileType == PxFileType::UnkeyedTable ||
           fileType == PxFileType::SecondaryNonIncremental ||
           fileType == PxFileType::SecondaryIncremental;
}

PxHeader readHeader(const Bytes& f, const std::string& name)
{
    const PxReader file(f, name);
    if (file.size() < kFixedHeader) file.damaged("Datei zu kurz");
    const uint16_t headerSize = file.le16(0x02);
    if (headerSize < kFixedHeader || headerSize > file.size())
        file.damaged("Länge des Dateikopfs " + std::to_string(headerSize) + " passt nicht zur Dateigröße " +
                     std::to_string(file.size()));
    const PxReader head = file.part(0, headerSize, "Dateikopf");
    PxHeader h;
    const uint16_t numFields = readFixedPart(head, h);
    const auto [pos, sum] = readFieldList(head, h, numFields);
    if (h.tableLike()) {
        if (sum != h.recordSize) head.damaged("Satzlänge passt nicht zu den Feldern");
        readNames(head, h, pos);
    } else if (h.recordSize < sum) {
        head.damaged("Satzlänge passt nicht zu den Feldern");
    }
    return h;
}

Bytes writeHeader(const PxHeader& h)
{
    Bytes f(h.headerSize, 0);
    putLe16(&f[0x00], h.recordSize);
    putLe16(&f[0x02], h.headerSize);
    f[0x04] = static_cast<uint8_t>(h.fileType);
    f[0x05] = h.blockSizeKb;
    putLe32(&f[0x06], h.numRecords);
    putLe16(&f[0x0A], h.usedBlocks);
    putLe16(&f[0x0C], h.fileBlocks);
    putLe16(&f[0x0E], h.firstBlock);
    putLe16(&f[0x10], h.lastBlock);
    f[0x15] = h.indexFieldNumber;
    putLe16(&f[0x1E], h.indexRoot);
    f[0x20] = h.indexLevels;
    putLe16(&f[0x21], static_cast<uint16_t>(h.fields.size()));
    putLe16(&f[0x23], h.keyFields);
    putLe32(&f[0x25], h.version >= 5 ? kNoEncryption7 : 0);
    f[0x29] = h.sortOrderCode;
    f[0x39] = h.version;
    putLe16(&f[0x3A], h.fileBlocks);
    putLe32(&f[0x49], h.autoIncrement);
    const bool dataHeader = h.tableLike() && h.version >= 5;
    if (dataHeader) {
        putLe16(&f[0x58], static_cast<uint16_t>(0x0100 | h.version));
        putLe16(&f[0x5A], static_cast<uint16_t>(0x0100 | h.version));
        putLe16(&f[0x64], static_cast<uint16_t>(h.fields.size() + 1));
        putLe16(&f[0x68], static_cast<uint16_t>(h.fields.size()));
        putLe16(&f[0x6A], h.codePage);
    }
    size_t pos = fieldListOffset(h);
    for (const auto& fd : h.fields) {
        f[pos++] = static_cast<uint8_t>(fd.type);
        f[pos++] = fd.size;
    }
    if (!h.tableLike()) return f;
    pos += 4 + 4 * h.fields.size();
    const CodePage& cp = codePageNumbered(h.codePage);
    const std::string table = encodeLossy(cp, h.tableName);
    std::memcpy(&f[pos], table.data(), std::min(table.size(), tableNameLength(h.version) - 1));
    pos += tableNameLength(h.version);
    auto put = [&](const std::string& s) {
        const std::string a = encodeLossy(cp, s);
        if (pos + a.size() + 1 > f.size()) throw FormatError("Dateikopf zu klein für die Feldnamen");
        std::memcpy(&f[pos], a.data(), a.size());
        pos += a.size() + 1;
    };
    for (const auto& fd : h.fields) put(fd.name);
    if (pos + 2 * h.fields.size() > f.size()) throw FormatError("Dateikopf zu klein für die Feldnamen");
    for (size_t i = 0; i < h.fields.size(); ++i, pos += 2) putLe16(&f[pos], static_cast<uint16_t>(i + 1));
    put(h.sortOrder);
    return f;
}

} // namespace trevo::engine::paradox
