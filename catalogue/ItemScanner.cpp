#include "catalogue/ItemScanner.h"

namespace quorvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

ItemScanner::ItemScanner(std::string_view bytes) : m_bytes(bytes), m_contentEnd(bytes.size()) {
    while (m_contentEnd > 0 &&
           (IsBlank(m_bytes[m_contentEnd - 1]) || IsLineBreak(m_bytes[m_contentEnd - 1])))
        --m_contentEnd;
}

bool ItemScanner::next(RawItem& item, std::vector<CatalogueProblem>& problems,
                       std::size_t& unlisted) {
    for (;;) {
        std::size_t p = m_pos;
        while (p < m_bytes.size() && IsBlank(m_bytes[p])) ++p;
        item = RawItem{};
        item.line = m_line;
        if (m_afterLineBreak && p >= m_contentEnd) {
            m_pos = m_bytes.size();
            return false;
        }
        if (p == m_bytes.size()) {
            m_pos = p;
            if (m_afterLineBreak) return false;
            // "a,b,c," ends in one more, empty item.
            item.endsLine = true;
            m_afterLineBreak = true;
            return true;
        }
        if (IsLineBreak(m_bytes[p])) {
            m_pos = p;
            consumeLineBreak();
            if (m_afterLineBreak) {
                AddProblem(problems, unlisted, {item.line, CatalogueProblemKind::BlankLine});
                continue;
            }
            item.endsLine = true;  // "a,<line break>": an empty last item
            m_afterLineBreak = true;
            return true;
        }
        if (m_bytes[p] == '"') {
            scanQuoted(p + 1, item);
        } else {
            scanBare(p, item);
        }
        return true;
    }
}


void ItemScanner::consumeLineBreak() {
    if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

std::size_t ItemScanner::findSeparator(std::size_t p) const {
    while (p < m_bytes.size() && m_bytes[p] != ',' && !IsLineBreak(m_bytes[p])) ++p;
    return p;
}

void ItemScanner::endItem(RawItem& item) {
    if (m_pos == m_bytes.size()) {
        item.endsLine = true;
        m_afterLineBreak = true;
    } else if (m_bytes[m_pos] == ',') {
        ++m_pos;
        m_afterLineBreak = false;
    } else {
        consumeLineBreak();
        item.endsLine = true;
        m_afterLineBreak = true;
    }
}

void ItemScanner::scanQuoted(std::size_t start, RawItem& item) {
    item.quoted = true;
    std::size_t q = start;
    while (q < m_bytes.size() && m_bytes[q] != '"' && !IsLineBreak(m_bytes[q])) ++q;
    item.content = m_bytes.substr(start, q - start);
    if (q == m_bytes.size() || IsLineBreak(m_bytes[q])) {
        item.unterminated = true;
        m_pos = q;
        endItem(item);
        return;
    }
    std::size_t p = q + 1;
    while (p < m_bytes.size() && IsBlank(m_bytes[p])) ++p;
    if (p < m_bytes.size() && m_bytes[p] != ',' && !IsLineBreak(m_bytes[p])) {
        item.textAfterQuote = true;
        p = findSeparator(p);
    }
    m_pos = p;
    endItem(item);
}

void ItemScanner::scanBare(std::size_t start, RawItem& item) {
    const std::size_t end = findSeparator(start);
    std::size_t last = end;
    while (last > start && IsBlank(m_bytes[last - 1])) --last;
    item.content = m_bytes.substr(start, last - start);
    m_pos = end;
    endItem(item);
}


}  // namespace quorvane
