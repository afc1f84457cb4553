// Start and close of the program against a real INI file: what a first run
// opens with, what a close writes, and that a broken store stops nothing.
#include "IntegrationFixture.h"

#include "datalist/frmDataList.h"
#include "widgets/Twips.h"

#include <functional>

#ifdef _WIN32
#include "ProgramInfo.h"
#include "widgets/Utf8.h"

#include <windows.h>
#endif

namespace {

using quorvane::TwipsToPixels;

QString Stored(const QString& key) {
    return quorvane::testing::StoredSetting(key).value_or(QString());
}

TEST_F(IntegrationTest, FirstRunOpensWithTheDocumentedDefaults) {
    start();
    EXPECT_EQ(main->frameGeometry().topLeft(),
              QPoint(TwipsToPixels(100, main.get()), TwipsToPixels(100, main.get())));
    EXPECT_TRUE(Ui(main).chkRealTime->isChecked());
    EXPECT_TRUE(Ui(main).chkReset->isChecked());
    EXPECT_TRUE(Ui(main).chkBase90->isChecked());
    EXPECT_TRUE(Ui(main).chkBase90->isEnabled());
    EXPECT_EQ(Ui(main).txtReset->text(), "100000");
    EXPECT_TRUE(Ui(main).txtReset->isEnabled());
    // Day-of-year mode, with the enabled states its handler sets.
    EXPECT_TRUE(Ui(main).optYD->isChecked());
    EXPECT_TRUE(Ui(main).txtYearDate->isEnabled());
    EXPECT_FALSE(Ui(main).txtMonth->isEnabled());
    EXPECT_FALSE(Ui(main).txtDate->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Ui(main).txtYear);
    EXPECT_TRUE(Ui(main).txtStarDate->text().isEmpty()) << "restoring must not convert";
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(IntegrationTest, StoredResetOffOpensWithTheResetControlsDisabled) {
    writeStore("[Option]\nReset=False\n");
    start();
    EXPECT_FALSE(Ui(main).chkReset->isChecked());
    EXPECT_FALSE(Ui(main).txtReset->isEnabled());
    EXPECT_FALSE(Ui(main).chkBase90->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Ui(main).txtYear);
}

// ---- closing ------------------------------------------------------------------

struct CloseWay {
    const char* name;
    std::function<void(frmMain&)> close;
};

void PrintTo(const CloseWay& c, std::ostream* out) { *out << c.name; }

class ClosingTest : public IntegrationTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(ClosingTest, WritesEveryKeyAndTheNextStartRestoresThem) {
    writeStore("[SoftInfo]\nVertion=0.9\n[Option]\nBase=Maybe\n");
    start();
    const QPoint place(TwipsToPixels(1500, main.get()), TwipsToPixels(3000, main.get()));
    main->move(place);
    click(Ui(main).optMD);
    click(Ui(main).chkRealTime);
    typeInto(Ui(main).txtReset, QStringLiteral("25OO"));
    click(Ui(main).chkReset);

    GetParam().close(*main);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !main->isVisible(); }, 2000));
    EXPECT_TRUE(platform.messages.isEmpty()) << "a save that worked is not reported";

    QStringList keys = quorvane::testing::StoredSettingKeys();
    keys.sort();
    EXPECT_EQ(keys, QStringList({"Option/Base", "Option/DayOpt", "Option/RealTime",
                                 "Option/Reset", "Option/ResetNum", "SoftInfo/Vertion",
                                 "Window/Left", "Window/Top"}));
    EXPECT_EQ(Stored("Window/Top"), "3000");
    EXPECT_EQ(Stored("Window/Left"), "1500");
    EXPECT_EQ(Stored("Option/Reset"), "False");
    EXPECT_EQ(Stored("Option/ResetNum"), "25OO") << "saved back unchanged, number or not";
    EXPECT_EQ(Stored("Option/RealTime"), "False");
    EXPECT_EQ(Stored("Option/Base"), "False") << "an unrecognised text is overwritten";
    EXPECT_EQ(Stored("Option/DayOpt"), "Month-Day");
    EXPECT_EQ(Stored("SoftInfo/Vertion"), "1.22");

    main = std::make_unique<frmMain>(platform);
    main->Form_Load();
    EXPECT_EQ(main->pos(), place);
    EXPECT_FALSE(Ui(main).chkReset->isChecked());
    EXPECT_FALSE(Ui(main).txtReset->isEnabled());
    EXPECT_EQ(Ui(main).txtReset->text(), "25OO");
    EXPECT_FALSE(Ui(main).chkRealTime->isChecked());
    EXPECT_FALSE(Ui(main).chkBase90->isChecked());
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_TRUE(Ui(main).txtMonth->isEnabled());
    EXPECT_FALSE(Ui(main).txtYearDate->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    BothWays, ClosingTest,
    ::testing::Values(
        CloseWay{"alt_x_presses_the_exit_button",
                 [](frmMain& window) { QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier); }},
        CloseWay{"close_box", [](frmMain& window) { window.close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IntegrationTest, AStoreThatCannotBeWrittenDoesNotStopTheClose) {
    if (quorvane::testing::kSettingsInRegistry) GTEST_SKIP() << quorvane::testing::kNoSettingsFile;
    // A file where the config folder should be: nothing can be created under it.
    const QString blocker = programFolder.filePath(QStringLiteral("not-a-folder"));
    writeProgramFile(QStringLiteral("not-a-folder"), "x");
    useConfigFolder(blocker + QStringLiteral("/config"));
    start();
    QTest::keyClick(main.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !main->isVisible(); }, 2000));
    EXPECT_FALSE(QFile::exists(quorvane::SettingsFilePath()));
    // Told once, in the program's own words, with the file and what to look
    // at, and only then on standard error.
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral("設定を保存できませんでした。\n") + quorvane::SettingsFilePath() +
                  QStringLiteral("\n設定のフォルダーを作れません。その上のフォルダーに書き込めるか確かめてください。"));
    EXPECT_EQ(platform.messages[0].caption, "Quorvane");
    EXPECT_EQ(platform.messages[0].icon, quorvane::MessageIcon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, quorvane::MessageButtons::Ok);
}

