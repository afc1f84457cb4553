// quorvane-cli VALUE...: each value converted on its own line, as the window
// would convert it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"

using clitest::RunCli;
using clitest::RunResult;
using namespace std::chrono_literals;

namespace {

struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string out;
};

void ExpectConverted(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = RunCli(c.args);
        EXPECT_EQ(run.out, c.out + "\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitStatus, 0);
    }
}

struct Failure {
    const char* what;
    std::vector<std::string> args;
    std::string message;
};

void ExpectFailed(const std::vector<Failure>& cases) {
    for (const Failure& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult run = RunCli(c.args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.exitStatus, 1);
    }
}

const std::string kDateMessage = "日付の指定が無効です。";
const std::string kDayOfYearMessage = "年間通算日の指定が無効です。";

}  // namespace

TEST(ValueConversion, StardateToEarthDate) {
    ExpectConverted({
        {"the window's worked example", {"41153.7"}, "2364-02-26 57"},
        {"a round thousand is January 1", {"41000"}, "2364-01-01 1"},
        {"stardate 0 is the epoch", {"0"}, "2323-01-01 1"},
        {"a negative stardate falls in the year before the epoch", {"-5"}, "2322-12-30 364"},
        {"last day count of a 365-day year rolls into January", {"42998.7"}, "2366-01-01 1"},
        {"the stardate just before it stays on December 31", {"42998.6"}, "2365-12-31 365"},
        {"last day count of a leap year rolls into January", {"41998.7"}, "2365-01-01 1"},
        {"the end of January", {"42082.2"}, "2365-01-31 31"},
        {"text after the number is ignored like in the field", {"41153.7abc"}, "2364-02-26 57"},
        {"text without a number reads as stardate 0", {"abc"}, "2323-01-01 1"},
        {"the earliest convertible stardate pads the year to four digits", {"-2223000"}, "0100-01-01 1"},
        {"-- lets a value look like an option", {"--", "-x"}, "2323-01-01 1"},
    });
}

TEST(ValueConversion, EarthDateToStardate) {
    ExpectConverted({
        {"the window's worked example", {"2364-02-26"}, "41153.0"},
        {"zero-padded month and day read the same", {"2364-2-26"}, "41153.0"},
        {"a date before the epoch gives a negative stardate", {"1998-05-07"}, "-324654.8"},
        {"the end of January converts back exactly", {"2365-01-31"}, "42082.2"},
        {"February 29 of a leap year", {"2364-02-29"}, "41161.2"},
        {"day-of-year form", {"2364:57"}, "41153.0"},
        {"day 366 is accepted in a 365-day year", {"2365:366"}, "43000.0"},
    });
}

TEST(ValueConversion, ResetWrapAndYearWindow) {
    ExpectConverted({
        {"reset wraps a negative stardate up into 0..R", {"--reset", "100000", "1998-05-07"}, "75345.2"},
        {"reset keeps a stardate of exactly R", {"--reset", "100000", "2423-01-01"}, "100000.0"},
        {"reset wraps twice R to 0", {"--reset", "100000", "2523-01-01"}, "0.0"},
        {"the --reset=N form", {"--reset=100000", "1998-05-07"}, "75345.2"},
        {"year window moves the year into 1990..2010", {"--reset", "100000", "--base90", "75345.2"},
         "1998-05-07 127"},
        {"year window overshoots below 1990 and is lifted once", {"--base90", "--reset", "100000", "51234.5"},
         "2074-03-28 87"},
        {"reset alone leaves the stardate-to-Earth direction alone", {"--reset", "100000", "75345.2"},
         "2398-05-07 127"},
        {"year window without reset changes nothing", {"--base90", "75345.2"}, "2398-05-07 127"},
        {"year window without reset changes nothing the other way", {"--base90", "1998-05-07"}, "-324654.8"},
    });
}

TEST(ValueConversion, FailedValuesGiveTheWindowsMessages) {
    ExpectFailed({
        {"February 29 of a common year", {"2365-02-29"}, kDateMessage},
        {"month 13", {"2364-13-01"}, kDateMessage},
        {"day 0", {"2364-02-00"}, kDateMessage},
        {"a year beyond 9999", {"10000-01-01"}, kDateMessage},
        {"day of the year 0", {"2364:0"}, kDayOfYearMessage},
        {"day of the year 367", {"2364:367"}, kDayOfYearMessage},
        {"a stardate in the year 99", {"-2223500"}, "西暦が 100 年から 9999 年の範囲を外れます。"},
        {"a stardate after the year 9999", {"7676999"}, "西暦が 100 年から 9999 年の範囲を外れます。"},
    });
}

