#include "cli/CliOptions.h"

#include "conversion/NumberScanner.h"

#include <cctype>

namespace quorvane::cli {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// A reset number must be a plain decimal: a typo such as "1e5" or "10O000"
// would otherwise read as a different number without a word.
bool IsDecimalNumber(std::string_view text) {
    static constexpr NumberGrammar kResetNumber{.wholeText = true};
    return ScanNumber(text, kResetNumber).status == NumberStatus::Ok;
}

// "-5" and "-.5" are stardates, not options.
bool LooksLikeNegativeNumber(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && (IsDigit(arg[1]) || arg[1] == '.');
}

// Splits "--name=value"; `value` is empty when there is no "=".
std::string_view OptionName(std::string_view arg, std::optional<std::string_view>& value) {
    const auto eq = arg.find('=');
    if (eq == std::string_view::npos || !arg.starts_with("--")) return arg;
    value = arg.substr(eq + 1);
    return arg.substr(0, eq);
}

}  // namespace

ParseResult ParseArguments(std::vector<std::string_view> args) {
    CliOptions options;
    bool batch = false;
    bool events = false;
    bool check = false;
    bool formatGiven = false;
    bool help = false;
    bool version = false;
    bool onlyValues = false;
    // The values are gathered at the front of `args` itself, which then
    // becomes the list of values: no second list for 100,000 of them.
    std::size_t valueCount = 0;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (onlyValues || arg.empty() || arg[0] != '-' || arg == "-" ||
            LooksLikeNegativeNumber(arg)) {
            args[valueCount++] = arg;  // never ahead of i, so nothing unread is lost
            continue;
        }
        std::optional<std::string_view> inlineValue;
        const std::string_view name = OptionName(arg, inlineValue);
        const bool takesValue =
            name == "--reset" || name == "--events" || name == "--check" || name == "--format";
        if (inlineValue && !takesValue) {
            return {std::nullopt, "option " + std::string(name) + " takes no value"};
        }

        if (name == "--") {
            onlyValues = true;
        } else if (name == "--help" || name == "-h") {
            help = true;
        } else if (name == "--version") {
            version = true;
        } else if (name == "--base90") {
            options.conversion.base90 = true;
        } else if (name == "--batch") {
            batch = true;
        } else if (name == "--reset") {
            std::optional<std::string_view> number = inlineValue;
            if (!number && i + 1 < args.size()) number = args[++i];
            if (!number || !IsDecimalNumber(*number)) {
                return {std::nullopt, "--reset needs a number, for example --reset 100000"};
            }
            options.conversion.resetWrap = true;
            options.conversion.resetText = std::string(*number);
        } else if (name == "--events" || name == "--check") {
            (name == "--events" ? events : check) = true;
            if (inlineValue) {
                if (inlineValue->empty())
                    return {std::nullopt, std::string(name) + "= needs a file name"};
                options.eventsFile = std::string(*inlineValue);
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("-")) {
                options.eventsFile = std::string(args[++i]);
            }
        } else if (name == "--format") {
            std::optional<std::string_view> format = inlineValue;
            if (!format && i + 1 < args.size()) format = args[++i];
            if (format == "tsv") {
                options.format = ListingFormat::Tsv;
            } else if (format == "csv") {
                options.format = ListingFormat::Csv;
            } else if (format == "json") {
                options.format = ListingFormat::Json;
            } else {
                return {std::nullopt, (format ? "unknown format " + std::string(*format) + ": " : "") +
                                          "--format needs tsv, csv or json"};
            }
            formatGiven = true;
        } else {
            return {std::nullopt, "unknown option " + std::string(arg)};
        }
    }

    args.resize(valueCount);
    options.values = std::move(args);

    if (help) {
        options.mode = Mode::Help;
    } else if (version) {
        options.mode = Mode::Version;
    } else if (batch + events + check > 1) {
        return {std::nullopt, "only one of --batch, --events and --check can be used"};
    } else if (formatGiven && !events) {
        return {std::nullopt, "--format applies only to --events"};
    } else if (batch || events || check) {
        const char* const mode = batch ? "--batch" : events ? "--events" : "--check";
        // The file may stand anywhere among the options, as in common tools.
        if (!batch && !options.values.empty()) {
            const bool twoFiles = options.eventsFile || options.values.size() > 1;
            if (twoFiles) {
                const std::string first =
                    options.eventsFile ? *options.eventsFile : std::string(options.values[0]);
                const std::string_view second = options.values[options.eventsFile ? 0 : 1];
                return {std::nullopt, std::string(mode) + " reads one FILE, but got " + first +
                                          " and " + std::string(second)};
            }
            options.eventsFile = std::string(options.values.front());
            options.values.clear();
        }
        if (!options.values.empty()) {
            return {std::nullopt, std::string(mode) + " takes no VALUE, but got " +
                                      std::string(options.values.front())};
        }
        options.mode = batch ? Mode::Batch : events ? Mode::Events : Mode::Check;
    } else if (options.values.empty()) {
        return {std::nullopt, "nothing to convert: give a VALUE, --batch, --events or --check"};
    }
    return {std::move(options), {}};
}

std::string UsageText() {
    return R"(Usage: quorvane-cli [--reset N] [--base90] VALUE...
       quorvane-cli [--reset N] [--base90] --batch
       quorvane-cli [--reset N] [--base90] --events [--format tsv|csv|json] [FILE]
       quorvane-cli --check [FILE]

Converts between stardates and Earth dates exactly as the Quorvane window does.

VALUE is one of:
  YEAR-MONTH-DAY   an Earth date; prints its stardate (2364-02-26 -> 41153.0)
  YEAR:DAY         an Earth date as year and day of the year (2364:57)
  today            today's local date
  anything else    a stardate; prints YYYY-MM-DD and the day of the year
                   (41153.7 -> 2364-02-26 57)
Options, VALUEs and FILE may come in any order. Use -- before stardates
and file names that could be taken for options.

Options:
  --reset N        wrap stardates into 0..N (the window's reset option)
  --base90         with --reset, move Earth years towards 1990..2010
  --batch          answer requests from standard input, one line each:
                     sd TEXT              -> YEAR DAYOFYEAR MONTH DAY, or "empty"
                     md YEAR MONTH DAY    -> stardate, or "error: MESSAGE"
                     yd YEAR DAYOFYEAR    -> stardate, or "error: MESSAGE"
  --events [FILE]  list the event catalogue (default: the user's copy,
                   $XDG_DATA_HOME/OvrekSoft/Quorvane/StarTrek.vqd, else
                   StarTrek.vqd beside the program; in English and
                   German, StarTrek_en.vqd first): title, date, the date
                   in the other calendar, source; tab-separated UTF-8
  --format F       how --events writes: tsv (the default), csv (RFC 4180,
                   UTF-8, with a header row) or json (an array of objects
                   with title, detail, date, converted, source); csv and
                   json also carry the detail
  --check [FILE]   read the catalogue as the window does and list every
                   problem, one line each: FILE:LINE: message; exit 0 when
                   the file is clean
  -h, --help       show this help
  --version        show the version

Exit status: 0 when everything converted, 1 when a value failed or the
catalogue has a problem, 2 on a usage error.
)";
}

}  // namespace quorvane::cli
