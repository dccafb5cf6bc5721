#pragma once
// The content of a binary object stream ("TPF0"): an object with its class name,
// object name, properties (dotted names such as "Font.Name" allowed) and child
// objects. Texts are UTF-8 here whatever their code in the stream.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trevo::common {

// Value codes of the stream.
enum class StreamCode : uint8_t {
    Null = 0, List = 1, Int8 = 2, Int16 = 3, Int32 = 4, Extended = 5, String = 6,
    Ident = 7, False = 8, True = 9, Binary = 10, Set = 11, LString = 12, Nil = 13,
    Collection = 14, Single = 15, Currency = 16, Date = 17, WString = 18, Int64 = 19,
    Utf8String = 20,
};

enum class StreamKind {
    Null, List, Integer, Float, Text, Identifier, Boolean, Binary, Set, Nil, Collection,
    Currency, Date,
};

struct StreamProperty;

struct CollectionItem {
    std::optional<int64_t> index;
    std::vector<StreamProperty> properties;
};

struct StreamValue {
    StreamKind kind = StreamKind::Null;
    int64_t integer = 0;          // Integer; Currency in units of 1/10000
    double real = 0;              // Float, Date (days since 30.12.1899), Currency
    bool boolean = false;
    std::string text;             // Text, Identifier (UTF-8); Binary (raw bytes)
    std::vector<StreamValue> list;
    std::vector<std::string> set; // element names
    std::vector<CollectionItem> items;
    // How the value was (or is to be) coded, for Float: Extended, Single or Date.
    StreamCode floatCode = StreamCode::Extended;

    static StreamValue ofInteger(int64_t v);
    static StreamValue ofFloat(double v);
    static StreamValue ofText(std::string v);
    static StreamValue ofIdentifier(std::string v);
    static StreamValue ofBoolean(bool v);
};

struct StreamProperty {
    std::string name;
    StreamValue value;
};

struct StreamObject {
    uint8_t flags = 0;               // from the optional 0xF0|flags prefix
    std::optional<int64_t> childPos; // with flag 2
    std::string className;
    std::string name;
    std::vector<StreamProperty> properties;
    std::vector<StreamObject> children;

    // The first property of that name (without regard to case), or null.
    const StreamValue* property(const std::string& propertyName) const;
};

} // namespace trevo::common
