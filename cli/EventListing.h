#pragma once
// --events: the catalogue as tab-separated lines, in the data list's order.

#include <string>
#include <string_view>
#include <vector>

#include "ProgramInfo.h"
#include "cli/CliOptions.h"

namespace quorvane::cli {


// Appends one UTF-8 line per valid record to `listing`: title, the date as the
// record holds it, that date in the other calendar, source. The file's
// problems, worded as the window reports them, go to `problems`. Returns true
// when the file was read without a problem.
bool ListEvents(const std::string& path, const ConversionOptions& options, std::string& listing,
                std::vector<std::string>& problems);

}  // namespace quorvane::cli
