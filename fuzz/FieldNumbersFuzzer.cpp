// Any text read as a field number, and any double written back, gives a
// defined value: checked against the C library's reading of the same digits
// and against the written text read back.

#include "FuzzInput.h"
#include "conversion/FieldNumbers.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace quorvane;
using fuzz::Quoted;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits a field number is made of, sign included; empty when the text
// does not start with one.
std::string NumberPrefix(std::string_view text) {
    std::size_t end = 0;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    std::size_t digits = 0;
    while (end < text.size() && IsDigit(text[end])) ++end, ++digits;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end, ++digits;
    }
    return digits == 0 ? std::string() : std::string(text.substr(0, end));
}

void CheckLeadingNumber(std::string_view text) {
    const double value = LeadingNumber(text);
    FUZZ_CHECK(!std::isnan(value), Quoted(text));

    const std::string prefix = NumberPrefix(text);
    if (prefix.empty()) {
        FUZZ_CHECK(value == 0.0, Quoted(text));
        return;
    }
    // strtod rounds correctly too; it only differs below the smallest normal
    // double, where the field reads 0.
    const double expected = std::strtod(prefix.c_str(), nullptr);
    if (std::fabs(expected) < DBL_MIN)
        FUZZ_CHECK(value == expected || value == 0.0, Quoted(text));
    else
        FUZZ_CHECK(value == expected, Quoted(text) + " read " + std::to_string(value));

    // What follows the number never changes it.
    FUZZ_CHECK(LeadingNumber(std::string(text) + "x") == value, Quoted(text));
}

void CheckIntegerFields(std::string_view text) {
    const double value = LeadingNumber(text);
    const std::int32_t wide = ReadInt32Field(text);
    const std::int16_t narrow = ReadInt16Field(text);
    // Written back and read again, a field keeps its value.
    FUZZ_CHECK(ReadInt32Field(FormatInteger(wide)) == wide, Quoted(text));
    FUZZ_CHECK(ReadInt16Field(FormatInteger(narrow)) == narrow, Quoted(text));
    if (std::fabs(value) < 32767.0)
        FUZZ_CHECK(std::fabs(narrow - value) <= 0.5, Quoted(text));
    if (std::fabs(value) < 2147483647.0)
        FUZZ_CHECK(std::fabs(wide - value) <= 0.5, Quoted(text));
    if (value >= 2147483647.0) FUZZ_CHECK(wide == std::numeric_limits<std::int32_t>::max(), Quoted(text));
    if (value <= -2147483648.0) FUZZ_CHECK(wide == std::numeric_limits<std::int32_t>::min(), Quoted(text));
}

bool IsOneDecimalPattern(const std::string& text) {
    std::size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const std::size_t first = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == first || i + 2 != text.size()) return false;
    if (text[first] == '0' && i - first > 1) return false;  // no leading zeros
    return text[i] == '.' && IsDigit(text[i + 1]);
}

void CheckOneDecimal(double value) {
    const std::string text = FormatOneDecimal(value);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty(), std::to_string(value));
        return;
    }
    FUZZ_CHECK(IsOneDecimalPattern(text), text);
    FUZZ_CHECK(text != "-0.0", std::to_string(value));
    // Rounding to a tenth moves the value by 0.05 at most (the read-back
    // itself is exact to well below that up to 2^50).
    if (std::fabs(value) < 0x1p50)
        FUZZ_CHECK(std::fabs(LeadingNumber(text) - value) <= 0.05 + std::fabs(value) * 0x1p-52,
                   text + " for " + std::to_string(value));

    const float single = ToSingle(value);
    FUZZ_CHECK(!std::isnan(single), std::to_string(value));
    if (std::fabs(value) <= FLT_MAX) FUZZ_CHECK(std::isfinite(single), std::to_string(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckLeadingNumber(text);
    CheckIntegerFields(text);
    CheckOneDecimal(LeadingNumber(text));
    CheckOneDecimal(RoundHalfEven(LeadingNumber(text)));
    // Every bit pattern, NaN and infinities included.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckOneDecimal(raw);
        const double even = RoundHalfEven(raw);
        const double away = RoundHalfAwayFromZero(raw);
        if (std::isfinite(raw)) {
            FUZZ_CHECK(std::fabs(even - raw) <= 0.5 && std::fabs(away - raw) <= 0.5, std::to_string(raw));
            FUZZ_CHECK(std::trunc(even) == even, std::to_string(raw));
            if (std::fabs(even - raw) == 0.5)
                FUZZ_CHECK(std::fmod(even, 2.0) == 0.0, std::to_string(raw));
        }
    }
    return 0;
}
