#pragma once
// A field value as the program sees it: NULL, number, text (UTF-8), date or logical.
// Dates are whole days since 30.12.1899 (day 0), so 1.1.1900 is day 2.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace trevo::engine {

enum class ValueType { Null, Number, Text, Date, Logical };

struct DateValue {
    int32_t days = 0;
    friend bool operator==(DateValue, DateValue) = default;
};

class Value {
public:
    Value() = default;
    static Value null() { return {}; }
    static Value number(double v) { Value r; r.v_ = v; return r; }
    static Value text(std::string v) { Value r; r.v_ = std::move(v); return r; }
    static Value date(int32_t days) { Value r; r.v_ = DateValue{days}; return r; }
    static Value logical(bool v) { Value r; r.v_ = v; return r; }

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNull() const { return v_.index() == 0; }
    bool isNumber() const { return type() == ValueType::Number; }
    bool isText() const { return type() == ValueType::Text; }
    bool isDate() const { return type() == ValueType::Date; }
    bool isLogical() const { return type() == ValueType::Logical; }

    // Exact accessors: throw ValueError when the value has another type.
    double number() const;
    const std::string& text() const;
    int32_t date() const;
    bool logical() const;

    // Lenient conversions used by the program: NULL gives 0 / "" / false;
    // a date as number is its day number; a text is parsed (decimal comma or point).
    double toNumber() const;
    std::string toText() const; // dates "dd.mm.yyyy", numbers with decimal comma
    bool toBool() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, double, std::string, DateValue, bool> v_;
};

// Day numbers and calendar dates.
int32_t daysFromCivil(int year, int month, int day);
void civilFromDays(int32_t days, int& year, int& month, int& day);
bool validCivil(int year, int month, int day);

// "dd.mm.yyyy".
std::string formatDate(int32_t days);
// Accepts d.m.yyyy, dd.mm.yy (two-digit years: below 30 -> 20xx, else 19xx) and yyyy-mm-dd.
std::optional<int32_t> parseDate(std::string_view text);

// Numbers with a decimal comma or point, optional sign and blanks around; "" is nullopt.
std::optional<double> parseNumber(std::string_view text);
// German display: decimal comma, `decimals` places (-1: shortest exact form).
std::string formatNumber(double v, int decimals = -1);

} // namespace trevo::engine
