// Any stardate text, window flag and reset text give four consistent Earth
// date texts or none at all. Input: one field per line, in the order
// stardate, year window on ("1"), reset number.

#include "FuzzInput.h"
#include "conversion/CivilCalendar.h"
#include "conversion/FieldNumbers.h"
#include "conversion/StardateArithmetic.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>

using namespace quorvane;
using fuzz::Quoted;

namespace {

// The texts are plain decimal integers; anything else fails the run.
long long Integer(const std::string& text, const std::string& context) {
    FUZZ_CHECK(!text.empty(), context);
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    FUZZ_CHECK(*end == '\0' && FormatInteger(value) == text, context);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = fuzz::Fields(data, size, 3);
    const std::string_view stardateText = fields[0];
    const bool window = fuzz::Flag(fields[1]);
    const std::string_view resetText = fields[2];
    const std::string context = Quoted(stardateText) + (window ? " window " : " ") + Quoted(resetText);

    const EarthDateTexts texts = EarthDateFromStardate(stardateText, window, resetText);
    if (texts.empty()) {
        FUZZ_CHECK(texts.dayOfYear.empty() && texts.month.empty() && texts.day.empty(), context);
        // Without the window, every stardate whose date lies in the years
        // 100 to 9999 converts.
        const double stardate = ToSingle(LeadingNumber(stardateText));
        if (!window) FUZZ_CHECK(!(stardate >= -2223000.0 && stardate < 7676998.0), context);
        return 0;
    }

    const long long year = Integer(texts.year, context);
    const long long month = Integer(texts.month, context);
    const long long day = Integer(texts.day, context);
    const long long dayOfYear = Integer(texts.dayOfYear, context);
    FUZZ_CHECK(year >= 100 && year <= 9999, context);
    FUZZ_CHECK(IsValidDate(year, static_cast<int>(month), static_cast<int>(day)), context);
    FUZZ_CHECK(dayOfYear == DayOfYear({year, static_cast<int>(month), static_cast<int>(day)}), context);

    const double stardate = ToSingle(LeadingNumber(stardateText));
    const long long counted = static_cast<long long>(std::floor(stardate / 1000.0)) + kEpochYear;
    const std::int32_t reset = ReadInt32Field(resetText);
    if (!window || reset <= 500) {
        // The year the stardate counts in, or the next one when the last
        // stardates of a year round up past its end.
        FUZZ_CHECK(year == counted || (year == counted + 1 && month == 1 && day == 1), context);

        // Back to a stardate, the date lands within half a day of where it came from.
        const std::string y = texts.year, m = texts.month, d = texts.day;
        EarthDateInput back;
        back.year = y;
        back.month = m;
        back.day = d;
        const StardateResult result = StardateFromEarthDate(back);
        FUZZ_CHECK(result.ok(), context);
        const double halfDay = 1000.0 / 365.0 / 2.0;
        FUZZ_CHECK(std::fabs(LeadingNumber(result.stardate) - stardate) <= halfDay + 0.1,
                   context + " came back as " + result.stardate);
    } else {
        // A year below the window is always lifted into or past it; one above
        // comes down and may overshoot by less than one step.
        const long long step = reset / 1000 + 1;
        FUZZ_CHECK(year >= 1990 && year <= std::max(2010LL, 1990 + step) + 1,
                   context + " gave " + texts.year);
    }
    return 0;
}