// The test runs under the C locale, the Japanese face: a failure there has
// no English word in its reason, whichever value failed.
TEST(ValueConversion, EveryFailureSpeaksTheJapaneseFace) {
    if (clitest::IsWindowsProgram()) GTEST_SKIP() << "the locale does not reach Wine's display language";
    for (const char* value : {"2365-02-29", "2364:0", "-2223500", "99999999"}) {
        SCOPED_TRACE(value);
        const RunResult run = RunCli({value});
        const std::string prefix = std::string("quorvane-cli: ") + value + ": ";
        ASSERT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
        const std::string reason = run.err.substr(prefix.size());
        EXPECT_TRUE(std::none_of(reason.begin(), reason.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
            << reason;
    }
}

TEST(ValueConversion, OneFailedValueDoesNotStopTheOthers) {
    const RunResult run = RunCli({"41000", "2365-02-29", "2364-01-01"});
    EXPECT_EQ(run.out, "2364-01-01 1\n41000.0\n");
    EXPECT_NE(run.err.find("2365-02-29"), std::string::npos) << run.err;
    EXPECT_EQ(run.exitStatus, 1);
}

TEST(ValueConversion, TodayIsTheLocalDate) {
    const auto localDate = [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d", &local);
        return std::string(text);
    };
    const std::string before = localDate();
    const RunResult run = RunCli({"today", before});
    if (localDate() != before) GTEST_SKIP() << "the date changed while the test ran";
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto firstEnd = run.out.find('\n');
    ASSERT_NE(firstEnd, std::string::npos);
    EXPECT_EQ(run.out.substr(0, firstEnd + 1), run.out.substr(firstEnd + 1));
}

TEST(ValueConversion, UsageErrors) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
        {"no value at all", {}},
        {"an unknown option", {"--frobnicate", "41000"}},
        {"--reset as the last argument", {"41000", "--reset"}},
        {"--reset followed by another option", {"--reset", "--base90", "41000"}},
        {"--reset with text that is not a number", {"--reset", "abc", "41000"}},
        {"--reset with an exponent", {"--reset", "1e5", "41000"}},
        {"a value option given a value", {"--base90=1", "41000"}},
        {"--batch with values", {"--batch", "41000"}},
        {"--batch and --events together", {"--batch", "--events"}},
        {"--check and --events together", {"--check", "--events"}},
        {"an unknown listing format", {"--events", "--format", "xml"}},
        {"a listing format named in capitals", {"--events", "--format=CSV"}},
        {"--format without a format", {"--events", "--format"}},
        {"--format without --events", {"--check", "--format", "csv"}},
        {"two files for --events, wherever they stand", {"a.vqd", "--events", "b.vqd"}},
    };
    for (const auto& [what, args] : cases) {
        SCOPED_TRACE(what);
        const RunResult run = RunCli(args);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
    }
}

TEST(ValueConversion, HelpAndVersion) {
    const RunResult version = RunCli({"--version"});
    EXPECT_EQ(version.out, "1.22\n");
    EXPECT_EQ(version.exitStatus, 0);

    const RunResult help = RunCli({"--help"});
    EXPECT_EQ(help.out.rfind("Usage: quorvane-cli", 0), 0u) << help.out;
    EXPECT_EQ(help.exitStatus, 0);
}

TEST(ValueConversion, OutputThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"41000"}, std::vector<std::string>{"--events"}}) {
        SCOPED_TRACE(args.front());
        const RunResult run = clitest::RunCliWithOutputTo(args, "/dev/full");
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_NE(run.err.find("cannot write the output"), std::string::npos) << run.err;
    }
}

TEST(ValueConversion, ResetNumbersThatCannotWrapStillAnswer) {
    // A reset of 0 or a negative one would loop for ever if the core took it.
    for (const char* reset : {"0", "-100000", "1"}) {
        SCOPED_TRACE(reset);
        const RunResult run = RunCli({"--reset", reset, "--base90", "1998-05-07", "75345.2"}, {}, 20s);
        EXPECT_FALSE(run.timedOut);
        EXPECT_NE(run.exitStatus, -1);
    }
}
