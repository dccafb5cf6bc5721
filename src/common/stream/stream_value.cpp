#include "common/stream/stream_value.h"

#include "engine/core/collation.h"

namespace trevo::common {

StreamValue StreamValue::ofInteger(int64_t v)
{
    StreamValue s;
    s.kind = StreamKind::Integer;
    s.integer = v;
    return s;
}

StreamValue StreamValue::ofFloat(double v)
{
    StreamValue s;
    s.kind = StreamKind::Float;
    s.real = v;
    return s;
}

StreamValue StreamValue::ofText(std::string v)
{
    StreamValue s;
    s.kind = StreamKind::Text;
    s.text = std::move(v);
    return s;
}

StreamValue StreamValue::ofIdentifier(std::string v)
{
    StreamValue s;
    s.kind = StreamKind::Identifier;
    s.text = std::move(v);
    return s;
}

StreamValue StreamValue::ofBoolean(bool v)
{
    StreamValue s;
    s.kind = StreamKind::Boolean;
    s.boolean = v;
    return s;
}

const StreamValue* StreamObject::property(const std::string& propertyName) const
{
    const std::string wanted = engine::toUpperGerman(propertyName);
    for (const auto& p : properties)
        if (engine::toUpperGerman(p.name) == wanted) return &p.value;
    return nullptr;
}

} // namespace trevo::common
