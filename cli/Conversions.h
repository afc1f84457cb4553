#pragma once
// One value or one batch request in, one line out. Every conversion goes
// through the same core functions the window's fields use.

#include <string>
#include <string_view>

#include "cli/CliOptions.h"
#include "conversion/CivilCalendar.h"
#include "conversion/StardateArithmetic.h"

namespace quorvane::cli {

// A command-line VALUE: YEAR-MONTH-DAY, YEAR:DAY, "today" or a stardate.
// Appends its output line (no line end) to `out` and returns true, or
// returns false with the reason in `reason`; `out` is then left as it was.
bool ConvertValue(std::string_view value, const ConversionOptions& options, const CivilDate& today,
                  std::string& out, std::string& reason);

// Appends the answer to one batch request line (no line end) to `out`;
// returns false when the request failed.
bool AnswerRequest(std::string_view line, const ConversionOptions& options, std::string& out);

// YYYY-MM-DD, zero-padded.
std::string FormatIsoDate(const CivilDate& date);

// The user's local date right now.
CivilDate LocalToday();

}  // namespace quorvane::cli
