#include "engine/paradox/paradox_table.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/fs/file_system.h"
#include "engine/paradox/px_codec.h"

#include <algorithm>
#include <numeric>

namespace trevo::engine::paradox {
namespace {

Bytes bytesOf(const FileImage& image) { return Bytes(image.data(), image.data() + image.size()); }

void checkFields(const PxTableInfo& info)
{
    if (info.fields.empty() || info.fields.size() > 255) throw ValueError("Ungültige Anzahl der Felder");
    if (info.keyFields < 0 || static_cast<size_t>(info.keyFields) > info.fields.size())
        throw ValueError("Ungültige Anzahl der Schlüsselfelder");
    for (const PxField& f : info.fields) {
        const size_t fixed = f.type == PxType::Bcd ? 0 : fixedFieldSize(f.type);
        const bool ok = !f.name.empty() &&
                        (fixed ? f.size == fixed
                               : f.type == PxType::Alpha ? f.size >= 1
                                                         : isBlobType(f.type) && f.size > 10 && f.size <= 250);
        if (!ok) throw ValueError("Feld '" + f.name + "' hat einen ungültigen Typ oder eine ungültige Länge");
    }
}

// Values as they read back from the files: alpha texts without trailing blanks, and
// empty texts as blanks.
void normalize(const std::vector<PxField>& fields, Record& rec)
{
    rec.resize(fields.size());
    for (size_t f = 0; f < fields.size(); ++f) {
        if (!rec[f].isText()) continue;
        if (fields[f].type == PxType::Alpha) rec[f] = Value::text(std::string(trimRight(rec[f].text())));
        if (rec[f].text().empty()) rec[f] = Value::null();
    }
}

} // namespace

ParadoxTable::ParadoxTable(Storage& storage, std::string path)
    : storage_(storage), path_(std::move(path))
{
}

std::string ParadoxTable::sibling(const std::string& ext) const
{
    const std::string name = fileNameOf(path_);
    const size_t dot = name.rfind('.');
    const std::string base = path_.substr(0, path_.size() - name.size() + (dot == std::string::npos ? name.size() : dot));
    return base + "." + ext;
}

std::unique_ptr<ParadoxTable> ParadoxTable::open(Storage& storage, const std::string& path)
{
    std::unique_ptr<ParadoxTable> t(new ParadoxTable(storage, path));
    t->load();
    t->watch();
    for (size_t i = 0; i < t->fields().size() && t->data_.info.keyFields > 0; ++i)
        if (storage.exists(t->sibling(secondaryExtension('X', static_cast<int>(i))))) {
            t->secondary_ = static_cast<int>(i);
            break;
        }
    return t;
}

std::unique_ptr<ParadoxTable> ParadoxTable::create(Storage& storage, const std::string& path,
                                                   const PxTableInfo& info, int secondaryField)
{
    checkFields(info);
    if (secondaryField >= static_cast<int>(info.fields.size()) || (secondaryField >= 0 && info.keyFields == 0))
        throw ValueError("Ungültiges Feld für den Sekundärindex");
    std::unique_ptr<ParadoxTable> t(new ParadoxTable(storage, path));
    t->data_.info = info;
    t->secondary_ = secondaryField;
    std::vector<std::string> files{path, t->sibling("MB"), t->sibling("PX")};
    if (secondaryField >= 0) {
        files.push_back(t->sibling(secondaryExtension('X', secondaryField)));
        files.push_back(t->sibling(secondaryExtension('Y', secondaryField)));
    }
    for (const auto& f : files)
        if (storage.exists(f)) throw EngineError("Datei '" + f + "' ist schon vorhanden");
    t->write();
    t->watch();
    return t;
}

void ParadoxTable::load()
{
    dbImage_ = storage_.open(path_);
    const std::string mbPath = sibling("MB");
    std::optional<Bytes> mb;
    if (storage_.exists(mbPath)) mb = bytesOf(*storage_.open(mbPath));
    data_ = decodeTable(bytesOf(*dbImage_), mb ? &*mb : nullptr, fileNameOf(path_), fileNameOf(mbPath));
}

// A rolled-back transaction restores the files; the records follow them.
void ParadoxTable::watch()
{
    dbImage_ = storage_.open(path_);
    std::weak_ptr<int> alive = alive_;
    dbImage_->onRestored([this, alive] {
        if (alive.expired()) return;
        try {
            if (dbImage_->size() == 0) data_.records.clear();
            else load();
        } catch (const EngineError&) {
            data_.records.clear();
        }
    });
}

int ParadoxTable::fieldIndex(std::string_view name) const
{
    const std::string upper = toUpperGerman(name);
    for (size_t i = 0; i < fields().size(); ++i)
        if (toUpperGerman(fields()[i].name) == upper) return static_cast<int>(i);
    return -1;
}

std::optional<size_t> ParadoxTable::find(int field, const Value& value) const
{
    if (field < 0 || static_cast<size_t>(field) >= fields().size()) return std::nullopt;
    std::optional<size_t> best;
    for (size_t i = 0; i < data_.records.size(); ++i) {
        const Value& v = data_.records[i][field];
        const bool equal = v.isText() && value.isText() ? trimRight(v.text()) == trimRight(value.text())
                                                        : v == value;
        if (equal && (!best || compareKeys(v, data_.records[*best][field]) < 0)) best = i;
    }
    return best;
}

uint32_t ParadoxTable::nextAutoIncrement() const
{
    double highest = data_.info.autoIncrement;
    for (size_t f = 0; f < fields().size(); ++f)
        if (fields()[f].type == PxType::AutoInc)
            for (const Record& r : data_.records)
                if (r[f].isNumber()) highest = std::max(highest, r[f].number());
    return static_cast<uint32_t>(highest) + 1;
}

size_t ParadoxTable::append(Record rec)
{
    normalize(fields(), rec);
    std::optional<double> assigned;
    for (size_t f = 0; f < fields().size(); ++f)
        if (fields()[f].type == PxType::AutoInc) {
            assigned = nextAutoIncrement();
            rec[f] = Value::number(*assigned);
        }
    PxTableData before = data_;
    data_.records.push_back(std::move(rec));
    if (assigned) data_.info.autoIncrement = static_cast<uint32_t>(*assigned);
    try {
        write();
    } catch (...) {
        data_ = std::move(before);
        throw;
    }
    const Record added = data_.records.back();
    sortByKey();
    return static_cast<size_t>(std::find(data_.records.begin(), data_.records.end(), added) - data_.records.begin());
}

size_t ParadoxTable::put(size_t pos, Record rec)
{
    normalize(fields(), rec);
    const Record& old = data_.records.at(pos);
    for (size_t f = 0; f < fields().size(); ++f)
        if (fields()[f].type == PxType::AutoInc) rec[f] = old[f];
    PxTableData before = data_;
    data_.records[pos] = rec;
    try {
        write();
    } catch (...) {
        data_ = std::move(before);
        throw;
    }
    sortByKey();
    return static_cast<size_t>(std::find(data_.records.begin(), data_.records.end(), rec) - data_.records.begin());
}

void ParadoxTable::remove(size_t pos)
{
    PxTableData before = data_;
    data_.records.erase(data_.records.begin() + static_cast<ptrdiff_t>(pos));
    try {
        write();
    } catch (...) {
        data_ = std::move(before);
        throw;
    }
}

void ParadoxTable::sortByKey()
{
    const int keys = data_.info.keyFields;
    std::stable_sort(data_.records.begin(), data_.records.end(), [keys](const Record& a, const Record& b) {
        for (int k = 0; k < keys; ++k)
            if (int c = compareKeys(a[k], b[k])) return c < 0;
        return false;
    });
}

void ParadoxTable::write()
{
    const PxFiles files = encodeTable(data_, fileNameOf(path_), secondary_);
    auto put = [this](const std::string& path, const Bytes& bytes) {
        auto image = storage_.exists(path) ? storage_.open(path) : storage_.create(path);
        image->resize(bytes.size());
        image->write(0, bytes.data(), bytes.size());
    };
    put(path_, files.db);
    if (files.mb) put(sibling("MB"), *files.mb);
    if (files.px) put(sibling("PX"), *files.px);
    if (files.xIndex) put(sibling(secondaryExtension('X', secondary_)), *files.xIndex);
    if (files.yIndex) put(sibling(secondaryExtension('Y', secondary_)), *files.yIndex);
}

} // namespace trevo::engine::paradox
