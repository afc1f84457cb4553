// quorvane-cli --events: the catalogue in the data list's order, each date
// also in the other calendar.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CliRunner.h"
#include "catalogue/CatalogueReader.h"

using clitest::RunCli;
using clitest::RunResult;
namespace fs = std::filesystem;

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
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const fs::path& relative, const std::string& bytes) {
        const fs::path path = m_dir / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path m_dir;
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
        quorvane::CatalogueMessage("broken.vqd", quorvane::LoadCatalogue(path));
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
