#include "catalogue/TaggedValue.h"

#include "conversion/CivilCalendar.h"

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Power of ten of the leading significant digit of a well-formed decimal
// text (unsigned), clamped; tells overflow from underflow.
long DecimalExponent(std::string_view text) {
    long position = 0;  // digits before the point, counted from the first non-zero one
    bool seenNonZero = false;
    bool afterPoint = false;
    long leadingFractionZeros = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.') {
            afterPoint = true;
        } else if (!seenNonZero && c == '0') {
            if (afterPoint) ++leadingFractionZeros;
        } else {
            seenNonZero = true;
            if (!afterPoint) ++position;
        }
    }
    if (!seenNonZero) return -1;
    long exponent = 0;
    if (i < text.size()) {
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        for (; i < text.size(); ++i)
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
        if (negative) exponent = -exponent;
    }
    return (position > 0 ? position : -leadingFractionZeros) + exponent;
}

// "41153.7", "-3e2", ".5", "5." with optional blanks around; nothing else,
// so "inf", "nan", hex and stray letters are not numbers.
bool ParseDecimalText(std::string_view text, double& out, bool& overflow) {
    overflow = false;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < text.size() && IsDigit(text[j])) ++j;
        if (j == expStart) return false;
        i = j;
    }
    if (i != text.size()) return false;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small a magnitude reads as zero; only too large a one fails.
        if (DecimalExponent(text) > 0) {
            overflow = true;
            return false;
        }
        value = 0;
    } else if (ec != std::errc() || ptr != text.data() + text.size()) {
        return false;
    }
    out = negative ? -value : value;
    return true;
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

double ToNumber(const TaggedValue& value) {
    switch (value.kind()) {
        case TaggedValue::Kind::Empty: return 0;
        case TaggedValue::Kind::Null:
            throw ConversionError(ConversionError::Kind::InvalidUseOfNull);
        case TaggedValue::Kind::Boolean: return value.boolean() ? -1 : 0;
        case TaggedValue::Kind::Number: return value.number();
        case TaggedValue::Kind::Date: {
            const DateValue& d = value.date();
            const double days = static_cast<double>(DaysFromCivil({d.year, d.month, d.day}) -
                                                    DaysFromCivil({1899, 12, 30}));
            const double time = (d.hour * 3600 + d.minute * 60 + d.second) / 86400.0;
            // Before the zero the time still counts away from it: -1.25 is
            // 1899-12-29 at 06:00.
            return days < 0 ? days - time : days + time;
        }
        case TaggedValue::Kind::Text: {
            double number = 0;
            bool overflow = false;
            if (ParseDecimalText(value.text(), number, overflow)) return number;
            throw ConversionError(overflow ? ConversionError::Kind::Overflow
                                           : ConversionError::Kind::TypeMismatch);
        }
        case TaggedValue::Kind::Error:
            throw ConversionError(ConversionError::Kind::TypeMismatch);
    }
    throw ConversionError(ConversionError::Kind::TypeMismatch);
}

bool IsValidDateValue(const DateValue& date) {
    return date.year >= 100 && date.year <= 9999 &&
           IsValidDate(date.year, date.month, date.day) && date.hour >= 0 && date.hour <= 23 &&
           date.minute >= 0 && date.minute <= 59 && date.second >= 0 && date.second <= 59;
}

}  // namespace quorvane
