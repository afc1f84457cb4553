// For a standard library without std::from_chars for double. strtod reads
// "." as the point only in the C locale, which is all such a build has:
// nothing in it calls setlocale.
#include "conversion/DecimalToDouble.h"

#include <cmath>
#include <cstdlib>
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

}  // namespace

DecimalValue DecimalToDouble(std::string_view magnitude) {
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
