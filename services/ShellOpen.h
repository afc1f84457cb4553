#pragma once
// Hands a document, web address or mail address to the program the user's
// desktop associates with it, and returns at once.

#include <QString>
#include <QUrl>
#include <cstdint>

namespace quorvane {

class Platform;

// Owner value that stands for the desktop window.
inline constexpr std::int32_t DesktopOwnerWindow = -1;

// Status codes in the shell's convention: above 32 means accepted.
inline constexpr std::int16_t ShellOpenAccepted = 33;
inline constexpr std::int16_t ShellOpenFileNotFound = 2;
inline constexpr std::int16_t ShellOpenNoAssociation = 31;

// `target` is a URL ("https://...", "mailto:...", "file:...") or a local
// path; a relative path is taken from the current folder. The target always
// reaches the opener as one URL, never through a command line, so no text in
// it can act as an option or a command. `ownerWindow` only owns windows the
// opener may show; the desktop's opener here shows none of its own.
std::int16_t ShellOpen(Platform& platform, const std::int32_t& ownerWindow,
                       const QString& target);

// The URL that ShellOpen hands over for `target`; empty when the target is
// empty or not a valid URL.
QUrl ShellOpenUrl(const QString& target);

}  // namespace quorvane
