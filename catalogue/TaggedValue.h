#pragma once
// A value that carries its own kind, as the catalogue file yields it: an item
// can be empty, null, a boolean, a number, a date, text or an error value.
// Texts are UTF-8.

#include <cstdint>
#include <stdexcept>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorvane {

// A calendar date with an optional time of day. The default value is the
// date type's zero: 1899-12-30 at midnight.
struct DateValue {
    std::int32_t year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateValue&) const = default;
};

// Why a value could not be converted.
class ConversionError : public std::runtime_error {
public:
    enum class Kind { TypeMismatch, InvalidUseOfNull, Overflow };

    explicit ConversionError(Kind kind);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

class TaggedValue {
public:
    enum class Kind { Empty, Null, Boolean, Number, Date, Text, Error };

    TaggedValue() = default;  // empty

    static TaggedValue Null();
    static TaggedValue Boolean(bool value);
    static TaggedValue Number(double value);
    static TaggedValue Date(const DateValue& value);
    static TaggedValue Text(std::string value);
    static TaggedValue Error(std::int32_t code);

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool is(Kind k) const { return kind() == k; }

    // Each accessor requires the matching kind.
    bool boolean() const { return std::get<bool>(m_value); }
    double number() const { return std::get<double>(m_value); }
    const DateValue& date() const { return std::get<DateValue>(m_value); }
    const std::string& text() const { return std::get<std::string>(m_value); }
    std::int32_t errorCode() const { return std::get<ErrorCode>(m_value).code; }

    // Moves the text out of a text value; the value keeps no useful text.
    std::string takeText() { return std::move(std::get<std::string>(m_value)); }

    bool operator==(const TaggedValue&) const = default;

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    struct ErrorCode {
        std::int32_t code = 0;
        bool operator==(const ErrorCode&) const = default;
    };
    // Alternative order follows Kind.
    std::variant<std::monostate, NullTag, bool, double, DateValue, std::string, ErrorCode>
        m_value;
};

// Shortest decimal text that reads back as the same double: 41153.7 gives
// "41153.7", 41000 gives "41000". Always plain digits, never an exponent.
std::string ShortestDecimal(double value);

// The Japanese short date, yyyy/MM/dd.
std::string ShortDateText(const DateValue& date);

// The text form of a value: text unchanged, a number as its shortest
// decimal, a date as its short date, a boolean as "True" or "False", empty
// as empty text. Null and error values have none: ConversionError.
std::string ToText(const TaggedValue& value);

// A value as a number: numbers as they are, empty 0, true -1, false 0, text
// that reads as a decimal number ("41153.7", " -3e2 ", "41,153.7"), a date
// as its day serial (days since the date type's zero). Null, error values
// and other text throw ConversionError; so does text beyond a double.
double ToNumber(const TaggedValue& value);

// ToNumber without the exception: the number, or why there is none.
struct NumberConversion {
    double value = 0;
    std::optional<ConversionError::Kind> failure;
};
NumberConversion TryToNumber(const TaggedValue& value);

// True when the date names a real calendar day and time in the years 100
// to 9999, the range the program's calendar covers.
bool IsValidDateValue(const DateValue& date);

}  // namespace quorvane
