// quorvane-cli --events: the catalogue in the data list's order, each date
// also in the other calendar.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"
#include "cli/EventListing.h"

using clitest::RunCli;
using clitest::RunResult;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Shift-JIS, CR LF, as the catalogue is written on Windows.
const std::string kSmallCatalogue =
    "\"\x8e\x96\x8f\xdb\",\"Detail\",\"Date\",\"Source\"\r\n"
    "\"Zefram Cochrane's warp flight\",\"First contact\",#2063-04-05#,\"First Contact\"\r\n"
    "\"Encounter at Farpoint\",\"Picard takes command\",41153.7,\"TNG\"\r\n"
    "\"\x89\x46\x92\x88\x97\xef\x82\xcc\x8e\x6e\x82\xdc\x82\xe8\",\"\",0,"
    "\"\x8f\x6f\x93\x54\x82\xc8\x82\xb5\"\r\n"
    "\"ambassador\",\"A stardate written as text\",\"41000\",\"src\"\r\n"
    "\"Data\",\"The last stardate of 2365\",42998.7,#NULL#\r\n"
    "\"Far past\",\"Before the year 100\",-2223500,\"src\"\r\n"
    "\"Tabbed\tTitle\",\"\",75345.2,\"src\"\r\n";

class EventListing : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("quorvane-cli-") + test->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        // The runner's own copy of the catalogue must not stand in for the test's.
        if (const char* value = std::getenv("XDG_DATA_HOME")) m_dataHome = value;
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    }
    void TearDown() override {
        if (m_dataHome) ::setenv("XDG_DATA_HOME", m_dataHome->c_str(), 1);
        else ::unsetenv("XDG_DATA_HOME");
        fs::remove_all(m_dir);
    }

    std::string write(const fs::path& relative, const std::string& bytes) {
        const fs::path path = m_dir / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path m_dir;
    std::optional<std::string> m_dataHome;
};

}  // namespace

