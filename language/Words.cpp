#include "language/Words.h"

namespace quorvane {

namespace {

const TranslatedText* Find(SourceText text, UiLanguage language) {
    const LanguageEntry& entry = language.Entry();
    for (std::size_t i = 0; i < entry.textCount; ++i) {
        const TranslatedText& t = entry.texts[i];
        if (t.source == text.text && t.context == text.context) return &t;
    }
    return nullptr;
}

// Only the rules the list's languages use: one form, or one and the rest.
std::size_t PluralForm(long long count, int forms) {
    if (forms <= 1) return 0;
    return count == 1 ? 0 : 1;
}

std::string ReplaceCount(std::string_view pattern, long long count) {
    const std::string number = std::to_string(count);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'n') {
            out += number;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace

std::string FillArguments(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += *(args.begin() + n);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string Words(SourceText text, std::initializer_list<std::string_view> args, UiLanguage language) {
    const TranslatedText* found = Find(text, language);
    const std::string_view words = found && !found->forms[0].empty() ? found->forms[0] : text.text;
    return FillArguments(words, args);
}

std::string WordsN(SourceText text, long long count, std::initializer_list<std::string_view> args,
                   UiLanguage language) {
    std::string_view words = text.text;
    if (const TranslatedText* found = Find(text, language)) {
        const std::size_t form = PluralForm(count, language.Entry().pluralForms);
        if (form < kMaxPluralForms && !found->forms[form].empty()) words = found->forms[form];
        else if (!found->forms[0].empty()) words = found->forms[0];
    }
    return FillArguments(ReplaceCount(words, count), args);
}

}  // namespace quorvane
