#include "cli/CliProgram.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "files/FileLocation.h"
#include "cli/BatchSession.h"
#include "cli/CliOptions.h"
#include "cli/Conversions.h"
#include "cli/EventListing.h"
#include "cli/System.h"
#include "language/UiLanguage.h"

namespace quorvane::cli {

namespace {

void Print(std::FILE* stream, std::string_view text) { WriteText(stream, text); }

void PrintProblem(std::string_view text) {
    std::fflush(stdout);  // keep the order of the two streams on a terminal
    Print(stderr, "quorvane-cli: ");
    Print(stderr, text);
    Print(stderr, "\n");
}

int ConvertValues(const CliOptions& options) {
    // Collected and written in large pieces, as the batch mode does: a write
    // per value costs more than its conversion, and on a terminal stdout
    // would flush every line.
    constexpr std::size_t kFlushSize = 64 * 1024;
    const CivilDate today = LocalToday();
    int status = kExitOk;
    std::string output;
    output.reserve(kFlushSize + 256);
    std::string reason;
    for (const std::string_view value : options.values) {
        if (ConvertValue(value, options.conversion, today, output, reason)) {
            output += '\n';
        } else {
            Print(stdout, output);  // the answers so far come before the problem
            output.clear();
            PrintProblem(std::string(value) + ": " + reason);
            status = kExitFailed;
        }
        if (output.size() >= kFlushSize) {
            Print(stdout, output);
            output.clear();
        }
    }
    Print(stdout, output);
    return status;
}

int RunBatch(const CliOptions& options) {
    std::fflush(stdout);
    BatchSession session(options.conversion);
    if (!session.run()) {
        PrintProblem(session.ioError());
        return kExitFailed;
    }
    return session.allConverted() ? kExitOk : kExitFailed;
}

std::string CataloguePath(const CliOptions& options) {
    return options.eventsFile ? *options.eventsFile : CataloguePathToRead(ProgramFolder());
}

int RunEvents(const CliOptions& options) {
    std::string listing;
    std::vector<std::string> problems;
    const bool clean =
        ListEvents(CataloguePath(options), options.conversion, options.format, listing, problems);
    Print(stdout, listing);
    for (const std::string& problem : problems) PrintProblem(problem);
    return clean ? kExitOk : kExitFailed;
}

int RunCheck(const CliOptions& options) {
    std::string report;
    std::string unreadable;
    const bool clean = CheckCatalogue(CataloguePath(options), report, unreadable);
    Print(stdout, report);
    if (!unreadable.empty()) PrintProblem(unreadable);
    return clean ? kExitOk : kExitFailed;
}

int RunMode(const CliOptions& options) {
    switch (options.mode) {
    case Mode::Help:
        Print(stdout, UsageText());
        return kExitOk;
    case Mode::Version:
        Print(stdout, std::string(kProgramVersion) + "\n");
        return kExitOk;
    case Mode::Batch:
        return RunBatch(options);
    case Mode::Events:
        return RunEvents(options);
    case Mode::Check:
        return RunCheck(options);
    case Mode::Convert:
        break;
    }
    return ConvertValues(options);
}

}  // namespace

int RunCli(int argc, char** argv) {
    PrepareStandardStreams();
    // The messages shared with the window speak as the window would.
    SetActiveUiLanguage(ChooseUiLanguage(LanguageSetting(), PreferredUiLanguages()));
    std::vector<std::string> storage;
    const ParseResult parsed = ParseArguments(CommandLineArguments(argc, argv, storage));
    if (!parsed.options) {
        PrintProblem(parsed.error);
        Print(stderr, "Try 'quorvane-cli --help' for more information.\n");
        return kExitUsage;
    }
    const int status = RunMode(*parsed.options);
    // A full disk or a closed pipe loses the output: that is no success.
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (!flushed || std::ferror(stdout)) {
        PrintProblem(flushed ? "cannot write the output"
                             : std::string("cannot write the output: ") + std::strerror(error));
        return kExitFailed;
    }
    return status;
}

}  // namespace quorvane::cli
