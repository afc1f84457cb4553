#pragma once
// The core's texts, Qt-free. Each is written in the sources' language where
// it is used, marked with QV_TEXT (or QV_TEXT_N when a count is shown), which
// lupdate reads as QT_TRANSLATE_NOOP, so it lands in the same .ts file as the
// windows' texts; the build turns the .ts files into the table read here.

#include "language/UiLanguage.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvane {

struct SourceText {
    std::string_view context;
    std::string_view text;
};

#define QV_TEXT(context, text) (::quorvane::SourceText{context, text})
#define QV_TEXT_N(context, text) (::quorvane::SourceText{context, text})

// The text in `language`, with "%1", "%2"… replaced by the arguments; the
// source's own words when the language has no translation for it.
std::string Words(SourceText text, std::initializer_list<std::string_view> args = {},
                  UiLanguage language = ActiveUiLanguage());

// The same for a text that shows a count: the plural form for `count`, and
// "%n" replaced by it.
std::string WordsN(SourceText text, long long count, std::initializer_list<std::string_view> args = {},
                   UiLanguage language = ActiveUiLanguage());

// "%1".."%9" take the arguments; any other "%" stays as it is.
std::string FillArguments(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace quorvane
