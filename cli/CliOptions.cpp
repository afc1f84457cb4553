#include "cli/CliOptions.h"

#include "ProgramInfo.h"
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

// One pass over the arguments: options are taken as they come, values are
// gathered at the front of `args` itself, which then becomes the list of
// values (no second list for 100,000 of them).
class ArgumentParser {
public:
    explicit ArgumentParser(std::vector<std::string_view> args) : m_args(std::move(args)) {}

    ParseResult parse() {
        for (m_next = 0; m_next < m_args.size();) {
            const std::string_view arg = m_args[m_next++];
            if (m_onlyValues || arg.empty() || arg[0] != '-' || arg == "-" ||
                LooksLikeNegativeNumber(arg)) {
                m_args[m_valueCount++] = arg;  // never ahead of the reading, so nothing is lost
                continue;
            }
            if (std::optional<std::string> error = option(arg)) return {std::nullopt, *error};
        }
        m_args.resize(m_valueCount);
        m_options.values = std::move(m_args);
        if (std::optional<std::string> error = chooseMode()) return {std::nullopt, *error};
        return {std::move(m_options), {}};
    }

private:
    using Error = std::optional<std::string>;

    Error option(std::string_view arg) {
        std::optional<std::string_view> inlineValue;
        const std::string_view name = OptionName(arg, inlineValue);
        const bool takesValue =
            name == "--reset" || name == "--events" || name == "--check" || name == "--format";
        if (inlineValue && !takesValue) return "option " + std::string(name) + " takes no value";
        if (name == "--") {
            m_onlyValues = true;
        } else if (name == "--help" || name == "-h") {
            m_help = true;
        } else if (name == "--version") {
            m_version = true;
        } else if (name == "--base90") {
            m_options.conversion.base90 = true;
        } else if (name == "--batch") {
            m_batch = true;
        } else if (name == "--reset") {
            return reset(inlineValue);
        } else if (name == "--events" || name == "--check") {
            (name == "--events" ? m_events : m_check) = true;
            return eventsFile(name, inlineValue);
        } else if (name == "--format") {
            return format(inlineValue);
        } else {
            return "unknown option " + std::string(arg);
        }
        return std::nullopt;
    }

    // The option's value: given with "=", or the next argument.
    std::optional<std::string_view> value(std::optional<std::string_view> inlineValue) {
        if (inlineValue) return inlineValue;
        if (m_next < m_args.size()) return m_args[m_next++];
        return std::nullopt;
    }

    Error reset(std::optional<std::string_view> inlineValue) {
        const std::optional<std::string_view> number = value(inlineValue);
        if (!number || !IsDecimalNumber(*number))
            return "--reset needs a number, for example --reset 100000";
        m_options.conversion.resetWrap = true;
        m_options.conversion.resetText = std::string(*number);
        return std::nullopt;
    }

    // The file is optional, so a following option is not taken for it.
    Error eventsFile(std::string_view name, std::optional<std::string_view> inlineValue) {
        if (inlineValue) {
            if (inlineValue->empty()) return std::string(name) + "= needs a file name";
            m_options.eventsFile = std::string(*inlineValue);
        } else if (m_next < m_args.size() && !m_args[m_next].starts_with("-")) {
            m_options.eventsFile = std::string(m_args[m_next++]);
        }
        return std::nullopt;
    }

    Error format(std::optional<std::string_view> inlineValue) {
        const std::optional<std::string_view> format = value(inlineValue);
        if (format == "tsv") {
            m_options.format = ListingFormat::Tsv;
        } else if (format == "csv") {
            m_options.format = ListingFormat::Csv;
        } else if (format == "json") {
            m_options.format = ListingFormat::Json;
        } else {
            return (format ? "unknown format " + std::string(*format) + ": " : "") +
                   "--format needs tsv, csv or json";
        }
        m_formatGiven = true;
        return std::nullopt;
    }

    Error chooseMode() {
        if (m_help) {
            m_options.mode = Mode::Help;
        } else if (m_version) {
            m_options.mode = Mode::Version;
        } else if (m_batch + m_events + m_check > 1) {
            return "only one of --batch, --events and --check can be used";
        } else if (m_formatGiven && !m_events) {
            return "--format applies only to --events";
        } else if (m_batch || m_events || m_check) {
            return fileMode();
        } else if (m_options.values.empty()) {
            return "nothing to convert: give a VALUE, --batch, --events or --check";
        }
        return std::nullopt;
    }

    Error fileMode() {
        const char* const mode = m_batch ? "--batch" : m_events ? "--events" : "--check";
        std::vector<std::string_view>& values = m_options.values;
        // The file may stand anywhere among the options, as in common tools.
        if (!m_batch && !values.empty()) {
            if (m_options.eventsFile || values.size() > 1) {
                const std::string first =
                    m_options.eventsFile ? *m_options.eventsFile : std::string(values[0]);
                const std::string_view second = values[m_options.eventsFile ? 0 : 1];
                return std::string(mode) + " reads one FILE, but got " + first + " and " +
                       std::string(second);
            }
            m_options.eventsFile = std::string(values.front());
            values.clear();
        }
        if (!values.empty())
            return std::string(mode) + " takes no VALUE, but got " + std::string(values.front());
        m_options.mode = m_batch ? Mode::Batch : m_events ? Mode::Events : Mode::Check;
        return std::nullopt;
    }

    std::vector<std::string_view> m_args;
    std::size_t m_next = 0;
    std::size_t m_valueCount = 0;
    CliOptions m_options;
    bool m_batch = false;
    bool m_events = false;
    bool m_check = false;
    bool m_formatGiven = false;
    bool m_help = false;
    bool m_version = false;
    bool m_onlyValues = false;
};

}  // namespace

ParseResult ParseArguments(std::vector<std::string_view> args) {
    return ArgumentParser(std::move(args)).parse();
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
                   $XDG_DATA_HOME/)" + std::string(kUserFolderInData) + R"(/StarTrek.vqd, else
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
