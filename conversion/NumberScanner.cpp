#include "conversion/NumberScanner.h"

#include "conversion/DecimalToDouble.h"

#include <limits>
#include <string>

namespace quorvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct Span {
    bool found = false;
    bool negative = false;
    bool commas = false;
    std::size_t begin = 0;  // first digit or "."
    std::size_t end = 0;    // past the last digit
    std::size_t length = 0;  // with sign and blanks
};

std::size_t DigitsFrom(std::string_view s, std::size_t p) {
    while (p < s.size() && IsDigit(s[p])) ++p;
    return p;
}

// A group is a comma and exactly three digits, with no fourth after them.
bool GroupAt(std::string_view s, std::size_t p) {
    return p + 4 <= s.size() && s[p] == ',' && IsDigit(s[p + 1]) && IsDigit(s[p + 2]) &&
           IsDigit(s[p + 3]) && (p + 4 == s.size() || !IsDigit(s[p + 4]));
}

Span Scan(std::string_view s, const NumberGrammar& g) {
    Span span;
    std::size_t p = 0;
    if (g.blanksAround)
        while (p < s.size() && IsBlank(s[p])) ++p;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) span.negative = s[p++] == '-';
    span.begin = p;

    std::size_t q = DigitsFrom(s, p);
    std::size_t digits = q - p;
    if (g.groupingCommas && digits > 0 && digits <= 3) {
        while (GroupAt(s, q)) {
            span.commas = true;
            digits += 3;
            q += 4;
        }
    }
    if (q < s.size() && s[q] == '.') {
        const std::size_t f = DigitsFrom(s, q + 1);
        digits += f - (q + 1);
        q = f;
    }
    if (digits == 0) return span;
    if (g.exponent && q < s.size() && (s[q] == 'e' || s[q] == 'E')) {
        std::size_t e = q + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
        const std::size_t after = DigitsFrom(s, e);
        if (after > e) q = after;
    }
    span.end = q;
    if (g.blanksAround)
        while (q < s.size() && IsBlank(s[q])) ++q;
    if (g.wholeText && q != s.size()) return span;
    span.found = true;
    span.length = q;
    return span;
}

// Power of ten of the leading significant digit of a scanned magnitude,
// clamped; tells a number too large for a double from one too small.
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
        } else if (c == ',') {
            continue;
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

}  // namespace

ScannedNumber ScanNumber(std::string_view text, const NumberGrammar& grammar) {
    const Span span = Scan(text, grammar);
    ScannedNumber result;
    if (!span.found) return result;
    result.status = NumberStatus::Ok;
    result.length = span.length;
    return result;
}

ScannedNumber ReadNumber(std::string_view text, const NumberGrammar& grammar) {
    const Span span = Scan(text, grammar);
    ScannedNumber result;
    if (!span.found) return result;
    result.length = span.length;

    // Only the validated digits go to the parser, so "inf", "nan" and hex
    // never reach it.
    std::string_view magnitude = text.substr(span.begin, span.end - span.begin);
    std::string withoutCommas;
    if (span.commas) {
        withoutCommas.reserve(magnitude.size());
        for (char c : magnitude)
            if (c != ',') withoutCommas += c;
        magnitude = withoutCommas;
    }
    const DecimalValue decimal = DecimalToDouble(magnitude);
    double value = decimal.value;
    if (decimal.status == DecimalStatus::OutOfRange) {
        if (DecimalExponent(magnitude) > 0) {
            result.status = NumberStatus::TooLarge;
            value = std::numeric_limits<double>::infinity();
        } else {
            result.status = NumberStatus::TooSmall;
            value = 0;
        }
    } else if (decimal.status == DecimalStatus::NotANumber) {
        return ScannedNumber{};
    } else {
        result.status = NumberStatus::Ok;
    }
    result.value = span.negative ? -value : value;
    return result;
}

}  // namespace quorvane
