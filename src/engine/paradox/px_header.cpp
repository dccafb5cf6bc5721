#include "engine/paradox/px_header.h"

#include "engine/core/error.h"
#include "engine/paradox/ansi_text.h"

#include <cstring>

namespace trevo::engine::paradox {
namespace {

constexpr uint32_t kNoEncryption7 = 0xFF00FF00u; // what 4.x and later put at 0x25

[[noreturn]] void damaged(const std::string& name, const std::string& what)
{
    throw FormatError("Datei '" + name + "' ist keine gültige Paradox-Tabelle: " + what);
}

bool validBlockSize(uint8_t kb)
{
    return kb == 1 || kb == 2 || kb == 3 || kb == 4 || kb == 8 || kb == 16 || kb == 32;
}

size_t fieldListOffset(const PxHeader& h) { return h.tableLike() && h.version >= 5 ? 0x78 : 0x58; }
size_t tableNameLength(uint8_t version) { return version >= 0x0C ? 261 : 79; }

// Reads a NUL-terminated string starting at pos, not beyond end.
std::string readCString(const Bytes& f, size_t& pos, size_t end, const std::string& name,
                        const CodePage& cp)
{
    const size_t start = pos;
    while (pos < end && f[pos] != 0) ++pos;
    if (pos >= end) damaged(name, "Feldnamen reichen über den Dateikopf hinaus");
    std::string s(reinterpret_cast<const char*>(&f[start]), pos - start);
    ++pos;
    return cp.decode(s);
}

void readNames(const Bytes& f, PxHeader& h, size_t pos, const std::string& name)
{
    const CodePage& cp = codePageNumbered(h.codePage);
    const size_t n = h.fields.size();
    pos += 4 + 4 * n; // table-name pointer and field-name pointers (memory addresses)
    const size_t nameLen = tableNameLength(h.version);
    if (pos + nameLen > h.headerSize) damaged(name, "Tabellenname fehlt");
    size_t tn = pos;
    h.tableName = readCString(f, tn, pos + nameLen, name, cp);
    pos += nameLen;
    for (auto& field : h.fields) field.name = readCString(f, pos, h.headerSize, name, cp);
    pos += 2 * n; // field numbers
    if (pos < h.headerSize && f[pos] != 0) {
        size_t so = pos;
        h.sortOrder = readCString(f, so, h.headerSize, name, cp);
    }
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
    if (f.size() < 0x58) damaged(name, "Datei zu kurz");
    PxHeader h;
    h.recordSize = getLe16(&f[0x00]);
    h.headerSize = getLe16(&f[0x02]);
    const uint8_t type = f[0x04];
    if (type > 8) damaged(name, "unbekannter Dateityp " + std::to_string(type));
    h.fileType = static_cast<PxFileType>(type);
    h.blockSizeKb = f[0x05];
    h.numRecords = getLe32(&f[0x06]);
    h.usedBlocks = getLe16(&f[0x0A]);
    h.fileBlocks = getLe16(&f[0x0C]);
    h.firstBlock = getLe16(&f[0x0E]);
    h.lastBlock = getLe16(&f[0x10]);
    h.indexFieldNumber = f[0x15];
    h.indexRoot = getLe16(&f[0x1E]);
    h.indexLevels = f[0x20];
    const uint16_t numFields = getLe16(&f[0x21]);
    h.keyFields = getLe16(&f[0x23]);
    h.sortOrderCode = f[0x29];
    h.version = f[0x39];
    h.autoIncrement = getLe32(&f[0x49]);
    if (h.version < 3 || h.version > 0x0C) damaged(name, "unbekannte Version " + std::to_string(h.version));
    if (h.headerSize < 0x58 || h.headerSize > f.size()) damaged(name, "Länge des Dateikopfs");
    if (!validBlockSize(h.blockSizeKb)) damaged(name, "Blockgröße");
    if (numFields == 0 || numFields > 255) damaged(name, "Anzahl der Felder");
    if (h.keyFields > numFields) damaged(name, "Anzahl der Schlüsselfelder");
    const bool dataHeader = h.tableLike() && h.version >= 5;
    const uint32_t enc = dataHeader ? getLe32(&f[0x5C]) : getLe32(&f[0x25]);
    h.encrypted = dataHeader ? enc != 0 : (enc != 0 && enc != kNoEncryption7);
    if (h.encrypted) throw FormatError("Datei '" + name + "' ist verschlüsselt und kann nicht gelesen werden");
    if (dataHeader) h.codePage = getLe16(&f[0x6A]);

    size_t pos = fieldListOffset(h);
    if (pos + 2 * size_t{numFields} > h.headerSize) damaged(name, "Feldliste reicht über den Dateikopf hinaus");
    size_t sum = 0;
    for (uint16_t i = 0; i < numFields; ++i, pos += 2) {
        PxField fd;
        if (!isKnownType(f[pos])) damaged(name, "unbekannter Feldtyp " + std::to_string(f[pos]));
        fd.type = static_cast<PxType>(f[pos]);
        fd.size = f[pos + 1];
        // A BCD field names its decimal places in the header and always takes 17 bytes.
        if (fd.type == PxType::Bcd) fd.size = 17;
        const size_t fixed = fixedFieldSize(fd.type);
        if (fd.size == 0 || (isBlobType(fd.type) && fd.size <= 10) || (fixed && fd.size != fixed))
            damaged(name, "Feldlänge");
        sum += fd.size;
        fd.name = "FELD" + std::to_string(i + 1);
        h.fields.push_back(fd);
    }
    if (h.tableLike()) {
        if (sum != h.recordSize) damaged(name, "Satzlänge passt nicht zu den Feldern");
        readNames(f, h, pos, name);
    } else if (h.recordSize < sum) {
        damaged(name, "Satzlänge passt nicht zu den Feldern");
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
