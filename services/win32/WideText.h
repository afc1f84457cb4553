#pragma once
// Texts cross into Windows as UTF-16 and come back as UTF-8: the wide entry
// points hold any character, where the ANSI ones would lose every one
// outside the user's code page.

#include <string>
#include <string_view>

namespace quorvane::win32 {

// Ill-formed input gives U+FFFD in place of the bad sequence, as the system does.
std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

// The text up to, not including, its first NUL: the length the system
// reports is not trusted.
std::wstring_view CutAtNul(std::wstring_view text);

// The system's own wording of an error code, in UTF-8, without the line end.
std::string ErrorText(unsigned long code);

}  // namespace quorvane::win32
