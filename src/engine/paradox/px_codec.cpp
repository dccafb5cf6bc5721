#include "engine/paradox/px_codec.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/paradox/ansi_text.h"
#include "engine/paradox/px_blob.h"
#include "engine/paradox/px_blocks.h"
#include "engine/paradox/px_header.h"
#include "engine/paradox/px_reader.h"
#include "engine/paradox/px_values.h"

#include <algorithm>
#include <numeric>

namespace trevo::engine::paradox {
namespace {

Record decodeRecord(const PxHeader& h, const Bytes& raw, const Bytes* mb, const CodePage& cp,
                    const std::string& dbName, const std::string& mbName)
{
    const PxReader rec = PxReader(raw, dbName).part(0, raw.size(), "Datensatz");
    Record out;
    size_t off = 0;
    for (const PxField& f : h.fields) {
        const PxReader field = rec.part(off, f.size, "Feld " + f.name);
        const uint8_t* p = field.at(0, f.size);
        if (!isBlobType(f.type)) {
            out.push_back(decodeValue(f, p, cp, dbName));
        } else if (allZero(p, f.size)) {
            out.push_back(Value::null());
        } else {
            out.push_back(Value::text(readBlobField(f, field, mb, mbName)));
        }
        off += f.size;
    }
    return out;
}

Bytes encodeRecord(const PxTableInfo& info, const Record& rec, const CodePage& cp, MbWriter& mb)
{
    size_t size = 0;
    for (const auto& f : info.fields) size += f.size;
    Bytes raw(size, 0);
    size_t off = 0;
    for (size_t i = 0; i < info.fields.size(); ++i) {
        const PxField& f = info.fields[i];
        const Value v = i < rec.size() ? rec[i] : Value::null();
        if (!isBlobType(f.type)) {
            encodeValue(f, v, cp, raw.data() + off);
        } else {
            if (!v.isNull() && !v.isText())
                throw ValueError("Der Wert passt nicht in das Feld '" + f.name + "' (Text erwartet)");
            mb.writeField(f, v.isNull() ? std::string_view{} : std::string_view{v.text()}, raw.data() + off);
        }
        off += f.size;
    }
    return raw;
}

PxHeader tableHeader(const PxTableInfo& info, const std::string& tableName)
{
    PxHeader h;
    h.fileType = info.keyFields > 0 ? PxFileType::KeyedTable : PxFileType::UnkeyedTable;
    h.blockSizeKb = info.blockSizeKb;
    h.version = 0x0C;
    h.keyFields = static_cast<uint16_t>(info.keyFields);
    h.autoIncrement = info.autoIncrement;
    h.codePage = info.codePage;
    h.sortOrder = info.sortOrder;
    h.sortOrderCode = info.sortOrderCode;
    h.fields = info.fields;
    h.tableName = tableName;
    size_t size = 0;
    for (const auto& f : info.fields) size += f.size;
    if (size > 0xFFFF) throw FormatError("Datensatz zu lang für eine Paradox-Tabelle");
    h.recordSize = static_cast<uint16_t>(size);
    return h;
}

size_t keySize(const std::vector<PxField>& fields, int count)
{
    size_t n = 0;
    for (int i = 0; i < count; ++i) n += fields[i].size;
    return n;
}

int compareRecords(const Record& a, const Record& b, const std::vector<int>& fields)
{
    for (int f : fields)
        if (int c = compareKeys(a[f], b[f])) return c;
    return 0;
}

void addSecondaryIndex(PxFiles& out, const PxHeader& dbHead, const std::vector<Record>& records,
                       const std::vector<Bytes>& raw, const BlockLayout& layout, int field)
{
    PxHeader x = dbHead;
    x.fileType = PxFileType::SecondaryIncremental;
    x.indexFieldNumber = static_cast<uint8_t>(field + 1);
    x.autoIncrement = 0;
    x.fields = {dbHead.fields[field]};
    for (int k = 0; k < dbHead.keyFields; ++k) x.fields.push_back(dbHead.fields[k]);
    x.fields.push_back({"Hint", PxType::Short, 2});
    x.keyFields = static_cast<uint16_t>(1 + dbHead.keyFields);
    x.recordSize = static_cast<uint16_t>(keySize(x.fields, static_cast<int>(x.fields.size())));

    std::vector<size_t> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> sortFields{field};
    for (int k = 0; k < dbHead.keyFields; ++k) sortFields.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return compareRecords(records[a], records[b], sortFields) < 0;
    });
    size_t fieldOff = keySize(dbHead.fields, field);
    const size_t pkSize = keySize(dbHead.fields, dbHead.keyFields);
    std::vector<Bytes> xRecords;
    for (size_t i : order) {
        Bytes r(raw[i].begin() + fieldOff, raw[i].begin() + fieldOff + dbHead.fields[field].size);
        r.insert(r.end(), raw[i].begin(), raw[i].begin() + pkSize);
        Bytes hint(2);
        encodeValue({"Hint", PxType::Short, 2}, Value::number(layout.blockOfRecord[i]),
                    codePageForDriver(0x57), hint.data());
        r.insert(r.end(), hint.begin(), hint.end());
        xRecords.push_back(std::move(r));
    }
    BlockLayout xLayout;
    out.xIndex = buildFile(x, xRecords, &xLayout);
    out.yIndex = buildPrimaryIndex(x, xRecords, xLayout, x.recordSize - 2,
                                   static_cast<uint8_t>(x.keyFields));
}

} // namespace