TEST_F(IntegrationTest, AStoreThatCannotBeReadGivesTheDefaultsAndStillCloses) {
    if (quorvane::testing::kSettingsInRegistry) GTEST_SKIP() << quorvane::testing::kNoSettingsFile;
    // A folder in place of the settings file can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(quorvane::SettingsFilePath()));
    start();
    EXPECT_TRUE(Ui(main).chkRealTime->isChecked());
    EXPECT_TRUE(Ui(main).optYD->isChecked());
    EXPECT_EQ(Ui(main).txtReset->text(), "100000");
    main->close();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(QFileInfo(quorvane::SettingsFilePath()).isDir());
    EXPECT_EQ(platform.messages.size(), 1) << "the failed save is told";
}

#ifdef _WIN32
// The registry as any other program reads it, with the plain system calls.
std::wstring RegistryText(const wchar_t* section, const wchar_t* name) {
    const std::wstring path = std::wstring(L"Software\\OvrekSoft\\Quorvane\\") + section;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return L"(no key)";
    wchar_t buffer[512] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof buffer - sizeof(wchar_t);
    const LSTATUS status =
        ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return L"(no text)";
    return std::wstring(buffer, size / sizeof(wchar_t));
}

TEST_F(IntegrationTest, CloseStoresTheTypedTextInTheRegistryExactly) {
    HKEY existing = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OvrekSoft\\Quorvane", 0, KEY_READ,
                        &existing) == ERROR_SUCCESS) {
        ::RegCloseKey(existing);
        GTEST_SKIP() << "this user has settings of the real program; left alone";
    }
    start();
    typeInto(Ui(main).txtReset, QStringLiteral("@Variant(x)"));
    QTest::keyClick(main.get(), Qt::Key_X, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !main->isVisible(); }, 2000));
    EXPECT_TRUE(platform.messages.isEmpty());

    EXPECT_EQ(RegistryText(L"Option", L"ResetNum"), std::wstring(L"@Variant(x)") + L'\0');
    EXPECT_EQ(RegistryText(L"Option", L"DayOpt"), std::wstring(L"YearDay") + L'\0');
    EXPECT_EQ(RegistryText(L"Option", L"Reset"), std::wstring(L"True") + L'\0');
    EXPECT_EQ(RegistryText(L"SoftInfo", L"Vertion"),
              quorvane::FromUtf8(quorvane::kProgramVersion).toStdWString() + L'\0');

    main = std::make_unique<frmMain>(platform);
    main->Form_Load();
    EXPECT_EQ(Ui(main).txtReset->text(), QStringLiteral("@Variant(x)"));
    main.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OvrekSoft\\Quorvane");
}
#endif

TEST_F(IntegrationTest, ClosingTheMainWindowClosesTheDataListFirst) {
    writeCatalogue("\"A\",\"a\",41000,\"s\"\r\n");
    start();
    click(Ui(main).cmdData);
    QPointer<frmDataList> list = main->DataList();
    ASSERT_TRUE(list && list->isVisible());
    main->close();
    EXPECT_FALSE(list && list->isVisible());
    flushDeletes();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(Stored("SoftInfo/Vertion"), "1.22");
}

}  // namespace
