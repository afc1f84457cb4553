#pragma once
// The shape of the table the build writes from language/Languages.txt and
// the translations (.ts), so that the core and quorvane-cli read the same
// words as the windows without Qt.

#include <cstddef>
#include <string_view>

namespace quorvane {

inline constexpr std::size_t kMaxPluralForms = 4;

struct TranslatedText {
    std::string_view context;
    std::string_view source;
    // One form for a plain text; a counted text has one per plural form.
    std::string_view forms[kMaxPluralForms];
};

enum class LanguageRole { Source, Fallback, Other, Pseudo };

struct LanguageEntry {
    std::string_view code;
    LanguageRole role;
    int pluralForms;
    std::string_view qtTranslation;  // Qt's own texts ("qtbase_ja"); empty: Qt's English
    std::string_view readme;
    std::string_view catalogue;
    std::string_view name;
    const TranslatedText* texts;
    std::size_t textCount;
};

// Generated: every face, the list's order; the sources' own language first.
extern const LanguageEntry kLanguageEntries[];
extern const std::size_t kLanguageCount;

}  // namespace quorvane
