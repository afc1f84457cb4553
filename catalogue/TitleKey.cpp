#include "catalogue/TitleKey.h"

#include <algorithm>
#include <deque>
#include <functional>

namespace quorvane {

namespace {

std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if ((b & 0xE0) == 0xC0 && cont(1)) {
        cp = (char32_t(b & 0x1F) << 6) | (s[i + 1] & 0x3F);
        return 2;
    }
    if ((b & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        cp = (char32_t(b & 0x0F) << 12) | (char32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
        return 3;
    }
    if ((b & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        cp = (char32_t(b & 0x07) << 18) | (char32_t(s[i + 1] & 0x3F) << 12) |
             (char32_t(s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
        return 4;
    }
    cp = 0xFFFD;  // not reached for decoded text; keeps the key defined anyway
    return 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t FoldCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // Latin-1, but not the multiplication sign
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs an upper-case letter with the next code point,
        // on even code points in most runs and on odd ones in two of them.
        if (c == 0x178) return 0xFF;
        const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddRun) return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;   // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                 // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x2160 && c <= 0x216F) return c + 0x10;               // Roman numerals
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;               // full-width Latin
    return c;
}

}  // namespace

std::string FoldTitle(std::string_view title) {
    std::string key;
    key.reserve(title.size());
    for (std::size_t i = 0; i < title.size();) {
        const auto b = static_cast<unsigned char>(title[i]);
        if (b < 0x80) {
            key += (b >= 'A' && b <= 'Z') ? static_cast<char>(b + 0x20) : static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t n = DecodeUtf8(title, i, cp);
        const char32_t folded = FoldCodePoint(cp);
        if (folded == cp && cp != 0xFFFD)
            key.append(title.substr(i, n));
        else
            AppendUtf8(key, folded);
        i += n;
    }
    return key;
}

namespace {

// Japanese has no letter case, so most titles are their own key and need
// no folded copy to be compared.
bool FoldsToItself(std::string_view title) {
    for (std::size_t i = 0; i < title.size();) {
        const auto b = static_cast<unsigned char>(title[i]);
        if (b < 0x80) {
            if (b >= 'A' && b <= 'Z') return false;
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t n = DecodeUtf8(title, i, cp);
        if (cp == 0xFFFD || FoldCodePoint(cp) != cp) return false;
        i += n;
    }
    return true;
}

}  // namespace

std::string_view TitleKey(std::string_view title, std::string& scratch) {
    if (FoldsToItself(title)) return title;
    scratch = FoldTitle(title);
    return scratch;
}

std::vector<std::size_t> TitleOrder(const std::vector<clsStarData>& records) {
    return TitleOrder(records.size(), [&records](std::size_t i) { return std::string_view(records[i].Title()); });
}

std::vector<std::size_t> TitleOrder(std::size_t count,
                                    const std::function<std::string_view(std::size_t)>& titleOf) {
    // Keys beside their indices, so the sort compares without a lookup.
    std::deque<std::string> folded;  // stays put while keys point into it
    std::vector<std::pair<std::string_view, std::size_t>> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view key = titleOf(i);
        if (!FoldsToItself(key)) key = folded.emplace_back(FoldTitle(key));
        keys.emplace_back(key, i);
    }
    // One comparison of the texts a step; the pair's own order takes two
    // whenever the first is not smaller.
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const auto& key : keys) order.push_back(key.second);
    return order;
}

TitleIndex::TitleIndex(std::size_t expected) {
    std::size_t capacity = 16;
    while (capacity < 2 * expected) capacity *= 2;
    m_slots.resize(capacity);
}

bool TitleIndex::insert(std::string_view title, std::size_t index,
                        const std::vector<clsStarData>& records) {
    if (2 * (m_size + 1) > m_slots.size()) grow();
    const std::string_view key = TitleKey(title, m_keyScratch);
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(key));
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.index == kEmpty) {
            slot = {hash, static_cast<std::uint32_t>(index)};
            ++m_size;
            return true;
        }
        if (slot.hash == hash && TitleKey(records[slot.index].Title(), m_filedScratch) == key)
            return false;
    }
}

void TitleIndex::erase(std::string_view title, std::size_t index) {
    const std::string_view key = TitleKey(title, m_keyScratch);
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(key));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = hash & mask;
    while (m_slots[hole].index != index) {
        if (m_slots[hole].index == kEmpty) return;
        hole = (hole + 1) & mask;
    }
    // Later slots of the same probe chain move up into the hole, so that
    // every title is still found from its own slot on.
    for (std::size_t i = (hole + 1) & mask; m_slots[i].index != kEmpty; i = (i + 1) & mask) {
        const std::size_t home = m_slots[i].hash & mask;
        const bool reachable = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
        if (reachable) continue;
        m_slots[hole] = m_slots[i];
        hole = i;
    }
    m_slots[hole] = Slot{};
    --m_size;
}

void TitleIndex::grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index == kEmpty) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].index != kEmpty) i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

}  // namespace quorvane
