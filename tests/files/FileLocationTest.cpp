// Joining folder and file names, taking the name out of a path, and telling
// whether a file can be read.
#include "files/FileLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

const std::string S(1, kPathSeparator);
// The other slash is an ordinary character to these helpers.
const char kOther = kPathSeparator == '/' ? '\\' : '/';

struct PathCase {
    const char* name;
    std::string path;
    std::string expected;
};

class AddBackslashTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(AddBackslashTest, EndsInExactlyOneSeparator) {
    EXPECT_EQ(AddBackslash(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AddBackslashTest,
    ::testing::Values(
        PathCase{"folder_gets_one", S + "opt" + S + "quorvane", S + "opt" + S + "quorvane" + S},
        PathCase{"root_is_unchanged", S, S},
        PathCase{"folder_with_separator_is_unchanged", S + "data" + S, S + "data" + S},
        PathCase{"empty_path_gives_the_separator", "", S},
        PathCase{"other_slash_is_not_a_separator", S + "data" + kOther,
                 S + "data" + kOther + S},
        PathCase{"only_one_separator_is_looked_at", S + "data" + S + S, S + "data" + S + S}),
    [](const auto& info) { return std::string(info.param.name); });

class GetFileNameTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(GetFileNameTest, GivesTheLastComponent) {
    EXPECT_EQ(GetFileName(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GetFileNameTest,
    ::testing::Values(
        PathCase{"full_path", S + "data" + S + "StarTrek.vqd", "StarTrek.vqd"},
        PathCase{"name_alone", "StarTrek.vqd", "StarTrek.vqd"},
        PathCase{"path_ending_in_separator", S + "data" + S, ""},
        PathCase{"empty_path", "", ""},
        PathCase{"name_right_after_the_root", S + "StarTrek.vqd", "StarTrek.vqd"},
        PathCase{"other_slash_is_part_of_the_name", S + "a" + kOther + "b.vqd",
                 std::string("a") + kOther + "b.vqd"},
        PathCase{"japanese_name", S + "データ" + S + "星暦.vqd", "星暦.vqd"}),
    [](const auto& info) { return std::string(info.param.name); });

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quorvane-fileexists-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder, fs::perms::owner_all, ec);
        fs::remove_all(folder, ec);
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    std::string WriteFile(const std::string& name) const {
        std::ofstream(PathOf(name)) << "\"a\",\"b\",\"c\",\"d\"\r\n";
        return PathOf(name);
    }

    fs::path folder;
};

TEST_F(FileExistsTest, ReadableFileExists) {
    std::string path = WriteFile("StarTrek.vqd");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(path, PathOf("StarTrek.vqd"));
}

TEST_F(FileExistsTest, MissingFileOrFolderDoesNot) {
    std::string path = PathOf("StarTrek.vqd");
    EXPECT_FALSE(FileExists(path));
    std::string inMissingFolder = PathOf("nowhere") + S + "StarTrek.vqd";
    EXPECT_FALSE(FileExists(inMissingFolder));
}

TEST_F(FileExistsTest, EmptyPathDoesNotAndStaysEmpty) {
    std::string path;
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(path, "");
}

TEST_F(FileExistsTest, FolderIsNoFileAndLosesItsTrailingSeparator) {
    std::string plain = folder.string();
    EXPECT_FALSE(FileExists(plain));
    EXPECT_EQ(plain, folder.string());

    std::string withSeparator = folder.string() + S;
    EXPECT_FALSE(FileExists(withSeparator));
    EXPECT_EQ(withSeparator, folder.string());
}

TEST_F(FileExistsTest, FileNamedWithATrailingSeparatorIsFoundWithoutIt) {
    std::string path = WriteFile("StarTrek.vqd") + S;
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(path, PathOf("StarTrek.vqd"));
}

TEST_F(FileExistsTest, PipeIsNoFileAndDoesNotWaitForAWriter) {
    const std::string pipe = PathOf("pipe.vqd");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string path = pipe;
    EXPECT_FALSE(FileExists(path));  // would block forever if it opened the pipe
}

TEST_F(FileExistsTest, FileWithoutReadPermissionDoesNot) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    std::string path = WriteFile("locked.vqd");
    fs::permissions(path, fs::perms::none);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(FileExistsTest, WildcardNameIsJustAMissingFile) {
    WriteFile("StarTrek.vqd");
    std::string path = PathOf("*.vqd");
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace quorvane
