#include "catalogue/TaggedValue.h"

#include "conversion/CivilCalendar.h"
#include "conversion/NumberScanner.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

const char* ConversionMessage(ConversionError::Kind kind) {
    switch (kind) {
        case ConversionError::Kind::TypeMismatch: return "type mismatch";
        case ConversionError::Kind::InvalidUseOfNull: return "invalid use of null";
        case ConversionError::Kind::Overflow: return "overflow";
    }
    return "conversion error";
}

std::string TwoDigits(int n) {
    char buf[3] = {char('0' + n / 10 % 10), char('0' + n % 10), 0};
    return buf;
}

}  // namespace

ConversionError::ConversionError(Kind kind)
    : std::runtime_error(ConversionMessage(kind)), m_kind(kind) {}

TaggedValue TaggedValue::Null() {
    TaggedValue v;
    v.m_value = NullTag{};
    return v;
}

TaggedValue TaggedValue::Boolean(bool value) {
    TaggedValue v;
    v.m_value = value;
    return v;
}

TaggedValue TaggedValue::Number(double value) {
    TaggedValue v;
    v.m_value = value;
    return v;
}

TaggedValue TaggedValue::Date(const DateValue& value) {
    TaggedValue v;
    v.m_value = value;
    return v;
}

TaggedValue TaggedValue::Text(std::string value) {
    TaggedValue v;
    v.m_value = std::move(value);
    return v;
}

TaggedValue TaggedValue::Error(std::int32_t code) {
    TaggedValue v;
    v.m_value = ErrorCode{code};
    return v;
}

std::string ShortestDecimal(double value) {
    if (value == 0) return "0";  // also for -0
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    // Plain notation at any magnitude: the main window reads a stardate's
    // leading digits and would take "1E+20" for 1.
    std::array<char, 400> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed);
    return std::string(buf.data(), res.ptr);
}

std::string ShortDateText(const DateValue& date) {
    std::string year = std::to_string(date.year);
    if (date.year >= 0 && year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + "/" + TwoDigits(date.month) + "/" + TwoDigits(date.day);
}

std::string ToText(const TaggedValue& value) {
    switch (value.kind()) {
        case TaggedValue::Kind::Empty: return {};
        case TaggedValue::Kind::Null:
            throw ConversionError(ConversionError::Kind::InvalidUseOfNull);
        case TaggedValue::Kind::Boolean: return value.boolean() ? "True" : "False";
        case TaggedValue::Kind::Number: return ShortestDecimal(value.number());
        case TaggedValue::Kind::Date: return ShortDateText(value.date());
        case TaggedValue::Kind::Text: return value.text();
        case TaggedValue::Kind::Error:
            throw ConversionError(ConversionError::Kind::TypeMismatch);
    }
    throw ConversionError(ConversionError::Kind::TypeMismatch);
}

NumberConversion TryToNumber(const TaggedValue& value) {
    using Kind = ConversionError::Kind;
    switch (value.kind()) {
        case TaggedValue::Kind::Empty: return {};
        case TaggedValue::Kind::Null:
            return {0, Kind::InvalidUseOfNull};
        case TaggedValue::Kind::Boolean: return {value.boolean() ? -1.0 : 0.0, {}};
        case TaggedValue::Kind::Number: return {value.number(), {}};
        case TaggedValue::Kind::Date: {
            const DateValue& d = value.date();
            const double days = static_cast<double>(DaysFromCivil({d.year, d.month, d.day}) -
                                                    DaysFromCivil({1899, 12, 30}));
            const double time = (d.hour * 3600 + d.minute * 60 + d.second) / 86400.0;
            // Before the zero the time still counts away from it: -1.25 is
            // 1899-12-29 at 06:00.
            return {days < 0 ? days - time : days + time, {}};
        }
        case TaggedValue::Kind::Text: {
            // "41153.7", " -3e2 ", ".5", "5.", "41,153.7" as Japanese text
            // groups it; nothing else, so "inf", "nan", hex and stray letters
            // are not numbers. Too small a magnitude reads as zero; only too
            // large a one fails.
            static constexpr NumberGrammar kTextNumber{.blanksAround = true, .exponent = true,
                                                       .groupingCommas = true, .wholeText = true};
            const ScannedNumber number = ReadNumber(value.text(), kTextNumber);
            switch (number.status) {
                case NumberStatus::Ok:
                case NumberStatus::TooSmall: return {number.value, {}};
                case NumberStatus::TooLarge:
                    return {0, Kind::Overflow};
                case NumberStatus::NoNumber: break;
            }
            return {0, Kind::TypeMismatch};
        }
        case TaggedValue::Kind::Error:
            return {0, Kind::TypeMismatch};
    }
    return {0, Kind::TypeMismatch};
}

double ToNumber(const TaggedValue& value) {
    const NumberConversion number = TryToNumber(value);
    if (number.failure) throw ConversionError(*number.failure);
    return number.value;
}

bool IsValidDateValue(const DateValue& date) {
    return date.year >= 100 && date.year <= 9999 &&
           IsValidDate(date.year, date.month, date.day) && date.hour >= 0 && date.hour <= 23 &&
           date.minute >= 0 && date.minute <= 59 && date.second >= 0 && date.second <= 59;
}

}  // namespace quorvane