TEST_F(EventListing, ListsRecordsInTitleOrderWithBothCalendars) {
    const RunResult run = RunCli({"--events", write("small.vqd", kSmallCatalogue)});
    EXPECT_EQ(run.out,
              "ambassador\t41000\t2364-01-01\tsrc\n"
              "Data\t42998.7\t2366-01-01\tNothing\n"
              "Encounter at Farpoint\t41153.7\t2364-02-26\tTNG\n"
              "Far past\t-2223500\t\tsrc\n"
              "Tabbed Title\t75345.2\t2398-05-07\tsrc\n"
              "Zefram Cochrane's warp flight\t2063-04-05\t-259742.5\tFirst Contact\n"
              "宇宙暦の始まり\t0\t2323-01-01\t出典なし\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(EventListing, OptionsApplyToTheOtherCalendar) {
    const RunResult run =
        RunCli({"--reset", "100000", "--base90", "--events", write("small.vqd", kSmallCatalogue)});
    EXPECT_NE(run.out.find("Tabbed Title\t75345.2\t1998-05-07\tsrc\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Zefram Cochrane's warp flight\t2063-04-05\t40257.5\t"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(EventListing, MalformedFileReportsTheWindowsProblemsAndListsTheValidRecords) {
    const std::string path = write("broken.vqd",
                                   "\"Title\",\"Detail\",\"Date\",\"Source\"\r\n"
                                   "\"Data\",\"a\",41000,\"s\"\r\n"
                                   "\"DATA\",\"b\",42000,\"s\"\r\n"
                                   "#NULL#,\"c\",43000,\"s\"\r\n"
                                   "\"Worf\",\"d\",44000,\"s\"\r\n");
    const std::string windowMessage =
        quorvane::CatalogueMessage("broken.vqd", quorvane::ReadCatalogueDocument(path).reading);
    ASSERT_FALSE(windowMessage.empty());

    const RunResult run = RunCli({"--events", path});
    EXPECT_EQ(run.out,
              "Data\t41000\t2364-01-01\ts\n"
              "Worf\t44000\t2367-01-01\ts\n");
    EXPECT_NE(run.err.find(windowMessage), std::string::npos) << run.err;
    EXPECT_EQ(run.exitStatus, 1);
}

TEST_F(EventListing, MissingFileFails) {
    const RunResult run = RunCli({"--events", (m_dir / "nowhere.vqd").string()});
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
    EXPECT_EQ(run.exitStatus, 1);
}

// On Windows the arguments and the file are reached through the wide-character
// calls: an ANSI argv would have turned these letters into "?" or look-alikes.
TEST_F(EventListing, FileNamedOutsideTheShiftJisCodePageOpens) {
    const std::string path =
        write("\xC3\x84rger \xED\x95\x9C/\xC3\x84.vqd",
              "\"T\",\"D\",\"S\",\"O\"\r\n\"Found\",\"\",41000,\"\"\r\n");
    const RunResult run = RunCli({"--events", path});
    EXPECT_EQ(run.out, "Found\t41000\t2364-01-01\t\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(EventListing, DefaultCatalogueIsTheOneBesideTheProgram) {
    const fs::path program = m_dir / "bin" / "quorvane-cli";
    fs::create_directories(program.parent_path());
    fs::copy_file(clitest::CliPath(), program);
    write("bin/StarTrek.vqd", "\"T\",\"D\",\"S\",\"O\"\r\n\"Beside the program\",\"\",41000,\"\"\r\n");
    write("work/StarTrek.vqd", "\"T\",\"D\",\"S\",\"O\"\r\n\"Working folder\",\"\",41000,\"\"\r\n");

    const RunResult run = clitest::RunProgramIn(program.string(), {"--events"}, (m_dir / "work").string());
    EXPECT_EQ(run.out, "Beside the program\t41000\t2364-01-01\t\n");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(EventListing, UserCopyIsReadBeforeTheOneBesideTheProgram) {
    // The test places the user's folder through XDG_DATA_HOME; Windows takes
    // it from the user's profile, which the test cannot move.
    if (clitest::IsWindowsProgram()) GTEST_SKIP() << "the user's folder is the profile's on Windows";
    const fs::path program = m_dir / "bin" / "quorvane-cli";
    fs::create_directories(program.parent_path());
    fs::copy_file(clitest::CliPath(), program);
    write("bin/StarTrek.vqd", "\"T\",\"D\",\"S\",\"O\"\r\n\"Beside the program\",\"\",41000,\"\"\r\n");
    write("data/OvrekSoft/Quorvane/StarTrek.vqd",
          "\"T\",\"D\",\"S\",\"O\"\r\n\"User's copy\",\"\",41000,\"\"\r\n");

    const RunResult run = clitest::RunProgramIn(program.string(), {"--events"}, m_dir.string());
    EXPECT_EQ(run.out, "User's copy\t41000\t2364-01-01\t\n");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(EventListing, CsvIsRfc4180WithAHeaderRow) {
    // A bare item may hold a quote; a quoted one a comma.
    const std::string path = write("csv.vqd",
                                   "\"T\",\"D\",\"S\",\"O\"\r\n"
                                   "\"Kirk, James\",say \"hi\",41153.7,\"TNG\"\r\n"
                                   "\"Far past\",\"\",-2223500,#NULL#\r\n");
    const RunResult run = RunCli({"--events", path, "--format", "csv"});
    EXPECT_EQ(run.out, clitest::Normalised("title,detail,date,converted,source\r\n"
                                           "Far past,,-2223500,,Nothing\r\n"
                                           "\"Kirk, James\",\"say \"\"hi\"\"\",41153.7,2364-02-26,TNG\r\n"));
    EXPECT_EQ(run.exitStatus, 0) << run.err;

    // No catalogue item can hold a line break, but a field must never split a row.
    std::string field;
    quorvane::cli::AppendCsvField(field, "a, \"b\"\r\nc");
    EXPECT_EQ(field, "\"a, \"\"b\"\"\r\nc\"");
}

TEST_F(EventListing, JsonEscapesEveryTextAndParses) {
    const std::string path = write("json.vqd",
                                   "\xEF\xBB\xBF\"T\",\"D\",\"S\",\"O\"\r\n"
                                   "say \"hi\",\"back\\slash\ttab\x01\x1f\",41153.7,\"宇宙\"\r\n"
                                   "\"Far past\",\"\",-2223500,#NULL#\r\n");
    const RunResult run = RunCli({"--events=" + path, "--format=json"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << run.out;
    const QJsonArray events = document.array();
    ASSERT_EQ(events.size(), 2);

    const QJsonObject farPast = events[0].toObject();
    EXPECT_EQ(farPast.value("title").toString(), "Far past");
    EXPECT_EQ(farPast.value("date").toString(), "-2223500");
    EXPECT_TRUE(farPast.value("converted").isNull()) << "no Earth date before the year 100";

    const QJsonObject quoted = events[1].toObject();
    EXPECT_EQ(quoted.value("title").toString(), "say \"hi\"");
    EXPECT_EQ(quoted.value("detail").toString(), QString::fromUtf8("back\\slash\ttab\x01\x1f"));
    EXPECT_EQ(quoted.value("date").toString(), "41153.7");
    EXPECT_EQ(quoted.value("converted").toString(), "2364-02-26");
    EXPECT_EQ(quoted.value("source").toString(), QString::fromUtf8("宇宙"));
    EXPECT_EQ(run.out.find('\x01'), std::string::npos) << "a raw control character";

    // An empty catalogue is still an array.
    const RunResult empty = RunCli({"--events", write("empty.vqd", "\"T\",\"D\",\"S\",\"O\"\r\n"),
                                    "--format", "json"});
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(empty.out)).isArray()) << empty.out;
}

TEST_F(EventListing, CheckListsEveryProblemWithItsLine) {
    const std::string path = write("broken.vqd",
                                   "\"Title\",\"Detail\",\"Date\",\"Source\"\r\n"
                                   "\"Data\",\"a\",41000,\"s\"\r\n"
                                   "\r\n"
                                   "\"DATA\",\"b\",42000,\"s\"\r\n"
                                   "\"Worf\",\"c\",#2364-02-30#,\"s\"\r\n"
                                   "\"Riker\",\"d\",\"soon\",\"s\"\r\n"
                                   "\"Troi\",\"e\",44000,\"s\"\r\n"
                                   "\"Q\",\"f\"\r\n");
    const RunResult run = RunCli({"--check", path});
    EXPECT_EQ(run.out, path + ":3: 空の行があります\n" +
                           path + ":4: 同じ事象がすでにあります\n" +
                           path + ":5: 日付が正しくありません\n" +
                           path + ":6: 日付の欄が日付でも数値でもありません\n" +
                           path + ":8: 項目が 4 つそろっていません\n");
    EXPECT_EQ(run.exitStatus, 1);

    // The catalogue shipped beside the program is clean.
    const RunResult shipped = RunCli({"--check"});
    EXPECT_EQ(shipped.out, "");
    EXPECT_EQ(shipped.err, "");
    EXPECT_EQ(shipped.exitStatus, 0);

    const RunResult missing = RunCli({"--check", (m_dir / "nowhere.vqd").string()});
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nowhere.vqd が見つかりません"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.exitStatus, 1);
}

// The list reads a double quote inside a bare item, but the editor could not
// save it: --check says so, where the editor would refuse.
TEST_F(EventListing, CheckWarnsOfAnItemASaveCouldNotWrite) {
    const std::string path = write("quote.vqd",
                                   "\"Title\",\"Detail\",\"Date\",\"Source\"\r\n"
                                   "\"Data\",\"a\",41000,\"s\"\r\n"
                                   "\"Worf\",Q\"apla,42000,\"s\"\r\n");
    const RunResult run = RunCli({"--check", path});
    EXPECT_EQ(run.out, path + ":3: 2 番目の項目は保存できません（この形式では項目の中に「\"」を書けません）\n");
    EXPECT_EQ(run.exitStatus, 1);
}

TEST_F(EventListing, CheckCountsTheProblemsBeyondThoseItLists) {
    const std::size_t blankLines = quorvane::kMaxCatalogueProblems + 3;
    std::string bytes = "\"T\",\"D\",\"S\",\"O\"\r\n";
    for (std::size_t i = 0; i < blankLines; ++i) bytes += "\r\n";
    bytes += "\"Data\",\"\",41000,\"\"\r\n";
    const std::string path = write("blank.vqd", bytes);

    const RunResult run = RunCli({"--check", path});
    const auto lastLine = run.out.rfind('\n', run.out.size() - 2) + 1;
    EXPECT_EQ(run.out.substr(lastLine), path + ": ほかに 3 件の誤りがあります（1000 件を超える分は示しません）\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1001);
    EXPECT_EQ(run.exitStatus, 1);
}

// 1,001 problems leave one unlisted, which English counts in the singular.
TEST_F(EventListing, CheckCountsOneUnlistedProblemInTheSingular) {
    if (clitest::IsWindowsProgram()) GTEST_SKIP() << "the locale does not reach Wine's display language";
    std::string bytes = "\"T\",\"D\",\"S\",\"O\"\r\n";
    for (std::size_t i = 0; i < quorvane::kMaxCatalogueProblems + 1; ++i) bytes += "\r\n";
    bytes += "\"Data\",\"\",41000,\"\"\r\n";
    const std::string path = write("blank.vqd", bytes);
    const std::string savedLang = std::getenv("LANG") ? std::getenv("LANG") : "";
    ::setenv("LANG", "en_US.UTF-8", 1);
    const RunResult run = RunCli({"--check", path});
    ::setenv("LANG", savedLang.c_str(), 1);
    const auto lastLine = run.out.rfind('\n', run.out.size() - 2) + 1;
    EXPECT_EQ(run.out.substr(lastLine), path + ": 1 more error (no more than 1000 are listed)\n");
}

TEST_F(EventListing, OptionsAndTheFileComeInAnyOrder) {
    const std::string path = write("small.vqd", kSmallCatalogue);
    const RunResult reference = RunCli({"--events", path, "--format", "json"});
    ASSERT_EQ(reference.exitStatus, 0) << reference.err;
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
        {"the format between --events and the file", {"--events", "--format", "json", path}},
        {"the file before --events", {path, "--format=json", "--events"}},
        {"the file between the format and --events", {"--format", "json", path, "--events"}},
    };
    for (const auto& [what, args] : cases) {
        SCOPED_TRACE(what);
        const RunResult run = RunCli(args);
        EXPECT_EQ(run.out, reference.out);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.exitStatus, 0);
    }
    const RunResult check = RunCli({path, "--check"});
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(check.exitStatus, 0) << "the file before --check is the one checked";
}

// The texts quorvane-cli shares with the window speak the window's language:
// its setting first, then the user's locale.
TEST_F(EventListing, SharedMessagesFollowTheUsersLanguage) {
    // Wine takes its display language from an installed locale, which the
    // test cannot choose; the registry setting is the Windows override.
    if (clitest::IsWindowsProgram()) GTEST_SKIP() << "the locale does not reach Wine's display language";
    const std::string path = write("bad.vqd", "\"T\",\"D\",\"S\",\"O\"\r\n\r\n\"Data\",\"\",41000,\"\"\r\n");
    const fs::path config = m_dir / "config";
    const fs::path settings = config / "OvrekSoft/Quorvane.conf";
    struct Case {
        const char* what;
        const char* lang;
        std::optional<std::string> settingsFile;  // std::nullopt: none; "fifo": a named pipe
        char face;  // 'e'nglish, 'j'apanese, 'g'erman
    };
    const Case cases[] = {
        {"an English locale speaks English", "en_US.UTF-8", std::nullopt, 'e'},
        {"a Japanese locale keeps Japanese", "ja_JP.UTF-8", std::nullopt, 'j'},
        {"a German locale speaks German", "de_DE.UTF-8", std::nullopt, 'g'},
        {"the window's setting wins over the locale", "en_US.UTF-8", "[Option]\nLanguage=ja\n", 'j'},
        {"the setting among others, with blanks and CR LF", "ja_JP.UTF-8",
         "[Window]\r\nLanguage=ja\r\n[Option]\r\nReset=True\r\n Language = en\r\n", 'e'},
        {"a pipe in place of the settings file neither hangs nor counts", "en_US.UTF-8", "fifo", 'e'},
        // Read as the window reads it: comments, Qt's old spellings, escapes.
        {"a comment after the setting", "ja_JP.UTF-8", "[Option]\nLanguage=en ; chosen by hand\n", 'e'},
        {"the setting as Qt's writer wrapped it", "ja_JP.UTF-8", "[Option]\nLanguage=@String(en)\n", 'e'},
        {"the setting with an escape", "ja_JP.UTF-8", "[Option]\nLanguage=\\x65n\n", 'e'},
        {"a later line too long to read", "en_US.UTF-8",
         "[Option]\nLanguage=ja\nLanguage=en ;" + std::string(1024 * 1024, 'x') + "\n", 'j'},
        {"a setting in other letter case follows the locale", "ja_JP.UTF-8", "[Option]\nLanguage=EN\n", 'j'},
    };
    const auto words = [](char face, const char* english, const char* japanese, const char* german) {
        return std::string(face == 'e' ? english : face == 'j' ? japanese : german);
    };
    const std::optional<std::string> savedConfig =
        std::getenv("XDG_CONFIG_HOME") ? std::optional<std::string>(std::getenv("XDG_CONFIG_HOME"))
                                       : std::nullopt;
    const std::string savedLang = std::getenv("LANG") ? std::getenv("LANG") : "";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(config);
        if (c.settingsFile == "fifo") {
            fs::create_directories(settings.parent_path());
            ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
        } else if (c.settingsFile) {
            write(fs::relative(settings, m_dir), *c.settingsFile);
        }
        ::setenv("LANG", c.lang, 1);
        const RunResult check = RunCli({"--check", path}, {}, 20s);
        const RunResult value = RunCli({"2365-02-29"}, {}, 20s);
        const RunResult outside = RunCli({"99999999"}, {}, 20s);
        ASSERT_FALSE(check.timedOut || value.timedOut || outside.timedOut);
        EXPECT_EQ(check.out, path + ":2: " + words(c.face, "a blank line", "空の行があります", "eine leere Zeile") + "\n");
        EXPECT_EQ(value.err, "quorvane-cli: 2365-02-29: " +
                                 words(c.face, "The date is not valid.", "日付の指定が無効です。",
                                       "Das Datum ist ungültig.") + "\n");
        EXPECT_EQ(outside.err, "quorvane-cli: 99999999: " +
                                   words(c.face, "the Earth date falls outside the years 100 to 9999",
                                         "西暦が 100 年から 9999 年の範囲を外れます。",
                                         "das Erddatum liegt außerhalb der Jahre 100 bis 9999") + "\n");
    }
    ::setenv("LANG", savedLang.c_str(), 1);
    if (savedConfig) ::setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}
