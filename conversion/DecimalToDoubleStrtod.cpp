// For a standard library without std::from_chars for double. strtod reads
// "." as the point only in the C locale, which is all such a build has:
// nothing in it calls setlocale.
#include "conversion/DecimalToDouble.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace quorvane {

namespace {

bool HasNonZeroDigit(std::string_view magnitude) {
    for (const char c : magnitude) {
        if (c == 'e' || c == 'E') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

// Up to 15 significant digits and a power of ten up to 22 either way: both
// are exact doubles, so one multiplication or division rounds correctly, as
// from_chars does. The fields' numbers nearly always fit, and strtod, with
// its arbitrary precision, costs several times more.
std::optional<double> Exact(std::string_view magnitude) {
    constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    bool point = false;
    std::size_t i = 0;
    for (; i < magnitude.size(); ++i) {
        const char c = magnitude[i];
        if (c == '.') {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (digits == 0 && c == '0') {
            if (point) --exponent;
            continue;
        }
        if (++significant > 15) return std::nullopt;
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        if (point) --exponent;
    }
    if (i < magnitude.size()) {  // "e", an optional sign, digits
        if (magnitude.size() - i > 6) return std::nullopt;
        char* end = nullptr;
        const std::string written(magnitude.substr(i + 1));
        exponent += static_cast<int>(std::strtol(written.c_str(), &end, 10));
    }
    if (digits == 0) return 0.0;
    if (exponent < -22 || exponent > 22) return std::nullopt;
    const auto value = static_cast<double>(digits);
    return exponent < 0 ? value / kPowers[-exponent] : value * kPowers[exponent];
}

}  // namespace

DecimalValue DecimalToDouble(std::string_view magnitude) {
    if (const std::optional<double> exact = Exact(magnitude)) return {*exact, DecimalStatus::Ok};
    const std::string text(magnitude);  // strtod needs the end marked
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
        return {0, DecimalStatus::NotANumber};
    // As from_chars reports it: a result that overflowed to infinity, or a
    // non-zero number that came out as zero. A subnormal result is a result.
    if (std::isinf(value) || (value == 0 && HasNonZeroDigit(magnitude)))
        return {0, DecimalStatus::OutOfRange};
    return {value, DecimalStatus::Ok};
}

}  // namespace quorvane
