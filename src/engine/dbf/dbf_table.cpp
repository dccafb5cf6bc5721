// Opening, creating and reading tables.
#include "engine/dbf/dbf_impl.h"

#include "engine/core/error.h"
#include "engine/dbf/field_codec.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace trevo::engine {

namespace {

constexpr size_t kListedMemoFaults = 20;

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string capitalized(std::string s)
{
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

void today(uint8_t& y, uint8_t& m, uint8_t& d)
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    y = static_cast<uint8_t>(std::clamp(tm.tm_year, 0, 255));
    m = static_cast<uint8_t>(tm.tm_mon + 1);
    d = static_cast<uint8_t>(tm.tm_mday);
}

} // namespace

std::string DbfTable::Impl::baseName() const
{
    std::string name = fileName;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return upperAscii(name);
}

void DbfTable::Impl::addFault(std::string text, bool serious) { faults.push_back({std::move(text), serious}); }

void DbfTable::Impl::analyze()
{
    std::vector<DbfFault> found;
    DbfHeader h = parseDbfHeader(dbf->data(), dbf->size(), fileName, found, cpg.page);
    header = std::move(h);
    faults = std::move(found);
    cp = cpg.page ? cpg.page : &codePageForDriver(header.languageDriver);
    prepared = false;
    badMemoRefs = 0;
    sharedBlocks.clear();
    fieldByName.clear();
    memoFields.clear();
    for (size_t i = 0; i < header.fields.size(); ++i) {
        fieldByName.emplace(upperAscii(header.fields[i].name), static_cast<int>(i));
        if (header.fields[i].type == 'M') memoFields.push_back(static_cast<int>(i));
    }
    if (!memoFields.empty()) {
        if (header.version == 0x03)
            addFault("die Kennung 0x03 sieht keine Memodatei vor, die Tabelle hat aber Memofelder", true);
        if (!memo) {
            openMemo();
        } else {
            memo->reload(faults);
        }
        std::unordered_map<uint32_t, uint32_t> uses;
        size_t listed = 0;
        for (uint32_t r = 0; r < header.usableRecords; ++r) {
            const uint8_t* rec = recordBytes(r);
            for (int fi : memoFields) {
                const uint8_t* ref = rec + header.offsets[fi];
                auto block = decodeMemoRef(ref);
                std::string why;
                if (!block)
                    why = "der Memoverweis '" + std::string(reinterpret_cast<const char*>(ref), 10) +
                          "' ist keine Blocknummer";
                else if (*block == 0 || !memo)
                    continue;
                else if (!memo->read(*block, &why))
                    ;
                else {
                    if (++uses[*block] == 2) sharedBlocks.insert(*block);
                    continue;
                }
                ++badMemoRefs;
                if (listed++ < kListedMemoFaults)
                    addFault("Datensatz " + std::to_string(r + 1) + ", Feld '" + header.fields[fi].name + "': " + why,
                             true);
            }
        }
        if (listed > kListedMemoFaults)
            addFault("insgesamt " + std::to_string(badMemoRefs) + " beschädigte Memoverweise", true);
        if (!sharedBlocks.empty())
            addFault(std::to_string(sharedBlocks.size()) + " Memoblöcke gehören zu mehreren Datensätzen", false);
    }
    readOnly = dbf->readOnly() || (memo && memo->image().readOnly());
    faultTexts.clear();
    for (const DbfFault& f : faults) {
        readOnly = readOnly || f.serious;
        faultTexts.push_back(capitalized(f.text));
    }
}

void DbfTable::Impl::openMemo()
{
    std::string found = memoPath;
    if (found.empty()) { // else: the memo file was just created with the table
        memoPath = companionPath(path, "DBT");
        const std::vector<std::string> candidates = caseVariants(storage->fs(), memoPath);
        if (candidates.size() > 1) {
            std::vector<uint32_t> blocks;
            for (uint32_t r = 0; r < header.usableRecords; ++r)
                for (int fi : memoFields)
                    if (auto block = decodeMemoRef(recordBytes(r) + header.offsets[fi]); block && *block != 0)
                        blocks.push_back(*block);
            MemoChoice choice = chooseMemoFile(storage->fs(), candidates, memoPath, memoKind(), blocks, fileName);
            if (std::find(notices.begin(), notices.end(), choice.notice) == notices.end())
                notices.push_back(choice.notice);
            found = choice.path;
        } else {
            found = resolveCaseInsensitive(storage->fs(), memoPath);
        }
    }
    if (!storage->exists(found)) {
        addFault("die Memodatei '" + fileNameOf(memoPath) + "' fehlt", true);
        return;
    }
    memoPath = found;
    memo = std::make_unique<MemoFile>(storage->open(found), memoKind(), fileNameOf(found), faults);
}

