#pragma once
// Splits catalogue bytes into items at commas and line breaks, honouring
// double quotes. Commas, quotes, line breaks and blanks are ASCII bytes that
// never occur inside a Shift-JIS or UTF-8 multi-byte character, so the split
// works on the raw bytes, before any decoding.

#include "catalogue/CatalogueProblem.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace quorvane {

// One item as it stands in the file, not yet decoded or interpreted.
struct RawItem {
    std::string_view content;
    std::size_t line = 1;
    bool quoted = false;
    bool unterminated = false;
    bool textAfterQuote = false;
    bool endsLine = false;  // ended by a line break or the end of the file
};

class ItemScanner {
public:
    explicit ItemScanner(std::string_view bytes);

    // The next item, or false at the end of the input. Blank lines are
    // reported and passed over; those at the very end, which many editors
    // leave, are no mistake and end the input silently.
    bool next(RawItem& item, std::vector<CatalogueProblem>& problems, std::size_t& unlisted);

    std::size_t line() const { return m_line; }

    // Where the scanner stands, to scan on again from there.
    struct Place {
        std::size_t pos = 0;
        std::size_t line = 1;
        bool afterLineBreak = true;
    };
    Place place() const { return {m_pos, m_line, m_afterLineBreak}; }
    void resume(const Place& place) {
        m_pos = place.pos;
        m_line = place.line;
        m_afterLineBreak = place.afterLineBreak;
    }

private:
    void consumeLineBreak();
    std::size_t findSeparator(std::size_t p) const;
    // Takes the comma or line break at m_pos, if any.
    void endItem(RawItem& item);
    void scanQuoted(std::size_t start, RawItem& item);
    void scanBare(std::size_t start, RawItem& item);

    std::string_view m_bytes;
    std::size_t m_contentEnd = 0;  // past the last byte that is no blank or line break
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    bool m_afterLineBreak = true;  // the start of the file counts as a line start
};

}  // namespace quorvane
