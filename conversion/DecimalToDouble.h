#pragma once
// A decimal magnitude the number scanner has already validated (digits, an
// optional "." with fraction digits, an optional exponent; no sign, no
// blanks) to the nearest double. One implementation per standard library,
// chosen by the build, with the same results: std::from_chars where the
// library has it for double, the C library's strtod where it does not (the
// WebAssembly build's libc++).

#include <string_view>

namespace quorvane {

enum class DecimalStatus {
    Ok,
    OutOfRange,  // beyond a double, or non-zero but below its least step
    NotANumber,  // not the whole text is a decimal number
};

struct DecimalValue {
    double value = 0;  // 0 unless Ok
    DecimalStatus status = DecimalStatus::Ok;
};

DecimalValue DecimalToDouble(std::string_view magnitude);

}  // namespace quorvane