void DbfTable::Impl::checkIndex(uint32_t recno, int field) const
{
    if (recno >= header.usableRecords)
        throw EngineError("Die Tabelle '" + fileName + "' hat keinen Datensatz " + std::to_string(recno + 1));
    if (field < 0 || static_cast<size_t>(field) >= header.fields.size())
        throw EngineError("Die Tabelle '" + fileName + "' hat kein Feld Nr. " + std::to_string(field + 1));
}

std::string DbfTable::Impl::readOnlyText() const
{
    if (!readOnly) return {};
    std::string why;
    for (const DbfFault& f : faults)
        if (f.serious) {
            why = ", weil sie beschädigt ist: " + f.text;
            break;
        }
    if (why.empty() && memo && memo->image().readOnly() && !dbf->readOnly())
        why = ", weil die Memodatei '" + memo->fileName() + "' schreibgeschützt ist";
    if (why.empty()) why = ", weil die Datei schreibgeschützt ist";
    return "Die Tabelle '" + fileName + "' ist nur zum Lesen geöffnet" + why;
}

void DbfTable::Impl::checkWritable() const
{
    if (readOnly) throw EngineError(readOnlyText());
}

void DbfTable::Impl::prepareWrite()
{
    uint8_t date[3];
    today(date[0], date[1], date[2]);
    if (std::memcmp(dbf->data() + 1, date, 3) != 0) dbf->write(1, date, 3);
    if (prepared) return;
    // Trevo keeps its indexes in memory; a production index left behind would be stale.
    if (header.mdxFlag != 0) {
        const uint8_t zero = 0;
        dbf->write(28, &zero, 1);
        header.mdxFlag = 0;
    }
    for (size_t i = 0; i < header.tagFlags.size(); ++i) {
        if (header.tagFlags[i] == 0) continue;
        const uint8_t zero = 0;
        dbf->write(32 + 32 * i + 31, &zero, 1);
        header.tagFlags[i] = 0;
    }
    const uint64_t end = dataEnd();
    if (dbf->size() <= end || dbf->data()[end] != 0x1A) {
        const uint8_t eof = 0x1A;
        dbf->write(end, &eof, 1);
    }
    prepared = true;
}

std::optional<std::string> DbfTable::Impl::memoBytes(const uint8_t* refBytes) const
{
    auto block = decodeMemoRef(refBytes);
    if (!block) return std::nullopt;
    if (*block == 0) return std::string();
    if (!memo) return std::nullopt;
    return memo->read(*block);
}

Value DbfTable::Impl::memoValue(const uint8_t* refBytes) const
{
    auto bytes = memoBytes(refBytes);
    if (!bytes) return Value::null();
    return Value::text(cp->decode(*bytes));
}

DbfTable::DbfTable() : impl_(std::make_unique<Impl>()) {}

DbfTable::~DbfTable()
{
    attachments_.clear();
    if (impl_ && impl_->self) *impl_->self = nullptr;
}

void DbfTable::Impl::watch()
{
    std::weak_ptr<DbfTable*> token = self;
    auto listener = [token] {
        if (auto p = token.lock())
            if (*p) (*p)->impl_->restored(**p);
    };
    dbf->onRestored(listener);
    if (memo) memo->image().onRestored(listener);
}

void DbfTable::Impl::restored(DbfTable& owner)
{
    try {
        analyze();
    } catch (const EngineError& e) {
        header.usableRecords = 0;
        readOnly = true;
        faults = {{e.what(), true}};
        faultTexts = {e.what()};
    }
    ++changeCounter;
    owner.notifyReset();
}

std::shared_ptr<DbfTable> DbfTable::open(Storage& storage, const std::string& path)
{
    return openWith(storage, path, {});
}

