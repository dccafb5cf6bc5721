#pragma once
// An open dBASE III+/IV table (.DBF) with its memo file (.DBT).
// Record numbers are 0-based physical positions. Text is UTF-8 inside, converted
// to and from the table's code page (a .cpg file beside the table, else the language
// driver byte). All changes must run inside an atomic scope of a session (storage/session.h).
#include "engine/core/value.h"
#include "engine/dbf/attachment.h"
#include "engine/dbf/field.h"
#include "engine/storage/storage.h"

#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace trevo::engine {

class CodePage;

enum class DbfVersion { DBase3, DBase4 };

// Header facts of an open table, for tools.
struct DbfFileInfo {
    uint8_t versionByte = 0;
    int updateYear = 0, updateMonth = 0, updateDay = 0; // date of last update
    uint32_t headerRecordCount = 0; // as the header says (recordCount() is what the file holds)
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    bool productionIndexFlag = false;
    std::string memoPath;  // empty without memo fields
    bool memoPresent = false;
    uint16_t memoBlockSize = 0;
    std::string codePageFile; // the .cpg file whose code page is used; empty when the driver byte counts
};

class DbfTable {
public:
    // Opens a table and its memo file. Damaged files: throws FormatError naming the file
    // and the fault, or opens read-only (readOnly(), faults()) where the data can still be read.
    static std::shared_ptr<DbfTable> open(Storage& storage, const std::string& path);
    // Creates a new table (and memo file when a field is 'M'); must run inside an atomic scope.
    static std::shared_ptr<DbfTable> create(Storage& storage, const std::string& path,
                                            const std::vector<FieldDef>& fields,
                                            DbfVersion version = DbfVersion::DBase4,
                                            uint8_t languageDriver = 0x57);
    ~DbfTable();

    const std::string& path() const;
    bool readOnly() const;
    // Why the table is read-only ("Die Tabelle 'KEGLER.DBF' ist nur zum Lesen geöffnet, weil
    // die Memodatei 'KEGLER.DBT' schreibgeschützt ist"); empty when it may be written.
    std::string readOnlyText() const;
    // German notes on how files that other programs left were read: which of two memo files
    // (names differing only in case) is used, a .cpg file naming no known code page.
    const std::vector<std::string>& notices() const;
    // The code page of the text: a .cpg file beside the table wins over the driver byte.
    const CodePage& codePage() const;
    // German descriptions of the faults found when the files were read (on opening and
    // after a rollback); serious ones make the table read-only.
    const std::vector<std::string>& faults() const;
    // The serious ones among them: the files are damaged and the table is read-only
    // ("Der Kopf nennt 120 Datensätze, die Datei enthält aber 126"). Empty when sound.
    std::vector<std::string> damage() const;
    DbfVersion version() const;
    uint8_t languageDriver() const;
    DbfFileInfo info() const;
    // Every fault of the files: those found on opening plus a scan of every stored value
    // (numbers, dates, logicals, deletion flags). German, one finding per entry.
    std::vector<std::string> check() const;

    const std::vector<FieldDef>& fields() const;
    int fieldIndex(std::string_view name) const; // without regard to case; -1 when absent

    uint32_t recordCount() const; // physical, deleted records included
    bool isDeleted(uint32_t recno) const;
    Value get(uint32_t recno, int field) const;
    Record getRecord(uint32_t recno) const;

    // Checks a value against a field; throws ValueError naming the field when it does not fit.
    void validate(int field, const Value& v) const;
    // Converts a typed text into a value for the field ("dd.mm.yyyy", decimal comma or point,
    // "T"/"F"/"J"/"N"); throws ValueError naming the field.
    Value fromText(int field, std::string_view text) const;
    // The field's value as display text (dates dd.mm.yyyy, numbers with their decimals and comma).
    std::string textOf(uint32_t recno, int field) const;

    // Changes (inside an atomic scope). All fields are validated before any byte is written.
    uint32_t append(const Record& rec);
    void put(uint32_t recno, const Record& rec);
    void setDeleted(uint32_t recno, bool deleted);
    void zap();  // removes all records, keeps the structure
    void pack(); // removes deleted records (record numbers change)

    // Counts every change; caches compare it to know when they are stale.
    uint64_t changeCounter() const;

    // Attachments (indexes, caches), created on first use and told of every change.
    template <class T>
    T& attachment()
    {
        auto& slot = attachments_[std::type_index(typeid(T))];
        if (!slot) slot = std::make_unique<T>(*this);
        return static_cast<T&>(*slot);
    }

private:
    DbfTable();
    // `memoPath`: the memo file just created with the table; empty: looked for beside it.
    static std::shared_ptr<DbfTable> openWith(Storage& storage, const std::string& path, const std::string& memoPath);
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::unordered_map<std::type_index, std::unique_ptr<TableAttachment>> attachments_;
    void notifyChanged(uint32_t recno, const Record* before, const Record* after);
    void notifyReset();
};

} // namespace trevo::engine
