#pragma once
// How the converter reads numbers out of its text fields and writes them back.
// Plain C++: shared by the window, the command-line tool and the tests.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// The number at the start of the text: optional sign, decimal digits, optional
// "." and fraction digits. Anything else, the empty text included, reads 0.
// No blanks, exponent or radix prefix are read ("1e400" reads 1). Never
// throws; a number too long for a double saturates to +/-infinity, one too
// small reads 0.
double LeadingNumber(std::string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Nearest integer, halves away from zero (the "##0" pattern's rounding).
double RoundHalfAwayFromZero(double value);

// Leading number rounded half-even into an integer field. Values beyond the
// field's width saturate to its limits, so they stay defined.
std::int32_t ReadInt32Field(std::string_view text);
std::int16_t ReadInt16Field(std::string_view text);

// Rounds to the nearest single-precision value (the fields that are "held in
// single precision"). Beyond float's range this gives +/-infinity.
float ToSingle(double value);

// Pattern "0.0": one decimal, halves away from zero, judged on the exact
// binary value; "." as decimal point, no grouping, "-" only when the
// rounded value is below zero. Infinity and NaN give the empty text.
std::string FormatOneDecimal(double value);

// Plain decimal integer: optional "-", no leading zeros, no blanks.
std::string FormatInteger(std::int64_t value);

}  // namespace quorvane