int compareKeys(const Value& a, const Value& b)
{
    if (a.isNull() || b.isNull()) return (a.isNull() ? 0 : 1) - (b.isNull() ? 0 : 1);
    if (a.isText() && b.isText()) return collate(trimRight(a.text()), trimRight(b.text()));
    const double x = a.toNumber(), y = b.toNumber();
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::string secondaryExtension(char letter, int field)
{
    static const char* hex = "0123456789ABCDEF";
    const int n = field + 1;
    return std::string{letter, hex[(n >> 4) & 15], hex[n & 15]};
}

PxTableData decodeTable(const Bytes& db, const Bytes* mb, const std::string& dbName,
                        const std::string& mbName)
{
    const PxHeader h = readHeader(db, dbName);
    if (h.fileType != PxFileType::KeyedTable && h.fileType != PxFileType::UnkeyedTable)
        throw FormatError("Datei '" + dbName + "' ist keine Paradox-Tabelle, sondern ein Index");
    PxTableData t;
    t.info.fields = h.fields;
    t.info.keyFields = h.fileType == PxFileType::KeyedTable ? h.keyFields : 0;
    t.info.autoIncrement = h.autoIncrement;
    t.info.blockSizeKb = h.blockSizeKb;
    t.info.version = h.version;
    t.info.codePage = h.codePage;
    if (!h.sortOrder.empty()) t.info.sortOrder = h.sortOrder;
    t.info.sortOrderCode = h.sortOrderCode;
    const CodePage& cp = codePageNumbered(h.codePage);
    for (const Bytes& raw : readRecords(db, h, dbName))
        t.records.push_back(decodeRecord(h, raw, mb, cp, dbName, mbName));
    return t;
}

PxFiles encodeTable(const PxTableData& table, const std::string& tableName, int secondaryField)
{
    PxHeader h = tableHeader(table.info, tableName);
    std::vector<Record> records = table.records;
    if (table.info.keyFields > 0) {
        std::vector<int> keys(table.info.keyFields);
        std::iota(keys.begin(), keys.end(), 0);
        std::stable_sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
            return compareRecords(a, b, keys) < 0;
        });
    }
    const CodePage& cp = codePageNumbered(table.info.codePage);
    MbWriter mb;
    std::vector<Bytes> raw;
    for (const Record& r : records) raw.push_back(encodeRecord(table.info, r, cp, mb));

    PxFiles out;
    BlockLayout layout;
    out.db = buildFile(h, raw, &layout);
    const bool hasBlobField = std::any_of(h.fields.begin(), h.fields.end(),
                                          [](const PxField& f) { return isBlobType(f.type); });
    if (hasBlobField) out.mb = mb.bytes();
    if (h.keyFields > 0) {
        out.px = buildPrimaryIndex(h, raw, layout, keySize(h.fields, h.keyFields),
                                   static_cast<uint8_t>(h.keyFields));
        if (secondaryField >= 0) addSecondaryIndex(out, h, records, raw, layout, secondaryField);
    }
    return out;
}

} // namespace trevo::engine::paradox
