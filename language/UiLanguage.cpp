#include "language/UiLanguage.h"

#include <cctype>

namespace quorvane {

namespace {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// "ja_JP.UTF-8@x" and "ja-JP" both name the language "ja".
std::string LanguagePart(std::string_view tag) {
    const std::size_t end = tag.find_first_of("_-.@");
    return LowerAscii(tag.substr(0, end));
}

bool IsUnsetLocale(std::string_view tag) {
    const std::string language = LanguagePart(tag);
    return language.empty() || language == "c" || language == "posix";
}

}  // namespace

// Exactly the words `quorvane --language` and the installer store: "EN" or
// "en_US" follow the system, as any other text does.
std::optional<UiLanguage> LanguageFromSetting(std::string_view text) {
    if (text == LanguageSettingText(UiLanguage::Japanese)) return UiLanguage::Japanese;
    if (text == LanguageSettingText(UiLanguage::English)) return UiLanguage::English;
    return std::nullopt;
}

std::string_view LanguageSettingText(UiLanguage language) {
    return language == UiLanguage::English ? "en" : "ja";
}

UiLanguage LanguageForPreferences(const std::vector<std::string>& preferred) {
    for (const std::string& tag : preferred) {
        if (tag.empty()) continue;
        if (IsUnsetLocale(tag)) return UiLanguage::Japanese;
        return LanguagePart(tag) == "ja" ? UiLanguage::Japanese : UiLanguage::English;
    }
    return UiLanguage::Japanese;
}

std::vector<std::string> PosixPreferredLanguages(
    const std::function<const char*(const char*)>& getenv) {
    auto value = [&](const char* name) -> std::string_view {
        const char* text = getenv(name);
        return text ? std::string_view(text) : std::string_view();
    };
    std::string_view locale = value("LC_ALL");
    if (locale.empty()) locale = value("LC_MESSAGES");
    if (locale.empty()) locale = value("LANG");

    std::vector<std::string> preferred;
    if (!IsUnsetLocale(locale)) {
        std::string_view list = value("LANGUAGE");
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            const std::string_view entry = list.substr(0, colon);
            if (!entry.empty()) preferred.emplace_back(entry);
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    if (!locale.empty()) preferred.emplace_back(locale);
    return preferred;
}

namespace {
UiLanguage g_activeLanguage = UiLanguage::Japanese;
}  // namespace

UiLanguage ActiveUiLanguage() { return g_activeLanguage; }
void SetActiveUiLanguage(UiLanguage language) { g_activeLanguage = language; }

UiLanguage ChooseUiLanguage(std::string_view settingText, const std::vector<std::string>& preferred) {
    if (const std::optional<UiLanguage> chosen = LanguageFromSetting(settingText)) return *chosen;
    return LanguageForPreferences(preferred);
}

}  // namespace quorvane
