#pragma once
// Which face the program shows: Japanese, its original, or English. One rule
// for the windows and quorvane-cli, so both always speak alike.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class UiLanguage { Japanese, English };

// The settings text that names a face: "ja" or "en" exactly, letter case
// and all; no value for anything else, which means "follow the system".
std::optional<UiLanguage> LanguageFromSetting(std::string_view text);
std::string_view LanguageSettingText(UiLanguage language);

// The face for the user's preferred UI languages, most preferred first, as
// BCP 47 tags or POSIX locale names ("ja-JP", "ja_JP.UTF-8", "de", "C").
// Japanese when the first is Japanese or when none is set (an empty list,
// "C", "POSIX"); English for every other language.
UiLanguage LanguageForPreferences(const std::vector<std::string>& preferred);

// The preferred languages as a POSIX system states them: LANGUAGE's list,
// then LC_ALL, LC_MESSAGES and LANG, as gettext and Qt read them. LANGUAGE
// counts only when the locale itself is not C or POSIX, as gettext has it.
std::vector<std::string> PosixPreferredLanguages(
    const std::function<const char*(const char*)>& getenv);

// The choice in the settings first, then the system's preferences.
UiLanguage ChooseUiLanguage(std::string_view settingText, const std::vector<std::string>& preferred);

// The face of this run: chosen once at start, before any text is shown, and
// read wherever a text or a file depends on it. Japanese until set.
UiLanguage ActiveUiLanguage();
void SetActiveUiLanguage(UiLanguage language);

}  // namespace quorvane
