#pragma once
// State of an open table, shared by the parts of DbfTable (reading, writing, checking).
#include "engine/codepage/code_page.h"
#include "engine/dbf/companion_files.h"
#include "engine/dbf/dbf_header.h"
#include "engine/dbf/dbf_table.h"
#include "engine/dbf/memo_file.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace trevo::engine {

struct DbfTable::Impl {
    Storage* storage = nullptr;
    std::string path;
    std::string fileName;     // for messages: "KEGLER.DBF"
    std::string memoPath;     // empty without memo fields
    std::shared_ptr<FileImage> dbf;
    std::unique_ptr<MemoFile> memo;
    DbfHeader header;
    const CodePage* cp = nullptr;
    CodePageFile cpg;                   // a .cpg file beside the table, if any
    std::vector<std::string> notices;   // how the files were read (two memo files, a .cpg file)
    std::vector<DbfFault> faults;
    std::vector<std::string> faultTexts;
    uint32_t badMemoRefs = 0;              // records whose memo reference is damaged
    std::unordered_set<uint32_t> sharedBlocks; // memo blocks referenced more than once
    bool readOnly = false;
    bool prepared = false; // header flags and tail put in order for writing
    std::unordered_map<std::string, int> fieldByName; // upper-case name -> index
    std::vector<int> memoFields;
    uint64_t changeCounter = 0;
    std::shared_ptr<DbfTable*> self; // lets restore listeners outlive the table safely

    const uint8_t* recordBytes(uint32_t recno) const
    {
        return dbf->data() + header.headerLength + static_cast<uint64_t>(recno) * header.recordLength;
    }
    uint64_t recordOffset(uint32_t recno) const
    {
        return header.headerLength + static_cast<uint64_t>(recno) * header.recordLength;
    }
    uint64_t dataEnd() const { return recordOffset(header.usableRecords); }
    MemoKind memoKind() const { return header.version == 0x8B ? MemoKind::DBase4 : MemoKind::DBase3; }
    std::string baseName() const;

    // Reads header, memo header and memo references from the images; fills faults.
    void analyze();
    void addFault(std::string text, bool serious);
    void checkIndex(uint32_t recno, int field) const;
    void checkWritable() const;
    std::string readOnlyText() const; // empty when the table may be written
    // Opens the memo file; of several whose names differ only in case, the fitting one.
    void openMemo();
    // Today's date in the header, production-index flags cleared, 0x1A after the records.
    void prepareWrite();
    // The value of a memo field from its reference bytes.
    Value memoValue(const uint8_t* refBytes) const;
    std::optional<std::string> memoBytes(const uint8_t* refBytes) const;
    // Follows rollbacks of the images: re-reads everything, then tells the attachments.
    void watch();
    std::string memoPayload(const FieldDef& f, const Value& v) const; // code page bytes of a memo
    void checkRecordSize(const Record& rec) const;
    void writeCount(uint32_t count);
    void restored(DbfTable& owner);
};

// The header of a new table; throws ValueError for an unusable structure.
DbfHeader newTableHeader(const std::vector<FieldDef>& fields, DbfVersion version, uint8_t languageDriver);

} // namespace trevo::engine
