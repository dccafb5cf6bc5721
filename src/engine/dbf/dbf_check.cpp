// The full check of a table's files, for the check tool and the maintenance window.
#include "engine/dbf/dbf_impl.h"

#include "engine/dbf/field_codec.h"

#include <cstdio>

namespace trevo::engine {

namespace {
constexpr size_t kListedValueFaults = 50;
}

DbfFileInfo DbfTable::info() const
{
    const Impl& im = *impl_;
    DbfFileInfo i;
    i.versionByte = im.header.version;
    i.updateYear = im.header.year < 80 ? 2000 + im.header.year : 1900 + im.header.year;
    i.updateMonth = im.header.month;
    i.updateDay = im.header.day;
    i.headerRecordCount = im.header.recordCount;
    i.headerLength = im.header.headerLength;
    i.recordLength = im.header.recordLength;
    i.productionIndexFlag = im.header.mdxFlag != 0;
    i.memoPath = im.memoPath;
    i.memoPresent = im.memo != nullptr;
    i.memoBlockSize = im.memo ? im.memo->blockSize() : 0;
    if (im.cpg.page) i.codePageFile = im.cpg.path;
    return i;
}

std::vector<std::string> DbfTable::check() const
{
    const Impl& im = *impl_;
    std::vector<std::string> out = im.faultTexts;
    size_t found = 0;
    auto note = [&](std::string text) {
        if (found++ < kListedValueFaults) out.push_back(std::move(text));
    };
    for (uint32_t r = 0; r < im.header.usableRecords; ++r) {
        const uint8_t* rec = im.recordBytes(r);
        if (rec[0] != ' ' && rec[0] != '*') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "0x%02X", rec[0]);
            note("Datensatz " + std::to_string(r + 1) + ": ungültige Löschmarke " + buf);
        }
        for (size_t i = 0; i < im.header.fields.size(); ++i) {
            const FieldDef& f = im.header.fields[i];
            if (f.type == 'M') continue; // memo references are checked on opening
            if (auto why = rawFieldFault(f, rec + im.header.offsets[i]))
                note("Datensatz " + std::to_string(r + 1) + ", Feld '" + f.name + "': " + *why);
        }
    }
    if (found > kListedValueFaults)
        out.push_back("Insgesamt " + std::to_string(found) + " unlesbare Werte und Löschmarken");
    return out;
}

} // namespace trevo::engine
