#include "engine/dbf/number_reader.h"

#include "engine/dbf/dbf_table.h"
#include "engine/storage/storage.h"

namespace trevo::engine {

namespace {

// The value of a plain number text: blanks, an optional minus, at most 15 digits with an
// optional decimal point, blanks. nullopt for anything else; `blank` for blanks only.
// m / 10^d of two exactly held whole numbers is the correctly rounded value, as strtod gives.
std::optional<double> plain(const uint8_t* p, uint32_t n, bool& blank)
{
    static constexpr double zehner[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    uint32_t i = 0;
    while (i < n && p[i] == ' ') ++i;
    blank = i == n;
    if (blank) return std::nullopt;
    const bool minus = p[i] == '-';
    if (minus) ++i;
    uint64_t m = 0;
    int ziffern = 0, nachkomma = -1;
    for (; i < n && p[i] != ' '; ++i) {
        if (p[i] == '.' && nachkomma < 0) {
            nachkomma = 0;
        } else if (p[i] >= '0' && p[i] <= '9') {
            if (++ziffern > 15) return std::nullopt;
            m = m * 10 + (p[i] - '0');
            if (nachkomma >= 0) ++nachkomma;
        } else {
            return std::nullopt;
        }
    }
    while (i < n && p[i] == ' ') ++i;
    if (i != n || ziffern == 0) return std::nullopt;
    const double v = static_cast<double>(m) / zehner[nachkomma < 0 ? 0 : nachkomma];
    return minus ? -v : v;
}

} // namespace

NumberReader::NumberReader(Storage& storage, const DbfTable& table, int field) : table_(table), field_(field)
{
    const auto& fields = table.fields();
    if (field < 0 || static_cast<size_t>(field) >= fields.size()) return;
    const char type = fields[static_cast<size_t>(field)].type;
    if (type != 'N' && type != 'F') return;
    uint64_t offset = 1; // the deletion flag comes first
    for (int i = 0; i < field; ++i) offset += fields[static_cast<size_t>(i)].length;
    const DbfFileInfo info = table.info();
    image_ = storage.open(table.path());
    start_ = info.headerLength + offset;
    stride_ = info.recordLength;
    length_ = fields[static_cast<size_t>(field)].length;
    records_ = table.recordCount();
    if (image_->size() < info.headerLength + stride_ * records_ || offset + length_ > stride_) image_.reset();
}

Value NumberReader::read(uint32_t recno) const
{
    if (image_ && recno < records_) {
        bool blank = false;
        if (const auto v = plain(image_->data() + start_ + recno * stride_, length_, blank)) return Value::number(*v);
        if (blank) return Value::null();
    }
    return table_.get(recno, field_);
}

} // namespace trevo::engine
