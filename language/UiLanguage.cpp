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

// A whole tag names a face ("qps-ploc"); otherwise its language part does
// ("de_AT.UTF-8"), though never a pseudo face, which is chosen by name only.
std::optional<UiLanguage> FaceOfTag(std::string_view tag) {
    if (const auto exact = UiLanguage::FromCode(tag)) return exact;
    const auto face = UiLanguage::FromCode(LanguagePart(tag));
    if (face && face->Entry().role != LanguageRole::Pseudo) return face;
    return std::nullopt;
}

UiLanguage g_activeLanguage;

}  // namespace

std::optional<UiLanguage> UiLanguage::FromCode(std::string_view code) {
    const std::string wanted = LowerAscii(code);
    for (std::size_t i = 0; i < kLanguageCount; ++i)
        if (kLanguageEntries[i].code == wanted) return UiLanguage(i);
    return std::nullopt;
}

UiLanguage UiLanguage::Source() { return UiLanguage(0); }

UiLanguage UiLanguage::Fallback() {
    for (std::size_t i = 0; i < kLanguageCount; ++i)
        if (kLanguageEntries[i].role == LanguageRole::Fallback) return UiLanguage(i);
    return UiLanguage(0);
}

std::vector<UiLanguage> UiLanguage::All() {
    std::vector<UiLanguage> all;
    for (std::size_t i = 0; i < kLanguageCount; ++i) all.push_back(UiLanguage(i));
    return all;
}

// Exactly the words `quorvane --language` and the installer store: "EN" or
// "en_US" follow the system, as any other text does.
std::optional<UiLanguage> LanguageFromSetting(std::string_view text) {
    for (const UiLanguage language : UiLanguage::All())
        if (language.Code() == text) return language;
    return std::nullopt;
}

std::string_view LanguageSettingText(UiLanguage language) { return language.Code(); }

UiLanguage LanguageForPreferences(const std::vector<std::string>& preferred) {
    for (const std::string& tag : preferred) {
        if (tag.empty()) continue;
        if (IsUnsetLocale(tag)) return UiLanguage::Source();
        return FaceOfTag(tag).value_or(UiLanguage::Fallback());
    }
    return UiLanguage::Source();
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

UiLanguage ActiveUiLanguage() { return g_activeLanguage; }
void SetActiveUiLanguage(UiLanguage language) { g_activeLanguage = language; }

UiLanguage ChooseUiLanguage(std::string_view settingText, const std::vector<std::string>& preferred) {
    if (const std::optional<UiLanguage> chosen = LanguageFromSetting(settingText)) return *chosen;
    return LanguageForPreferences(preferred);
}

}  // namespace quorvane
