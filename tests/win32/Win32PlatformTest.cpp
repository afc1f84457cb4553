// Runs against the real registry, folders and shell of the system (Wine's
// in CI). Keys are written under a name of the test's own and removed again.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsKeys.h"
#include "services/win32/Registry.h"
#include "services/win32/SettingsRegistry.h"
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

// ---- The settings store ------------------------------------------------------
//
// Under a key of the test's own; the texts are read back, and written, with
// the plain calls any other program (or the registry editor) would use.

class SettingsRegistryTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kKey = L"Software\\QuorvaneTest\\Settings";

    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuorvaneTest"); }

    // The value's type and its bytes as wide characters, terminator included.
    static std::pair<DWORD, std::wstring> Stored(const std::wstring& section, const std::wstring& name) {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(kKey) + L"\\" + section;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return {REG_NONE, L"(no key)"};
        std::vector<wchar_t> buffer(4096, L'\0');
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
        ::RegCloseKey(key);
        if (status != ERROR_SUCCESS) return {REG_NONE, L"(no value)"};
        return {type, std::wstring(buffer.data(), size / sizeof(wchar_t))};
    }
};

// Texts Qt's native format would have changed ("@Variant(x)" became
// "@@Variant(x)") or read back as a serialised object.
const std::wstring kExactTexts[] = {L"@Variant(x)", L"a@Variant(1)", L"@", L"@@x",
                                    L"C:\\a\\\\b\\", L"\u5341\u4e07\u3000\uff7d\uff80\uff70\uff83\uff9e\uff70\uff84",
                                    L" 1,000 ; x=\"y\" ", L""};

TEST_F(SettingsRegistryTest, WritesEveryTextAsExactlyThatRegSz) {
    std::vector<SettingsText> texts;
    for (std::size_t i = 0; i < std::size(kExactTexts); ++i)
        texts.push_back({L"Option", L"Text" + std::to_wstring(i), kExactTexts[i]});
    ASSERT_TRUE(WriteSettingsTexts(kKey, texts));
    for (const SettingsText& t : texts) {
        const auto [type, data] = Stored(t.section, t.name);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << ToUtf8(t.text);
        EXPECT_EQ(data, t.text + L'\0') << ToUtf8(t.text);
        EXPECT_EQ(ReadSettingsText(kKey, t.section, t.name), t.text) << ToUtf8(t.text);
    }
}

TEST_F(SettingsRegistryTest, ReadsWhatAnotherProgramWroteExactly) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kKey) + L"\\Option";
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    for (std::size_t i = 0; i < std::size(kExactTexts); ++i)
        SetText(key, (L"Text" + std::to_wstring(i)).c_str(), kExactTexts[i]);
    // Stored without its terminating NUL, and with text after an inner NUL.
    const std::wstring bare = L"@Variant(1)";
    SetValue(key, L"Bare", REG_SZ, bare.data(), bare.size() * sizeof(wchar_t));
    const wchar_t cut[] = L"5000\0junk";
    SetValue(key, L"Cut", REG_SZ, cut, sizeof cut);
    const DWORD number = 5000;
    SetValue(key, L"Number", REG_DWORD, &number, sizeof number);
    ::RegCloseKey(key);

    for (std::size_t i = 0; i < std::size(kExactTexts); ++i)
        EXPECT_EQ(ReadSettingsText(kKey, L"Option", L"Text" + std::to_wstring(i)), kExactTexts[i])
            << ToUtf8(kExactTexts[i]);
    EXPECT_EQ(ReadSettingsText(kKey, L"Option", L"Bare"), bare);
    EXPECT_EQ(ReadSettingsText(kKey, L"Option", L"Cut"), L"5000");
    EXPECT_EQ(ReadSettingsText(kKey, L"Option", L"Number"), L"5000");
    // Names match without regard to letter case, as the system's do.
    EXPECT_EQ(ReadSettingsText(kKey, L"OPTION", L"text0"), kExactTexts[0]);
    EXPECT_EQ(ReadSettingsText(kKey, L"Option", L"Missing"), std::nullopt);
    EXPECT_EQ(ReadSettingsText(kKey, L"Window", L"Top"), std::nullopt);
}

// The registry refuses a key name over 255 characters; the write says so
// and goes no further, so the window can tell the user.
TEST_F(SettingsRegistryTest, RefusedWriteIsReportedWithTheSystemsReason) {
    unsigned long error = 0;
    EXPECT_FALSE(WriteSettingsTexts(kKey, {{std::wstring(300, L'x'), L"Top", L"100"},
                                           {L"Window", L"Left", L"100"}},
                                    &error));
    EXPECT_NE(error, 0ul);
    EXPECT_EQ(ReadSettingsText(kKey, L"Window", L"Left"), std::nullopt);
}

// The window's keys, from the one list of them, under their sections as text.
TEST_F(SettingsRegistryTest, EveryKeyOfTheWindowLivesUnderItsSection) {
    std::vector<SettingsText> texts;
    for (const quorvane::settings::Key& k : quorvane::settings::kWindowKeys)
        texts.push_back({ToWide(k.section), ToWide(k.name), ToWide(k.missing)});
    ASSERT_TRUE(WriteSettingsTexts(kKey, texts));
    for (const SettingsText& t : texts) {
        std::string text = "before";
        EXPECT_TRUE(GetKeyValue(kCurrentUser, ToUtf8(std::wstring(kKey) + L"\\" + t.section),
                                ToUtf8(t.name), text))
            << ToUtf8(t.name);
        EXPECT_EQ(text, ToUtf8(t.text)) << ToUtf8(t.name);
    }
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
