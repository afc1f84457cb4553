#pragma once
// A catalogue item may run to tens of megabytes, but a list entry, a cell or
// a text box shows a screenful at most. Windows show a bounded beginning of
// such a text, so that what a paint or a selection costs follows the screen,
// not the file; the whole text stays where it is kept, for editing and saving.

#include <QString>
#include <string_view>

namespace quorvane {

// Enough for one line of the widest cell or list entry.
inline constexpr qsizetype kShownLineLength = 256;
// Enough for a box of several lines, scrolled a few times.
inline constexpr qsizetype kShownBoxLength = 4000;

// `utf8` as Qt text when it is at most `limit` UTF-16 units long; otherwise
// its beginning, cut at a character boundary (never inside a surrogate pair
// or between a character and its combining marks), followed by "…", at most
// `limit` units in all. Reads no more of `utf8` than the beginning it shows.
QString ShownText(std::string_view utf8, qsizetype limit);

}  // namespace quorvane
