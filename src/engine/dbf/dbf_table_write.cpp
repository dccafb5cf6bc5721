// Changes of a table: append, put, delete flags, zap and pack.
#include "engine/dbf/dbf_impl.h"

#include "engine/core/error.h"
#include "engine/dbf/field_codec.h"

#include <cstring>
#include <set>

namespace trevo::engine {

DbfHeader newTableHeader(const std::vector<FieldDef>& fields, DbfVersion version, uint8_t languageDriver)
{
    if (fields.empty()) throw ValueError("Eine Tabelle braucht mindestens ein Feld");
    if (fields.size() > 255) throw ValueError("Eine Tabelle kann höchstens 255 Felder haben");
    // 0 ("not given", read as Windows-1252) is kept when a table written so is rebuilt.
    bool known = false;
    codePageForDriver(languageDriver, &known);
    if (!known) throw ValueError("Unbekannter Sprachtreiber für eine neue Tabelle");
    DbfHeader h;
    std::set<std::string> names;
    uint32_t offset = 1;
    bool memo = false;
    for (const FieldDef& f : fields) {
        checkFieldDef(f);
        if (!names.insert(f.name).second) throw ValueError("Der Feldname '" + f.name + "' kommt zweimal vor");
        h.fields.push_back(f);
        h.offsets.push_back(offset);
        h.tagFlags.push_back(0);
        offset += f.length;
        memo = memo || f.type == 'M';
    }
    if (offset > 65535) throw ValueError("Die Datensätze der Tabelle wären länger als 65535 Bytes");
    h.version = !memo ? 0x03 : version == DbfVersion::DBase4 ? 0x8B : 0x83;
    h.headerLength = static_cast<uint16_t>(32 + 32 * fields.size() + 1);
    h.recordLength = static_cast<uint16_t>(offset);
    h.languageDriver = languageDriver;
    return h;
}

namespace {

// Code page bytes of a memo value; an empty text needs no block.
} // namespace

std::string DbfTable::Impl::memoPayload(const FieldDef& f, const Value& v) const
{
    const Impl& im = *this;
    if (v.isNull()) return {};
    if (!v.isText()) throwWrongType(f, v);
    std::string bytes = encodeText(f, v.text(), *im.cp);
    if (im.memoKind() == MemoKind::DBase3 && bytes.find('\x1A') != std::string::npos)
        throw ValueError("Das Feld '" + f.name + "' kann das Steuerzeichen 0x1A nicht speichern");
    return bytes;
}

void DbfTable::Impl::checkRecordSize(const Record& rec) const
{
    const Impl& im = *this;
    if (rec.size() != im.header.fields.size())
        throw EngineError("Der Datensatz hat " + std::to_string(rec.size()) + " Werte, die Tabelle '" + im.fileName +
                          "' hat " + std::to_string(im.header.fields.size()) + " Felder");
}

void DbfTable::Impl::writeCount(uint32_t count)
{
    Impl& im = *this;
    uint8_t b[4];
    writeU32(b, count);
    im.dbf->write(4, b, 4);
    im.header.recordCount = count;
    im.header.usableRecords = count;
}

namespace {

struct PendingMemo {
    int field;
    std::string bytes;
    uint32_t oldBlock;
};

} // namespace

void DbfTable::validate(int field, const Value& v) const
{
    if (field < 0 || static_cast<size_t>(field) >= impl_->header.fields.size())
        throw EngineError("Die Tabelle '" + impl_->fileName + "' hat kein Feld Nr. " + std::to_string(field + 1));
    const FieldDef& f = impl_->header.fields[static_cast<size_t>(field)];
    if (f.type == 'M') {
        impl_->memoPayload(f, v);
        return;
    }
    std::vector<uint8_t> buf(f.length);
    encodeField(f, v, *impl_->cp, buf.data());
}

uint32_t DbfTable::append(const Record& rec)
{
    Impl& im = *impl_;
    im.checkWritable();
    im.checkRecordSize(rec);
    std::vector<uint8_t> bytes(im.header.recordLength + 1, ' ');
    std::vector<PendingMemo> memos;
    for (size_t i = 0; i < rec.size(); ++i) {
        const FieldDef& f = im.header.fields[i];
        if (f.type == 'M')
            memos.push_back({static_cast<int>(i), im.memoPayload(f, rec[i]), 0});
        else
            encodeField(f, rec[i], *im.cp, &bytes[im.header.offsets[i]]);
    }
    im.prepareWrite();
    for (const PendingMemo& m : memos) {
        const uint32_t block = m.bytes.empty() ? 0 : im.memo->write(0, m.bytes);
        encodeMemoRef(block, &bytes[im.header.offsets[m.field]]);
    }
    bytes.back() = 0x1A;
    const uint32_t recno = im.header.usableRecords;
    im.dbf->write(im.recordOffset(recno), bytes.data(), bytes.size());
    im.writeCount(recno + 1);
    ++im.changeCounter;
    const Record after = getRecord(recno);
    notifyChanged(recno, nullptr, &after);
    return recno;
}

void DbfTable::put(uint32_t recno, const Record& rec)
{
    Impl& im = *impl_;
    im.checkWritable();
    im.checkIndex(recno, 0);
    im.checkRecordSize(rec);
    const Record before = getRecord(recno);
    const uint8_t* old = im.recordBytes(recno);
    std::vector<uint8_t> bytes(old, old + im.header.recordLength);
    std::vector<PendingMemo> memos;
    for (size_t i = 0; i < rec.size(); ++i) {
        const FieldDef& f = im.header.fields[i];
        uint8_t* at = &bytes[im.header.offsets[i]];
        if (f.type != 'M') {
            encodeField(f, rec[i], *im.cp, at);
        } else if (!(rec[i] == before[i])) {
            const uint32_t oldBlock = decodeMemoRef(at).value_or(0);
            memos.push_back({static_cast<int>(i), im.memoPayload(f, rec[i]),
                             im.sharedBlocks.count(oldBlock) ? 0u : oldBlock});
        }
    }
    if (memos.empty() && std::memcmp(bytes.data(), old, bytes.size()) == 0) return;
    im.prepareWrite();
    for (const PendingMemo& m : memos) {
        const uint32_t block = m.bytes.empty() ? 0 : im.memo->write(m.oldBlock, m.bytes);
        encodeMemoRef(block, &bytes[im.header.offsets[m.field]]);
    }
    im.dbf->write(im.recordOffset(recno), bytes.data(), bytes.size());
    ++im.changeCounter;
    const bool deleted = bytes[0] == '*';
    const Record after = getRecord(recno);
    notifyChanged(recno, deleted ? nullptr : &before, deleted ? nullptr : &after);
}

void DbfTable::setDeleted(uint32_t recno, bool deleted)
{
    Impl& im = *impl_;
    im.checkWritable();
    im.checkIndex(recno, 0);
    if (isDeleted(recno) == deleted) return;
    const Record rec = getRecord(recno);
    im.prepareWrite();
    const uint8_t flag = deleted ? '*' : ' ';
    im.dbf->write(im.recordOffset(recno), &flag, 1);
    ++im.changeCounter;
    notifyChanged(recno, deleted ? &rec : nullptr, deleted ? nullptr : &rec);
}

void DbfTable::zap()
{
    Impl& im = *impl_;
    im.checkWritable();
    im.prepareWrite();
    im.dbf->resize(im.header.headerLength);
    const uint8_t eof = 0x1A;
    im.dbf->write(im.header.headerLength, &eof, 1);
    im.writeCount(0);
    if (im.memo) im.memo->reset(im.baseName());
    im.sharedBlocks.clear();
    ++im.changeCounter;
    notifyReset();
}

void DbfTable::pack()
{
    Impl& im = *impl_;
    im.checkWritable();
    std::vector<uint32_t> live;
    for (uint32_t r = 0; r < im.header.usableRecords; ++r)
        if (im.recordBytes(r)[0] != '*') live.push_back(r);
    if (live.size() == im.header.usableRecords) return;
    const size_t len = im.header.recordLength;
    std::vector<uint8_t> data(live.size() * len + 1);
    for (size_t k = 0; k < live.size(); ++k) std::memcpy(&data[k * len], im.recordBytes(live[k]), len);
    data.back() = 0x1A;
    if (im.memo) {
        // The memo file is written anew with the memos of the remaining records only.
        std::vector<std::string> texts;
        for (size_t k = 0; k < live.size(); ++k)
            for (int fi : im.memoFields) texts.push_back(im.memoBytes(&data[k * len + im.header.offsets[fi]]).value_or(""));
        im.memo->reset(im.baseName());
        size_t t = 0;
        for (size_t k = 0; k < live.size(); ++k)
            for (int fi : im.memoFields) {
                const std::string& text = texts[t++];
                encodeMemoRef(text.empty() ? 0 : im.memo->write(0, text), &data[k * len + im.header.offsets[fi]]);
            }
        im.sharedBlocks.clear();
    }
    im.prepareWrite();
    im.dbf->resize(im.header.headerLength);
    im.dbf->write(im.header.headerLength, data.data(), data.size());
    im.writeCount(static_cast<uint32_t>(live.size()));
    ++im.changeCounter;
    notifyReset();
}

} // namespace trevo::engine
