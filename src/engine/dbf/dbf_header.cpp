#include "engine/dbf/dbf_header.h"

#include "engine/codepage/code_page.h"
#include "engine/core/error.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace trevo::engine {

uint16_t readU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t readU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void writeU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void writeU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string damagedText(const std::string& fileName, const std::string& fault)
{
    return "Die Datei '" + fileName + "' ist beschädigt: " + fault;
}

namespace {

[[noreturn]] void damaged(const std::string& fileName, const std::string& fault)
{
    throw FormatError(damagedText(fileName, fault));
}

std::string upperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string hexByte(uint8_t b)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

// Version bytes of the other members of the family (FoxBASE, FoxPro, Visual FoxPro, dBASE 5
// and 7, dBASE IV SQL tables, Clipper and Visual Objects variants): sound files of a format
// Trevo does not read, not damaged ones.
bool isOtherTableFormat(uint8_t version)
{
    switch (version) {
    case 0x02: case 0x04: case 0x05: case 0x07: case 0x30: case 0x31: case 0x32: case 0x43: case 0x63:
    case 0x7B: case 0x87: case 0x8C: case 0x8E: case 0xB3: case 0xCB: case 0xE5: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

std::string typeText(char type)
{
    const unsigned char t = static_cast<unsigned char>(type);
    if (t >= 0x21 && t < 0x7F) return std::string("'") + type + "'";
    return hexByte(t);
}

// Reads the name of one descriptor; empty when it holds no usable name.
std::string descriptorName(const uint8_t* d, const CodePage& cp)
{
    size_t n = 0;
    while (n < 11 && d[n] != 0) ++n;
    while (n > 0 && d[n - 1] == ' ') --n;
    for (size_t i = 0; i < n; ++i)
        if (d[i] < 0x21 || d[i] == 0x7F) return {};
    return cp.decode(std::string_view(reinterpret_cast<const char*>(d), n));
}

// The sizes a field type allows; false when the length is impossible for it.
bool lengthFits(char type, unsigned length)
{
    switch (type) {
    case 'C': return length >= 1 && length <= 254;
    case 'N':
    case 'F': return length >= 1 && length <= 32;
    case 'D': return length == 8;
    case 'L': return length == 1;
    case 'M': return length == 10;
    default: return false;
    }
}

FieldDef parseDescriptor(const uint8_t* d, int number, const CodePage& cp,
                         const std::string& fileName, std::vector<DbfFault>& faults)
{
    FieldDef f;
    f.name = descriptorName(d, cp);
    if (f.name.empty()) damaged(fileName, "Feld Nr. " + std::to_string(number) + " hat keinen gültigen Namen");
    char type = static_cast<char>(d[11]);
    if (type >= 'a' && type <= 'z') type = static_cast<char>(type - 'a' + 'A');
    f.type = type;
    f.length = d[16];
    f.decimals = d[17];
    if (std::string("CNFDLM").find(type) == std::string::npos || type == 0)
        damaged(fileName, "Feld '" + f.name + "' hat den unbekannten Typ " + typeText(type));
    if (!lengthFits(type, f.length))
        damaged(fileName, "Feld '" + f.name + "' vom Typ '" + std::string(1, type) + "' hat die ungültige Breite " +
                              std::to_string(f.length));
    if (type == 'N' || type == 'F') {
        if (f.decimals > 0 && f.decimals + 2 > f.length) {
            faults.push_back({"Feld '" + f.name + "' hat " + std::to_string(f.decimals) +
                                  " Nachkommastellen bei Breite " + std::to_string(f.length),
                              true});
        }
    } else if (f.decimals != 0 && type != 'C') {
        f.decimals = 0; // meaningless for D, L, M; ignored
    } else if (type == 'C') {
        f.decimals = 0;
    }
    return f;
}

// Reads the descriptors; returns the record length their fields make (flag byte included).
uint32_t parseDescriptors(DbfHeader& h, const uint8_t* data, const std::string& fileName,
                          std::vector<DbfFault>& faults, const CodePage& cp)
{
    uint32_t pos = 32;
    uint32_t offset = 1;
    h.terminatorFound = false;
    while (pos < h.headerLength) {
        if (data[pos] == 0x0D) {
            h.terminatorFound = true;
            break;
        }
        if (pos + 32 > h.headerLength) break;
        FieldDef f = parseDescriptor(data + pos, static_cast<int>(h.fields.size()) + 1, cp, fileName, faults);
        h.offsets.push_back(offset);
        h.tagFlags.push_back(data[pos + 31]);
        offset += f.length;
        h.fields.push_back(std::move(f));
        pos += 32;
    }
    if (h.fields.empty()) damaged(fileName, "die Tabelle hat keine Felder");
    if (!h.terminatorFound) faults.push_back({"das Ende der Feldbeschreibungen (0x0D) fehlt", true});
    return offset;
}

// Two fields of one name: statements and data sets would only ever find the first.
void checkDuplicateNames(const DbfHeader& h, std::vector<DbfFault>& faults)
{
    for (size_t i = 0; i < h.fields.size(); ++i) {
        const std::string name = upperAscii(h.fields[i].name);
        for (size_t k = 0; k < i; ++k) {
            if (upperAscii(h.fields[k].name) != name) continue;
            faults.push_back({"die Felder Nr. " + std::to_string(k + 1) + " und " + std::to_string(i + 1) +
                                  " heißen beide '" + h.fields[i].name + "'",
                              false});
            break;
        }
    }
}

// Chooses the length the records are read with. A header whose record length does not
// match its fields is damaged: when the file's size fits the fields' length and not the
// header's, the records are read with the fields' length; otherwise with the header's,
// as long as the fields fit into it.
void chooseRecordLength(DbfHeader& h, uint32_t fieldsLength, uint64_t size, const std::string& fileName,
                        std::vector<DbfFault>& faults)
{
    h.headerRecordLength = h.recordLength;
    if (h.recordLength == fieldsLength) return;
    const uint64_t body = size - h.headerLength;
    auto fits = [&](uint64_t length) {
        const uint64_t records = static_cast<uint64_t>(h.recordCount) * length;
        return body == records || body == records + 1;
    };
    const std::string stated = "die Satzlänge " + std::to_string(h.recordLength) +
                               " im Kopf passt nicht zu den Feldern (" + std::to_string(fieldsLength) + " Bytes)";
    auto whole = [&](uint64_t length) { return length > 0 && body % length <= 1; }; // any count
    const bool byFields = (fits(fieldsLength) && !fits(h.recordLength)) ||
                          (!fits(h.recordLength) && whole(fieldsLength) && !whole(h.recordLength));
    if (fieldsLength <= 0xFFFF && byFields) {
        faults.push_back({stated + ", gelesen wird mit " + std::to_string(fieldsLength) + " Bytes", true});
        h.recordLength = static_cast<uint16_t>(fieldsLength);
        return;
    }
    if (h.recordLength < fieldsLength)
        damaged(fileName, "Satzlänge " + std::to_string(h.recordLength) + " passt nicht zu den Feldern (" +
                              std::to_string(fieldsLength) + ")");
    faults.push_back({stated, true});
}

void checkRecordArea(DbfHeader& h, const uint8_t* data, uint64_t size, std::vector<DbfFault>& faults)
{
    const uint64_t available = (size - h.headerLength) / h.recordLength;
    h.fileRecords = static_cast<uint32_t>(std::min<uint64_t>(available, UINT32_MAX));
    if (available < h.recordCount) {
        h.usableRecords = h.fileRecords;
        faults.push_back({"der Kopf nennt " + std::to_string(h.recordCount) + " Datensätze, die Datei enthält nur " +
                              std::to_string(available) + " vollständige",
                          true});
        return;
    }
    h.usableRecords = h.recordCount;
    if (available > h.recordCount) {
        // Records behind the counted ones: a new record would overwrite them.
        faults.push_back({"der Kopf nennt " + std::to_string(h.recordCount) + " Datensätze, die Datei enthält aber " +
                              std::to_string(available),
                          true});
        return;
    }
    const uint64_t end = h.headerLength + static_cast<uint64_t>(h.recordCount) * h.recordLength;
    if (end == size || data[end] != 0x1A) {
        faults.push_back({"die Endmarke 0x1A nach dem letzten Datensatz fehlt", false});
        if (end == size) return;
    }
    if (size > end + 1)
        faults.push_back({"nach den " + std::to_string(h.recordCount) + " Datensätzen folgen weitere " +
                              std::to_string(size - end - 1) + " Bytes",
                          false});
}

} // namespace

DbfHeader parseDbfHeader(const uint8_t* data, uint64_t size, const std::string& fileName,
                         std::vector<DbfFault>& faults, const CodePage* codePage)
{
    if (size < 32)
        damaged(fileName, "sie ist mit " + std::to_string(size) + " Bytes kürzer als der Dateikopf (32 Bytes)");
    DbfHeader h;
    h.version = data[0];
    if (h.version != 0x03 && h.version != 0x83 && h.version != 0x8B) {
        if (isOtherTableFormat(h.version))
            throw FormatError("Die Datei '" + fileName + "' hat ein nicht unterstütztes Tabellenformat (Version " +
                              hexByte(h.version) + ")");
        damaged(fileName, "unbekannte Version " + hexByte(h.version) + " (lesbar sind dBASE III+ und dBASE IV)");
    }
    h.year = data[1];
    h.month = data[2];
    h.day = data[3];
    h.recordCount = readU32(data + 4);
    h.headerLength = readU16(data + 8);
    h.recordLength = readU16(data + 10);
    h.mdxFlag = data[28];
    h.languageDriver = data[29];
    if (data[15] != 0) damaged(fileName, "die Tabelle ist verschlüsselt");
    if (h.headerLength > size)
        damaged(fileName, "Kopflänge " + std::to_string(h.headerLength) + " passt nicht zur Dateigröße " +
                              std::to_string(size));
    if (h.headerLength < 32 + 32 + 1)
        damaged(fileName, "Kopflänge " + std::to_string(h.headerLength) + " ist zu klein für eine Feldbeschreibung");
    const uint32_t fieldsLength =
        parseDescriptors(h, data, fileName, faults, codePage ? *codePage : codePageForDriver(h.languageDriver));
    h.fieldsLength = fieldsLength;
    checkDuplicateNames(h, faults);
    chooseRecordLength(h, fieldsLength, size, fileName, faults);
    if (data[14] != 0) faults.push_back({"eine frühere Transaktion wurde nicht abgeschlossen (Kopf-Byte 14)", false});
    bool known = false;
    codePageForDriver(h.languageDriver, &known);
    if (!known && !codePage)
        faults.push_back({"unbekannter Sprachtreiber " + hexByte(h.languageDriver) + ", gelesen als Windows-1252", false});
    checkRecordArea(h, data, size, faults);
    return h;
}

std::vector<uint8_t> encodeDbfHeader(const DbfHeader& h)
{
    std::vector<uint8_t> out(h.headerLength, 0);
    out[0] = h.version;
    out[1] = h.year;
    out[2] = h.month;
    out[3] = h.day;
    writeU32(&out[4], h.recordCount);
    writeU16(&out[8], h.headerLength);
    writeU16(&out[10], h.recordLength);
    out[28] = h.mdxFlag;
    out[29] = h.languageDriver;
    size_t pos = 32;
    for (size_t i = 0; i < h.fields.size(); ++i, pos += 32) {
        const FieldDef& f = h.fields[i];
        for (size_t k = 0; k < f.name.size() && k < 10; ++k) out[pos + k] = static_cast<uint8_t>(f.name[k]);
        out[pos + 11] = static_cast<uint8_t>(f.type);
        out[pos + 16] = f.length;
        out[pos + 17] = f.decimals;
        out[pos + 31] = i < h.tagFlags.size() ? h.tagFlags[i] : 0;
    }
    out[pos] = 0x0D;
    return out;
}

void checkFieldDef(const FieldDef& f)
{
    if (f.name.empty() || f.name.size() > 10)
        throw ValueError("Der Feldname '" + f.name + "' muss 1 bis 10 Zeichen lang sein");
    for (char ch : f.name) {
        const bool ok = (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
        if (!ok) throw ValueError("Der Feldname '" + f.name + "' darf nur Großbuchstaben, Ziffern und '_' enthalten");
    }
    if (!(f.name[0] >= 'A' && f.name[0] <= 'Z'))
        throw ValueError("Der Feldname '" + f.name + "' muss mit einem Buchstaben beginnen");
    const bool numeric = f.type == 'N' || f.type == 'F';
    const bool typeOk = std::string("CNFDLM").find(f.type) != std::string::npos && f.type != 0;
    if (!typeOk) throw ValueError("Das Feld '" + f.name + "' hat den unbekannten Typ " + typeText(f.type));
    if (!lengthFits(f.type, f.length) || (numeric && f.length > 20))
        throw ValueError("Das Feld '" + f.name + "' vom Typ '" + std::string(1, f.type) +
                         "' kann nicht die Breite " + std::to_string(f.length) + " haben");
    if (numeric ? (f.decimals > 0 && f.decimals + 2 > f.length) : f.decimals != 0)
        throw ValueError("Das Feld '" + f.name + "' kann bei Breite " + std::to_string(f.length) + " nicht " +
                         std::to_string(f.decimals) + " Nachkommastellen haben");
}

} // namespace trevo::engine