std::shared_ptr<DbfTable> DbfTable::openWith(Storage& storage, const std::string& path, const std::string& memoPath)
{
    std::shared_ptr<DbfTable> t(new DbfTable());
    Impl& im = *t->impl_;
    im.storage = &storage;
    im.memoPath = memoPath;
    im.dbf = storage.open(path);
    im.path = im.dbf->path();
    im.fileName = fileNameOf(im.path);
    im.cpg = readCodePageFile(storage.fs(), im.path);
    if (!im.cpg.path.empty() && !im.cpg.page)
        im.notices.push_back("Die Datei '" + fileNameOf(im.cpg.path) + "' nennt den unbekannten Zeichensatz '" +
                             im.cpg.text + "'; die Tabelle '" + im.fileName + "' wird nach ihrem Sprachtreiber gelesen");
    im.analyze();
    im.self = std::make_shared<DbfTable*>(t.get());
    im.watch();
    return t;
}

std::shared_ptr<DbfTable> DbfTable::create(Storage& storage, const std::string& path,
                                           const std::vector<FieldDef>& fields, DbfVersion version,
                                           uint8_t languageDriver)
{
    DbfHeader h = newTableHeader(fields, version, languageDriver);
    today(h.year, h.month, h.day);
    std::vector<uint8_t> bytes = encodeDbfHeader(h);
    bytes.push_back(0x1A);
    auto image = storage.create(path);
    image->write(0, bytes.data(), bytes.size());
    std::string memoPath;
    if (h.version & 0x80) {
        memoPath = companionPath(image->path(), "DBT");
        const std::string existing = resolveCaseInsensitive(storage.fs(), memoPath);
        if (storage.exists(existing)) storage.remove(existing); // left over from an earlier table
        auto memoImage = storage.create(memoPath);
        std::string base = fileNameOf(image->path());
        base = upperAscii(base.substr(0, base.rfind('.')));
        MemoFile::initialize(*memoImage, version == DbfVersion::DBase4 ? MemoKind::DBase4 : MemoKind::DBase3, base);
        memoPath = memoImage->path();
    }
    return openWith(storage, image->path(), memoPath);
}

const std::string& DbfTable::path() const { return impl_->path; }
bool DbfTable::readOnly() const { return impl_->readOnly; }
std::string DbfTable::readOnlyText() const { return impl_->readOnlyText(); }
const std::vector<std::string>& DbfTable::notices() const { return impl_->notices; }
const CodePage& DbfTable::codePage() const { return *impl_->cp; }
const std::vector<std::string>& DbfTable::faults() const { return impl_->faultTexts; }
std::vector<std::string> DbfTable::damage() const
{
    std::vector<std::string> out;
    for (size_t i = 0; i < impl_->faults.size() && i < impl_->faultTexts.size(); ++i)
        if (impl_->faults[i].serious) out.push_back(impl_->faultTexts[i]);
    return out;
}

DbfVersion DbfTable::version() const { return impl_->header.version == 0x8B ? DbfVersion::DBase4 : DbfVersion::DBase3; }
uint8_t DbfTable::languageDriver() const { return impl_->header.languageDriver; }
const std::vector<FieldDef>& DbfTable::fields() const { return impl_->header.fields; }

int DbfTable::fieldIndex(std::string_view name) const
{
    auto it = impl_->fieldByName.find(upperAscii(name));
    return it == impl_->fieldByName.end() ? -1 : it->second;
}

uint32_t DbfTable::recordCount() const { return impl_->header.usableRecords; }

bool DbfTable::isDeleted(uint32_t recno) const
{
    impl_->checkIndex(recno, 0);
    return impl_->recordBytes(recno)[0] == '*';
}

Value DbfTable::get(uint32_t recno, int field) const
{
    impl_->checkIndex(recno, field);
    const FieldDef& f = impl_->header.fields[field];
    const uint8_t* bytes = impl_->recordBytes(recno) + impl_->header.offsets[field];
    if (f.type == 'M') return impl_->memoValue(bytes);
    return decodeField(f, bytes, *impl_->cp);
}

Record DbfTable::getRecord(uint32_t recno) const
{
    impl_->checkIndex(recno, 0);
    Record r;
    r.reserve(impl_->header.fields.size());
    for (size_t i = 0; i < impl_->header.fields.size(); ++i) r.push_back(get(recno, static_cast<int>(i)));
    return r;
}

uint64_t DbfTable::changeCounter() const { return impl_->changeCounter; }

void DbfTable::notifyChanged(uint32_t recno, const Record* before, const Record* after)
{
    if (!before && !after) return;
    for (auto& [type, a] : attachments_) a->recordChanged(recno, before, after);
}

void DbfTable::notifyReset()
{
    for (auto& [type, a] : attachments_) a->tableReset();
}

} // namespace trevo::engine
