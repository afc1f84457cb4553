#include "widgets/ShownText.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace quorvane {

namespace {

// A few units past the cut, so that the boundary there is judged with the
// characters that follow it.
constexpr qsizetype kLookAhead = 16;

// How many bytes of `utf8` hold its first `units` UTF-16 units, or npos when
// the whole text holds no more than that. Counts by lead bytes only: a
// malformed sequence is counted as Qt decodes it closely enough for a bound.
std::size_t PrefixBytes(std::string_view utf8, qsizetype units) {
    qsizetype counted = 0;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const qsizetype width = length == 4 ? 2 : 1;
        if (counted + width > units) return at;
        counted += width;
        at += length;
    }
    return std::string_view::npos;
}

}  // namespace

QString ShownText(std::string_view utf8, qsizetype limit) {
    const std::size_t bytes = PrefixBytes(utf8, limit);
    if (bytes == std::string_view::npos)
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));

    const std::size_t withLookAhead = PrefixBytes(utf8, limit + kLookAhead);
    const std::string_view head = utf8.substr(0, withLookAhead);
    QString text = QString::fromUtf8(head.data(), static_cast<qsizetype>(head.size()));
    // Room for the ellipsis, then back to where a character begins.
    qsizetype cut = std::min(limit - 1, text.size());
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(cut);
    if (!characters.isAtBoundary()) cut = characters.toPreviousBoundary();
    if (cut < 0) cut = 0;
    text.truncate(cut);
    text += QChar(0x2026);
    return text;
}

}  // namespace quorvane
