// quorvane-cli --batch: one answer line per request line, in order, streamed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRunner.h"
#include "cli/BatchSession.h"

using clitest::CliProcess;
using clitest::RunCli;
using clitest::RunResult;
using quorvane::cli::BatchSession;
using namespace std::chrono_literals;

namespace {

struct Exchange {
    const char* what;
    std::string request;
    std::string answer;
};

// Sends every request in one batch and checks the answers line by line.
void ExpectAnswers(const std::vector<std::string>& options, const std::vector<Exchange>& exchanges) {
    std::string input;
    for (const Exchange& e : exchanges) input += e.request + "\n";
    std::vector<std::string> args = options;
    args.push_back("--batch");
    const RunResult run = RunCli(args, input);
    ASSERT_FALSE(run.timedOut);

    std::size_t start = 0;
    for (const Exchange& e : exchanges) {
        SCOPED_TRACE(e.what);
        const auto end = run.out.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "no answer";
        EXPECT_EQ(run.out.substr(start, end - start), e.answer);
        start = end + 1;
    }
    EXPECT_EQ(start, run.out.size()) << "more answers than requests";
}

const std::string kYearMessage = "年の指定が無効です。";
const std::string kDayOfYearMessage = "年間通算日の指定が無効です。";
const std::string kDateMessage = "日付の指定が無効です。";

}  // namespace

TEST(BatchProtocol, StardateRequestsAnswerTheFourEarthFields) {
    ExpectAnswers({}, {
        {"the window's worked example", "sd 41153.7", "2364 57 2 26"},
        {"the last day count of a 365-day year rolls into January", "sd 42998.7", "2366 1 1 1"},
        {"an empty text converts like the empty field, as stardate 0", "sd", "2323 1 1 1"},
        {"an empty text after the blank", "sd ", "2323 1 1 1"},
        {"a stardate beyond the year 9999 empties the fields", "sd 99999999", "empty"},
        {"text after the number is ignored like in the field", "sd 41000 hello", "2364 1 1 1"},
        {"a line ending in CR LF", "sd 41153.7\r", "2364 57 2 26"},
    });
}

TEST(BatchProtocol, EarthDateRequestsAnswerTheStardateOrTheWindowsMessage) {
    ExpectAnswers({}, {
        {"month-day form", "md 2364 2 26", "41153.0"},
        {"day-of-year form", "yd 2364 57", "41153.0"},
        {"field texts are read like the fields read them", "md 2364.5 2.5 26", "41153.0"},
        {"extra blanks between the fields", "md  2364\t2   26 ", "41153.0"},
        {"a negative year is refused first", "md -1 13 40", "error: " + kYearMessage},
        {"day of the year 0", "yd 2364 0", "error: " + kDayOfYearMessage},
        {"day of the year 367", "yd 2364 367", "error: " + kDayOfYearMessage},
        {"February 29 of a common year", "md 2365 2 29", "error: " + kDateMessage},
        {"a year beyond 9999", "md 10000 1 1", "error: " + kDateMessage},
    });
}

TEST(BatchProtocol, MalformedRequestsAreAnsweredAndTheBatchGoesOn) {
    ExpectAnswers({}, {
        {"an unknown request", "convert 41000", "error: unknown request, expected sd, md or yd"},
        {"request words are case-sensitive", "SD 41000", "error: unknown request, expected sd, md or yd"},
        {"an empty line", "", "error: empty request"},
        {"md with a field missing", "md 2364 2", "error: md needs YEAR MONTH DAY"},
        {"md with a field too many", "md 2364 2 26 1", "error: md needs YEAR MONTH DAY"},
        {"yd with a field missing", "yd 2364", "error: yd needs YEAR DAYOFYEAR"},
        {"the batch still answers after them", "sd 41000", "2364 1 1 1"},
    });
}

TEST(BatchProtocol, OptionsApplyToEveryRequest) {
    ExpectAnswers({"--reset", "100000", "--base90"}, {
        {"year window on a stardate", "sd 75345.2", "1998 127 5 7"},
        {"reset wrap on an Earth date", "md 1998 5 7", "75345.2"},
        {"reset wrap on a day of the year", "yd 1998 127", "75345.2"},
    });
}

TEST(BatchProtocol, ExitStatusSaysWhetherEveryRequestConverted) {
    EXPECT_EQ(RunCli({"--batch"}, "sd 41000\nmd 2364 1 1\n").exitStatus, 0);
    EXPECT_EQ(RunCli({"--batch"}, "").exitStatus, 0);
    EXPECT_EQ(RunCli({"--batch"}, "sd 41000\nmd 2365 2 29\n").exitStatus, 1);
    EXPECT_EQ(RunCli({"--batch"}, "sd 99999999\n").exitStatus, 1);
    EXPECT_EQ(RunCli({"--batch"}, "nonsense\n").exitStatus, 1);
}

TEST(BatchProtocol, LastLineWithoutLineEndIsAnswered) {
    const RunResult run = RunCli({"--batch"}, "sd 41000\nmd 2364 2 26");
    EXPECT_EQ(run.out, "2364 1 1 1\n41153.0\n");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(BatchProtocol, PipeIsAnsweredLineByLine) {
    CliProcess cli({"--batch"});
    cli.writeText("sd 41153.7\n");
    EXPECT_EQ(cli.readLine(), "2364 57 2 26");
    cli.writeText("md 2364 2 26\n");
    EXPECT_EQ(cli.readLine(), "41153.0");
    cli.writeText("bogus\n");
    EXPECT_EQ(cli.readLine(), "error: unknown request, expected sd, md or yd");
    // Half a request waits for its line end; the rest then completes it.
    cli.writeText("yd 2364 ");
    cli.writeText("57\n");
    EXPECT_EQ(cli.readLine(), "41153.0");
    cli.closeInput();
    EXPECT_EQ(cli.readLine(), std::nullopt);
    EXPECT_EQ(cli.wait(), 1);
}

TEST(BatchProtocol, OverlongLinesAreRefusedWithoutLosingTheirNeighbours) {
    const std::size_t limit = BatchSession::kMaxRequestLength;
    const std::string longest = "sd 41000" + std::string(limit - 8, 'x');
    const std::string tooLong = longest + "x";
    const std::string huge = "md " + std::string(10 * 1024 * 1024, '1');
    const RunResult run = RunCli({"--batch"}, "sd 42000\n" + longest + "\n" + tooLong + "\n" + huge +
                                                  "\nmd 2364 2 26\n" + huge);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.out,
              "2365 1 1 1\n"
              "2364 1 1 1\n"
              "error: request too long\n"
              "error: request too long\n"
              "41153.0\n"
              "error: request too long\n");
    EXPECT_EQ(run.exitStatus, 1);
}

TEST(BatchProtocol, ManyRequestsAnswerInOrder) {
    // Every convertible year: enough to cross the internal buffers.
    std::string input;
    std::string expected;
    for (int year = 100; year <= 9999; ++year) {
        input += "md " + std::to_string(year) + " 1 1\n";
        expected += std::to_string((year - 2323) * 1000) + ".0\n";
    }
    const RunResult run = RunCli({"--batch"}, input);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.exitStatus, 0);
}
