#include "services/clsSystemFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Points the user's folders into a temporary home for the whole test.
class SystemFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the XDG folders exist on Linux only; Windows' own folders are tested "
                        "against Wine's in win32_platform_test";
#endif
        ASSERT_TRUE(root.isValid());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "TMPDIR"})
            saved.emplace_back(name, qgetenv(name));
        qputenv("HOME", path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", path("home/.config").toUtf8());
        qputenv("XDG_DATA_HOME", path("home/.local/share").toUtf8());
        qputenv("XDG_DATA_DIRS", path("usr/share").toUtf8());
        qputenv("TMPDIR", path("tmp").toUtf8());
        make("home/.config");
        make("tmp");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) qputenv(name, value);
    }
    QString path(const QString& relative) const { return root.path() + u'/' + relative; }
    void make(const QString& relative) const { QDir(root.path()).mkpath(relative); }

    QTemporaryDir root;
    std::vector<std::pair<const char*, QByteArray>> saved;
    clsSystemFolder folders;
};

struct FolderCase {
    const char* name;
    std::function<QString(const clsSystemFolder&)> read;
    QStringList made;  // folders to make under the test's root
    QString answer;    // under the root; empty: the empty text
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class FolderAnswerTest : public SystemFolderTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderAnswerTest, AnswersTheDesktopsFolderOrEmptyText) {
    for (const QString& folder : GetParam().made) make(folder);
    const QString expected = GetParam().answer.isEmpty() ? QString() : path(GetParam().answer);
    EXPECT_EQ(GetParam().read(folders), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderAnswerTest,
    ::testing::Values(
        FolderCase{"temp_ends_with_the_separator", &clsSystemFolder::Temp, {}, "tmp/"},
        FolderCase{"desktop_is_the_users_desktop", &clsSystemFolder::Desktop, {"home/Desktop"},
                   "home/Desktop"},
        FolderCase{"missing_desktop_is_empty", &clsSystemFolder::Desktop, {}, ""},
        FolderCase{"personal_is_the_documents_folder", &clsSystemFolder::Personal, {"home/Documents"},
                   "home/Documents"},
        FolderCase{"programs_is_the_applications_folder", &clsSystemFolder::Programs,
                   {"home/.local/share/applications"}, "home/.local/share/applications"},
        FolderCase{"start_menu_is_the_applications_folder", &clsSystemFolder::StartMenu,
                   {"home/.local/share/applications"}, "home/.local/share/applications"},
        FolderCase{"startup_is_the_autostart_folder", &clsSystemFolder::Startup,
                   {"home/.config/autostart"}, "home/.config/autostart"},
        FolderCase{"recent_is_the_recent_documents_folder", &clsSystemFolder::Recent,
                   {"home/.local/share/RecentDocuments"}, "home/.local/share/RecentDocuments"},
        FolderCase{"fonts_prefers_the_users_own", &clsSystemFolder::Fonts,
                   {"home/.local/share/fonts", "usr/share/fonts"}, "home/.local/share/fonts"},
        FolderCase{"fonts_falls_back_to_the_systems", &clsSystemFolder::Fonts, {"usr/share/fonts"},
                   "usr/share/fonts"},
        FolderCase{"windows_has_no_counterpart", &clsSystemFolder::Windows, {}, ""},
        FolderCase{"system_has_no_counterpart", &clsSystemFolder::System, {}, ""},
        FolderCase{"favorites_has_no_counterpart", &clsSystemFolder::Favorites, {}, ""},
        FolderCase{"send_to_has_no_counterpart", &clsSystemFolder::SendTo, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SystemFolderTest, TempWithATrailingSlashKeepsJustOne) {
    qputenv("TMPDIR", path("tmp/").toUtf8());
    EXPECT_EQ(folders.Temp(), path("tmp/"));
}

TEST_F(SystemFolderTest, EveryReadLooksAgain) {
    EXPECT_EQ(folders.Desktop(), QString());
    make("home/Desktop");
    EXPECT_EQ(folders.Desktop(), path("home/Desktop"));
    qputenv("HOME", path("elsewhere").toUtf8());
    make("elsewhere/Desktop");
    EXPECT_EQ(folders.Desktop(), path("elsewhere/Desktop"));
}

}  // namespace
