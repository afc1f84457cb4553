#pragma once
// The one reader of decimal numbers in text. Every place that reads a number
// (the converter's fields, the catalogue's items and values, the command
// line's options) shares the same core, an optional sign, digits, an
// optional "." and fraction digits, with at least one digit, and says in a
// NumberGrammar what it allows beyond that. "." is the point whatever the
// system's locale. Plain C++.

#include <cstddef>
#include <string_view>

namespace quorvane {

struct NumberGrammar {
    // Spaces and tabs before the sign and after the number ("  41153.7 ").
    bool blanksAround = false;
    // "3e2", "1.5E-3": taken only with a digit after the "e" and its sign.
    bool exponent = false;
    // Commas grouping the whole part in threes, as Japanese text writes
    // numbers: "41,153.7", "1,000,000"; never "41,15" or "1,0000".
    bool groupingCommas = false;
    // True: the number must fill the text, or there is none. False: the
    // number at the start is taken and anything after it is left alone.
    bool wholeText = false;
};

enum class NumberStatus {
    NoNumber,    // no digits where the grammar wants them
    Ok,
    TooLarge,    // beyond a double; `value` is +/-infinity
    TooSmall,    // non-zero but below a double's least step; `value` is +/-0
};

struct ScannedNumber {
    NumberStatus status = NumberStatus::NoNumber;
    double value = 0;
    std::size_t length = 0;  // bytes of the text the number took, blanks included
};

// Where the number starts and ends, without converting it: `status` is Ok
// or NoNumber, `value` stays 0.
ScannedNumber ScanNumber(std::string_view text, const NumberGrammar& grammar);

// The number and its value, rounded to the nearest double.
ScannedNumber ReadNumber(std::string_view text, const NumberGrammar& grammar);

}  // namespace quorvane
