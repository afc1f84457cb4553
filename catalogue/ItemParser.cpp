#include "catalogue/ItemParser.h"

#include "conversion/CivilCalendar.h"
#include "conversion/NumberScanner.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ParseUnsigned(std::string_view digits, std::int64_t& out, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return false;
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) return false;
    out = 0;
    for (char c : digits) out = out * 10 + (c - '0');
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 0x20) : c; };
               return lower(x) == lower(y);
           });
}

// The text between number signs: a date, #NULL#, #TRUE#, #FALSE# or #ERROR n#.
// False when it is none of them, and the item is plain text: "#hello#". A
// date in the right shape that names no real day is a problem, not text.
bool ParseHashItem(std::string_view inner, ParsedItem& item) {
    if (EqualsNoCase(inner, "NULL")) {
        item.value = TaggedValue::Null();
        return true;
    }
    if (EqualsNoCase(inner, "TRUE") || EqualsNoCase(inner, "FALSE")) {
        item.value = TaggedValue::Boolean(EqualsNoCase(inner, "TRUE"));
        return true;
    }
    if (inner.size() > 6 && EqualsNoCase(inner.substr(0, 6), "ERROR ")) {
        std::int64_t code = 0;
        if (!ParseUnsigned(inner.substr(6), code, 9)) return false;
        item.value = TaggedValue::Error(static_cast<std::int32_t>(code));
        return true;
    }

    std::string_view datePart = inner;
    std::string_view timePart;
    if (const std::size_t space = inner.find(' '); space != std::string_view::npos) {
        datePart = inner.substr(0, space);
        timePart = inner.substr(space + 1);
    }
    std::string_view d[3];
    std::int64_t year = 0, month = 0, day = 0;
    if (!SplitDateParts(datePart, '-', d) || !ParseUnsigned(d[0], year, 9) ||
        !ParseUnsigned(d[1], month, 2) || !ParseUnsigned(d[2], day, 2))
        return false;
    DateValue date;
    date.year = static_cast<std::int32_t>(year);
    date.month = static_cast<int>(month);
    date.day = static_cast<int>(day);
    if (!timePart.empty()) {
        std::string_view t[3];
        std::int64_t h = 0, m = 0, s = 0;
        if (!SplitDateParts(timePart, ':', t) || !ParseUnsigned(t[0], h, 2) ||
            !ParseUnsigned(t[1], m, 2) || !ParseUnsigned(t[2], s, 2))
            return false;
        date.hour = static_cast<int>(h);
        date.minute = static_cast<int>(m);
        date.second = static_cast<int>(s);
    } else if (datePart.size() != inner.size()) {
        return false;  // "#2063-04-05 #"
    }
    if (IsValidDateValue(date))
        item.value = TaggedValue::Date(date);
    else
        item.problem = CatalogueProblemKind::InvalidDate;
    return true;
}

}  // namespace

ParsedItem ParseItem(const RawItem& raw, TextDecoder& decoder) {
    ParsedItem item;
    item.line = raw.line;
    if (raw.unterminated) {
        item.problem = CatalogueProblemKind::UnterminatedQuote;
        return item;
    }
    if (raw.textAfterQuote) {
        item.problem = CatalogueProblemKind::TextAfterQuote;
        return item;
    }
    if (raw.content.find('\0') != std::string_view::npos) {
        item.problem = CatalogueProblemKind::NulCharacter;
        return item;
    }
    const std::string_view s = raw.content;
    if (!raw.quoted) {
        if (s.empty()) return item;  // empty
        if (s.size() >= 2 && s.front() == '#' && s.back() == '#' &&
            ParseHashItem(s.substr(1, s.size() - 2), item))
            return item;
        // An optionally signed decimal with "." as the point: 41153.7, -311.4, .5
        static constexpr NumberGrammar kBareNumber{.wholeText = true};
        const ScannedNumber number = ReadNumber(s, kBareNumber);
        if (number.status == NumberStatus::Ok) {
            item.value = TaggedValue::Number(number.value);
            return item;
        }
        if (number.status != NumberStatus::NoNumber) {
            // Beyond a double: kept as text, so only a date column complains.
            item.value = TaggedValue::Text(std::string(s));
            return item;
        }
    }
    std::string text;
    if (!decoder.decode(s, text)) {
        item.problem = CatalogueProblemKind::InvalidCharacters;
        return item;
    }
    item.value = TaggedValue::Text(std::move(text));
    return item;
}

}  // namespace quorvane
