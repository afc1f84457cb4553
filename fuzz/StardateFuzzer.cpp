// Any Earth date texts, entry mode, wrap flag and reset text give a stardate
// in the "0.0" pattern or one of the three failures. Input: one field per
// line, in the order year, day-of-year mode ("1"), month, day, day of the
// year, reset wrap on ("1"), reset number.

#include "FuzzInput.h"
#include "conversion/FieldNumbers.h"
#include "conversion/StardateArithmetic.h"

#include <cmath>
#include <string>

using namespace quorvane;
using fuzz::Quoted;

namespace {

bool IsOneDecimalPattern(const std::string& text) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t first = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > first && i + 2 == text.size() && text[i] == '.' && text[i + 1] >= '0' &&
           text[i + 1] <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = fuzz::Fields(data, size, 7);
    EarthDateInput input;
    input.year = f[0];
    input.mode = fuzz::Flag(f[1]) ? EntryMode::DayOfYear : EntryMode::MonthDay;
    input.month = f[2];
    input.day = f[3];
    input.dayOfYear = f[4];
    input.resetWrap = fuzz::Flag(f[5]);
    input.resetText = f[6];
    std::string context;
    for (const std::string_view field : f) context += Quoted(field) + " ";

    const StardateResult result = StardateFromEarthDate(input);
    if (!result.ok()) {
        FUZZ_CHECK(result.stardate.empty(), context);
        FUZZ_CHECK(!FailureMessage(result.failure).empty(), context);
        // A negative year is refused before anything else is looked at.
        if (ReadInt32Field(input.year) < 0)
            FUZZ_CHECK(result.failure == StardateFailure::InvalidYear, context);
        return 0;
    }
    FUZZ_CHECK(IsOneDecimalPattern(result.stardate), context + "gave " + Quoted(result.stardate));
    FUZZ_CHECK(ReadInt32Field(input.year) >= 0, context);

    const double stardate = LeadingNumber(result.stardate);
    const std::int32_t reset = ReadInt32Field(input.resetText);
    if (input.resetWrap && reset > 0)
        FUZZ_CHECK(stardate >= 0.0 && stardate <= reset, context + "gave " + result.stardate);

    if (!input.resetWrap && input.mode == EntryMode::MonthDay) {
        // Back to an Earth date, the stardate names the same day.
        const EarthDateTexts back = EarthDateFromStardate(result.stardate, false, {});
        const std::int32_t year = ReadInt32Field(input.year);
        if (year >= 100) {
            FUZZ_CHECK(back.year == FormatInteger(year), context + "came back as " + back.year);
            FUZZ_CHECK(back.month == FormatInteger(ReadInt16Field(input.month)), context);
            FUZZ_CHECK(back.day == FormatInteger(ReadInt16Field(input.day)), context);
        }
    }
    return 0;
}
