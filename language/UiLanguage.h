#pragma once
// Which face the program shows. The faces are those of language/Languages.txt;
// one rule for the windows and quorvane-cli, so both always speak alike.

#include "language/LanguageTable.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One line of the list. The default is the sources' own language.
class UiLanguage {
public:
    constexpr UiLanguage() = default;

    // The face whose code is `code` ("de"), ignoring letter case.
    static std::optional<UiLanguage> FromCode(std::string_view code);
    static UiLanguage Source();
    static UiLanguage Fallback();
    static std::vector<UiLanguage> All();

    const LanguageEntry& Entry() const { return kLanguageEntries[m_index]; }
    std::string_view Code() const { return Entry().code; }
    bool IsSource() const { return Entry().role == LanguageRole::Source; }

    friend bool operator==(UiLanguage, UiLanguage) = default;

private:
    explicit constexpr UiLanguage(std::size_t index) : m_index(index) {}
    std::size_t m_index = 0;
};

// The settings text that names a face: a code of the list ("ja", "de")
// exactly, letter case and all; no value for anything else, which means
// "follow the system".
std::optional<UiLanguage> LanguageFromSetting(std::string_view text);
std::string_view LanguageSettingText(UiLanguage language);

// The face for the user's preferred UI languages, most preferred first, as
// BCP 47 tags or POSIX locale names ("ja-JP", "ja_JP.UTF-8", "de", "C").
// The first one decides: its own face when the list has one, the sources'
// language when none is set (an empty list, "C", "POSIX"), the fallback for
// every other language.
UiLanguage LanguageForPreferences(const std::vector<std::string>& preferred);

// The preferred languages as a POSIX system states them: LANGUAGE's list,
// then LC_ALL, LC_MESSAGES and LANG, as gettext and Qt read them. LANGUAGE
// counts only when the locale itself is not C or POSIX, as gettext has it.
std::vector<std::string> PosixPreferredLanguages(
    const std::function<const char*(const char*)>& getenv);

// The choice in the settings first, then the system's preferences.
UiLanguage ChooseUiLanguage(std::string_view settingText, const std::vector<std::string>& preferred);

// The face of this run: chosen once at start, before any text is shown, and
// read wherever a text or a file depends on it. The source language until set.
UiLanguage ActiveUiLanguage();
void SetActiveUiLanguage(UiLanguage language);

}  // namespace quorvane
