#pragma once
// --events: the catalogue in the data list's order; --check: every problem
// of the catalogue file.

#include <string>
#include <string_view>
#include <vector>

#include "ProgramInfo.h"
#include "cli/CliOptions.h"

namespace quorvane::cli {


// Appends the valid records to `listing` in UTF-8, in the chosen format:
// tsv is title, the date as the record holds it, that date in the other
// calendar, source; csv and json add the detail. The file's problems,
// worded as the window reports them, go to `problems`. Returns true when the
// file was read without a problem.
bool ListEvents(const std::string& path, const ConversionOptions& options, ListingFormat format,
                std::string& listing, std::vector<std::string>& problems);

// Appends one line "PATH:LINE: reason" per problem of the file to `report`,
// in line order. A file that cannot be read at all gives no report and its
// message in `unreadable`. Returns true when the file is clean.
bool CheckCatalogue(const std::string& path, std::string& report, std::string& unreadable);

// One CSV field (RFC 4180), quoted when it has to be.
void AppendCsvField(std::string& out, std::string_view text);

// A JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace quorvane::cli
