// Runs against the real registry, folders and shell of the system (Wine's
// in CI). Keys are written under a name of the test's own and removed again.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "services/win32/Registry.h"
#include "services/win32/SettingsLayout.h"
#include "services/win32/ShellOpen.h"
#include "services/win32/SystemFolders.h"
#include "services/win32/WideText.h"

namespace {

using namespace quorvane::win32;

// "Ä" and "한" have no code page 932 form: an ANSI reader would turn them into "?".
const std::string kPathOutsideCodePage = "C:\\Tools\\\xC3\x84rger \xED\x95\x9C\\msinfo32.exe";

void SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data, std::size_t size) {
    ASSERT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data),
                               static_cast<DWORD>(size)),
              ERROR_SUCCESS);
}

void SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    SetValue(key, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

class RegistryReaderTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "SOFTWARE\\QuorvaneTest\\Shared Tools\\MSINFO";

    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, ToWide(kKey).c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        SetText(key, L"PATH", ToWide(kPathOutsideCodePage));
        const DWORD flags = 0x12345678;
        SetValue(key, L"Flags", REG_DWORD, &flags, sizeof flags);
        const std::vector<BYTE> bytes(1025, 0x41);
        SetValue(key, L"Blob", REG_BINARY, bytes.data(), bytes.size());
        SetValue(key, L"FullBlob", REG_BINARY, bytes.data(), 1024);
        SetText(key, L"LongText", std::wstring(1025, L'x'));
        const std::wstring expand = L"%SystemRoot%";
        SetValue(key, L"Expand", REG_EXPAND_SZ, expand.c_str(), (expand.size() + 1) * sizeof(wchar_t));
        ::RegCloseKey(key);
    }

    void TearDown() override {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QuorvaneTest");
    }
};

TEST_F(RegistryReaderTest, ReadsATextWrittenUnderLocalMachineWithEveryCharacterIntact) {
    std::string value = "before";
    EXPECT_TRUE(GetKeyValue(kLocalMachine, kKey, "PATH", value));
    EXPECT_EQ(value, kPathOutsideCodePage);
    // Names match without regard to letter case, as the system's do.
    EXPECT_TRUE(GetKeyValue(kLocalMachine, "software\\quorvanetest\\shared tools\\msinfo", "path",
                            value));
    EXPECT_EQ(value, kPathOutsideCodePage);
}

TEST_F(RegistryReaderTest, MissingValueOrKeyIsNotFoundAndEmptiesTheText) {
    std::string value = "before";
    EXPECT_FALSE(GetKeyValue(kLocalMachine, kKey, "MSINFO", value));
    EXPECT_EQ(value, "");
    value = "before";
    EXPECT_FALSE(GetKeyValue(kLocalMachine, "SOFTWARE\\QuorvaneTest\\Shared Tools Location",
                             "MSINFO", value));
    EXPECT_EQ(value, "");
}

TEST_F(RegistryReaderTest, NumberReadsAsItsBytesInHexLastFirstAndOtherTypesLeaveTheText) {
    std::string value;
    EXPECT_TRUE(GetKeyValue(kLocalMachine, kKey, "Flags", value));
    EXPECT_EQ(value, "&h12345678");
    value = "before";
    EXPECT_TRUE(GetKeyValue(kLocalMachine, kKey, "Expand", value));
    EXPECT_EQ(value, "before");
    EXPECT_TRUE(GetKeyValue(kLocalMachine, kKey, "FullBlob", value));
    EXPECT_EQ(value, "before");
}

TEST_F(RegistryReaderTest, ValueLongerThanTheBufferIsNotRead) {
    std::string value = "before";
    EXPECT_FALSE(GetKeyValue(kLocalMachine, kKey, "Blob", value));
    EXPECT_EQ(value, "");
    value = "before";
    EXPECT_FALSE(GetKeyValue(kLocalMachine, kKey, "LongText", value));
    EXPECT_EQ(value, "");
}

// The window's settings, written the way Qt's native format writes them,
// are found where the layout says and read back unchanged.
TEST(SettingsLayoutTest, EveryValueLivesUnderItsSectionAsText) {
    const std::wstring root(kSettingsKey);
    HKEY existing = nullptr;
    const bool hadSettings =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (hadSettings) {
        ::RegCloseKey(existing);
        GTEST_SKIP() << "this user has settings of the real program; left alone";
    }
    for (const SettingsValue& v : kSettingsValues) {
        HKEY key = nullptr;
        const std::wstring path = root + L"\\" + std::wstring(v.section);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        SetText(key, std::wstring(v.key).c_str(), std::wstring(v.example));
        ::RegCloseKey(key);
    }
    for (const SettingsValue& v : kSettingsValues) {
        std::string text;
        const std::string path = ToUtf8(root) + "\\" + ToUtf8(v.section);
        EXPECT_TRUE(GetKeyValue(kCurrentUser, path, ToUtf8(v.key), text)) << ToUtf8(v.key);
        EXPECT_EQ(text, ToUtf8(v.example)) << ToUtf8(v.key);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OvrekSoft");
}

TEST(SystemFoldersTest, DirectoriesAreFoundAndOnlyTempEndsInABackslash) {
    for (const std::string& folder : {WindowsFolder(), SystemFolder()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), '\\') << folder;
    }
    const std::string temp = TempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
}

TEST(SystemFoldersTest, SpecialFoldersAreExistingFolders) {
    for (const std::int32_t id : {kDesktop, kPrograms, kPersonal, kFavorites, kStartup, kRecent,
                                  kSendTo, kStartMenu, kFonts}) {
        const std::string path = SpecialFolderPath(id);
        ASSERT_FALSE(path.empty()) << "folder " << id;
        const DWORD attributes = ::GetFileAttributesW(ToWide(path).c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << path;
    }
    // An identifier the shell does not know.
    EXPECT_EQ(SpecialFolderPath(0x7F), "");
}

TEST(ShellOpenTest, MissingFileAnswersFileNotFound) {
    const std::string missing = TempFolder() + "quorvane-no-such-file-\xC3\x84.txt";
    EXPECT_EQ(ShellOpen(kDesktopOwner, missing), 2);
}

}  // namespace
