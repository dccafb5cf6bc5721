#include "engine/dbf/number_reader.h"

#include "engine/dbf/dbf_table.h"
#include "engine/dbf/field_codec.h"
#include "engine/storage/storage.h"

namespace trevo::engine {

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
    if (image_ && recno < records_) return decodeNumber(image_->data() + start_ + recno * stride_, length_);
    return table_.get(recno, field_);
}

} // namespace trevo::engine
