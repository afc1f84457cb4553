#include "conversion/FieldNumbers.h"

#include "conversion/NumberScanner.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quorvane {

namespace {

template <typename Int>
Int SaturatedField(double value) {
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded)) return 0;
    if (rounded <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

// Half of float's last step above its largest value: from here on, rounding
// to single precision gives infinity. Casting such a double is undefined in
// C++, so the limit is checked by hand.
constexpr double kSingleOverflow = 0x1.ffffffp127;

}  // namespace

double LeadingNumber(std::string_view text) {
    // The field grammar is the bare core: no blanks, exponent or grouping,
    // and whatever follows the number is ignored.
    static constexpr NumberGrammar kFieldNumber{};
    return ReadNumber(text, kFieldNumber).value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double whole = std::trunc(value);
    // The fraction part is exact, so a tie is seen exactly.
    if (std::fabs(value - whole) != 0.5) return RoundHalfAwayFromZero(value);
    return std::fmod(whole, 2.0) == 0.0 ? whole : whole + std::copysign(1.0, value);
}

double RoundHalfAwayFromZero(double value) {
    // Not std::round: MinGW's adds 0.5 and floors, which rounds the largest
    // double below one half, 0.49999999999999994, up to 1.
    if (!std::isfinite(value)) return value;
    const double whole = std::trunc(value);
    return std::fabs(value - whole) >= 0.5 ? whole + std::copysign(1.0, value) : whole;
}

std::int32_t ReadInt32Field(std::string_view text) {
    return SaturatedField<std::int32_t>(LeadingNumber(text));
}

std::int16_t ReadInt16Field(std::string_view text) {
    return SaturatedField<std::int16_t>(LeadingNumber(text));
}

float ToSingle(double value) {
    if (value >= kSingleOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kSingleOverflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::string FormatOneDecimal(double value) {
    if (!std::isfinite(value)) return {};
    const double magnitude = std::fabs(value);
    std::string text;

    // A binary value lies exactly halfway between two tenths only when four
    // times it is an odd integer (x.25, x.75). The formatter breaks such ties
    // to even, so they are rounded up here, in whole tenths; every other value
    // has one nearest tenth, which the formatter finds exactly.
    const double quarters = magnitude * 4.0;
    if (quarters < 0x1p53 && std::floor(quarters) == quarters && std::fmod(quarters, 2.0) == 1.0) {
        const std::int64_t tenths = (5 * static_cast<std::int64_t>(quarters) + 1) / 2;
        text = FormatInteger(tenths);
        if (text.size() == 1) text.insert(0, 1, '0');
        text.insert(text.size() - 1, 1, '.');
    } else {
        char buffer[std::numeric_limits<double>::max_exponent10 + 8];
        const auto result = std::to_chars(std::begin(buffer), std::end(buffer), magnitude,
                                          std::chars_format::fixed, 1);
        text.assign(buffer, result.ptr);
    }

    if (value < 0 && text != "0.0") text.insert(0, 1, '-');
    return text;
}

std::string FormatInteger(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    return std::string(buffer, result.ptr);
}

}  // namespace quorvane
