#pragma once
// The two conversions between a stardate and an Earth date, as pure functions
// of the main window's field texts and options.

#include "language/UiLanguage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr int kEpochYear = 2323;        // stardate 0 = start of 1 January
inline constexpr int kWindowLowerYear = 1990;  // the "1990 - 2010" year window
inline constexpr int kWindowUpperYear = 2010;

// Per-day factor 1000 / days, held in single precision.
float PerDayFactor(long long year);

// Moves an Earth year by whole steps of reset / 1000 (each step rounded half
// to even) until it is below 2010, then lifts a year below 1990 until it is
// above 1990. Years from 1990 to 2010 stay. With a reset of 500 or less the
// steps could never finish, so every year stays where it is.
std::int32_t ApplyYearWindow(std::int32_t year, std::int32_t reset);

// Brings a stardate into (0, reset] when negative, or into [0, reset) when
// above reset, by whole multiples of reset; the result is the one repeated
// double-precision additions or subtractions would reach. A reset of 0 or
// less, or a stardate so large that the steps stall, is left as it is.
double WrapStardate(double stardate, std::int32_t reset);

struct EarthDateTexts {
    // All four empty when the Earth date would fall outside the years 100 to
    // 9999 (or the stardate is not a finite single-precision number, or its
    // year does not fit 32 bits). The day of the year counts in the year
    // shown: the last stardates of a year give January 1 and day 1.
    std::string year;
    std::string dayOfYear;
    std::string month;
    std::string day;

    bool empty() const { return year.empty(); }
    bool operator==(const EarthDateTexts&) const = default;
};

// Stardate text to the four Earth date texts, in the order the window writes
// them. `yearWindow` is true when both the reset wrap and the 1990-2010 option
// are on; `resetText` is then read as the reset number R.
EarthDateTexts EarthDateFromStardate(std::string_view stardateText, bool yearWindow,
                                     std::string_view resetText);

enum class EntryMode { MonthDay, DayOfYear };

enum class StardateFailure { None, InvalidYear, InvalidDayOfYear, InvalidDate };

struct EarthDateInput {
    std::string_view year;
    EntryMode mode = EntryMode::MonthDay;
    std::string_view month;
    std::string_view day;
    std::string_view dayOfYear;
    bool resetWrap = false;       // chkReset checked
    std::string_view resetText;   // read only when resetWrap is on
};

struct StardateResult {
    StardateFailure failure = StardateFailure::None;
    std::string stardate;  // pattern "0.0"; empty on failure

    bool ok() const { return failure == StardateFailure::None; }
};

StardateResult StardateFromEarthDate(const EarthDateInput& input);

// The message the user is shown for a failure (UTF-8), in the face of this
// run unless told otherwise; empty for None.
std::string FailureMessage(StardateFailure failure, UiLanguage language = ActiveUiLanguage());

// Why a stardate has no Earth date: it falls outside the years 100 to 9999.
std::string OutsideYearsMessage(UiLanguage language = ActiveUiLanguage());

// True when the Earth date fields hold enough to convert: a non-zero year and,
// by mode, a non-zero month and day or a non-zero day of the year.
bool IsEarthDateComplete(std::string_view year, EntryMode mode, std::string_view month,
                         std::string_view day, std::string_view dayOfYear);

// The options both conversions read, as the main window's controls hold
// them: the reset wrap, the reset number's text, the 1990 - 2010 option.
struct ConversionSwitches {
    bool resetWrap = false;
    std::string_view resetText;
    bool base90 = false;

    // The year window moves years only while the reset wrap is on as well.
    bool yearWindow() const { return resetWrap && base90; }
};

// The Earth date fields a stardate's text gives under these options.
EarthDateTexts EarthDateFor(std::string_view stardateText, const ConversionSwitches& switches);

// The input "→" converts: the Earth date fields' texts under these options.
EarthDateInput EarthDateInputOf(std::string_view year, EntryMode mode, std::string_view month,
                                std::string_view day, std::string_view dayOfYear,
                                const ConversionSwitches& switches);

// Filled Earth date fields as YYYY-MM-DD, the year padded to four digits.
void AppendIsoDate(const EarthDateTexts& texts, std::string& out);

}  // namespace quorvane
