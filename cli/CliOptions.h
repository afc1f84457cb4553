#pragma once
// The command line of quorvane-cli: what to do and with which window options.

#include "conversion/StardateArithmetic.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

// The window's option controls, as the command line sets them.
struct ConversionOptions {
    bool resetWrap = false;  // chkReset checked
    std::string resetText;   // txtReset's text
    bool base90 = false;     // chkBase90 checked

    ConversionSwitches switches() const { return {resetWrap, resetText, base90}; }
};

enum class Mode { Convert, Batch, Events, Check, Help, Version };

// How --events writes the catalogue.
enum class ListingFormat { Tsv, Csv, Json };

struct CliOptions {
    Mode mode = Mode::Convert;
    ConversionOptions conversion;
    ListingFormat format = ListingFormat::Tsv;
    // Convert mode; views of the texts given to ParseArguments, which must
    // outlive them.
    std::vector<std::string_view> values;
    // Events and Check modes; none means the shipped catalogue.
    std::optional<std::string> eventsFile;
};

struct ParseResult {
    std::optional<CliOptions> options;
    std::string error;  // set when options is empty: a usage error
};

// `args` excludes the program name. Taken over, not copied: with 100,000
// values the copy costs about as much as converting them.
ParseResult ParseArguments(std::vector<std::string_view> args);

std::string UsageText();

}  // namespace quorvane::cli
