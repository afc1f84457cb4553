#include "cli/Conversions.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "conversion/FieldNumbers.h"

namespace quorvane::cli {

namespace {

constexpr std::string_view kBlanks = " \t";

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Splits "A<sep>B<sep>C" made of digits only; false for anything else.
template <std::size_t N>
bool SplitDigitGroups(std::string_view text, char separator,
                      std::array<std::string_view, N>& parts) {
    if (!SplitDateParts(text, separator, parts)) return false;
    for (const std::string_view part : parts)
        if (!IsDigits(part)) return false;
    return true;
}

// Up to N blank-separated words; returns how many there were (N + 1 means more).
template <std::size_t N>
std::size_t SplitWords(std::string_view text, std::array<std::string_view, N>& words) {
    std::size_t count = 0;
    while (true) {
        const auto start = text.find_first_not_of(kBlanks);
        if (start == std::string_view::npos) return count;
        if (count == N) return N + 1;
        text.remove_prefix(start);
        const auto end = text.find_first_of(kBlanks);
        words[count++] = text.substr(0, end);
        if (end == std::string_view::npos) return count;
        text.remove_prefix(end);
    }
}

bool TakeStardate(const StardateResult& result, std::string& out, std::string& reason) {
    if (!result.ok()) {
        reason = FailureMessage(result.failure);
        return false;
    }
    out += result.stardate;
    return true;
}

void AppendStardateAnswer(const StardateResult& result, std::string& out) {
    if (result.ok()) {
        out += result.stardate;
    } else {
        out += "error: ";
        out += FailureMessage(result.failure);
    }
}

EarthDateTexts EarthDateFor(std::string_view stardateText, const ConversionOptions& options) {
    return quorvane::EarthDateFor(stardateText, options.switches());
}

StardateResult StardateFor(std::string_view year, EntryMode mode, std::string_view month,
                           std::string_view day, std::string_view dayOfYear,
                           const ConversionOptions& options) {
    return StardateFromEarthDate(EarthDateInputOf(year, mode, month, day, dayOfYear, options.switches()));
}

}  // namespace

bool ConvertValue(std::string_view value, const ConversionOptions& options, const CivilDate& today,
                  std::string& out, std::string& reason) {
    std::array<std::string_view, 3> ymd;
    if (SplitDigitGroups(value, '-', ymd)) {
        return TakeStardate(StardateFor(ymd[0], EntryMode::MonthDay, ymd[1], ymd[2], {}, options),
                            out, reason);
    }
    std::array<std::string_view, 2> yd;
    if (SplitDigitGroups(value, ':', yd)) {
        return TakeStardate(StardateFor(yd[0], EntryMode::DayOfYear, {}, {}, yd[1], options), out,
                            reason);
    }
    if (value == "today") {
        const std::string year = FormatInteger(today.year);
        const std::string month = FormatInteger(today.month);
        const std::string day = FormatInteger(today.day);
        return TakeStardate(StardateFor(year, EntryMode::MonthDay, month, day, {}, options), out,
                            reason);
    }

    const EarthDateTexts texts = EarthDateFor(value, options);
    if (texts.empty()) {
        reason = OutsideYearsMessage();
        return false;
    }
    AppendIsoDate(texts, out);
    out += ' ';
    out += texts.dayOfYear;
    return true;
}

bool AnswerRequest(std::string_view line, const ConversionOptions& options, std::string& out) {
    const auto blank = line.find_first_of(kBlanks);
    const std::string_view command = line.substr(0, blank);
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);

    if (command == "sd") {
        const EarthDateTexts texts = EarthDateFor(rest, options);
        if (texts.empty()) {
            out += "empty";
            return false;
        }
        out += texts.year;
        out += ' ';
        out += texts.dayOfYear;
        out += ' ';
        out += texts.month;
        out += ' ';
        out += texts.day;
        return true;
    }
    if (command == "md") {
        std::array<std::string_view, 3> words;
        if (SplitWords(rest, words) != words.size()) {
            out += "error: md needs YEAR MONTH DAY";
            return false;
        }
        const StardateResult result =
            StardateFor(words[0], EntryMode::MonthDay, words[1], words[2], {}, options);
        AppendStardateAnswer(result, out);
        return result.ok();
    }
    if (command == "yd") {
        std::array<std::string_view, 2> words;
        if (SplitWords(rest, words) != words.size()) {
            out += "error: yd needs YEAR DAYOFYEAR";
            return false;
        }
        const StardateResult result =
            StardateFor(words[0], EntryMode::DayOfYear, {}, {}, words[1], options);
        AppendStardateAnswer(result, out);
        return result.ok();
    }
    out += line.find_first_not_of(kBlanks) == std::string_view::npos
               ? "error: empty request"
               : "error: unknown request, expected sd, md or yd";
    return false;
}

std::string FormatIsoDate(const CivilDate& date) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02d-%02d", static_cast<long long>(date.year),
                  date.month, date.day);
    return buffer;
}

}  // namespace quorvane::cli
