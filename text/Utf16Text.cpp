#include "text/Utf16Text.h"

namespace quorvane {

namespace {

// Marks an odd last byte: 0xFF never starts a UTF-8 character, and the two
// bytes after it carry the byte's halves above 0x80, clear of separators.
constexpr unsigned char kOddByte = 0xFF;

void AppendUnit(std::string& out, char16_t unit, ByteOrder order) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (order == ByteOrder::LittleEndian) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}


std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(order == ByteOrder::LittleEndian ? first | (second << 8)
                                                                      : (first << 8) | second);
    };
    std::string out;
    // Japanese takes three bytes for two; ASCII one for two.
    out.reserve(bytes.size() / 2 * 3 + 3);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t next = unitAt(i + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        // A lone surrogate is written as UTF-8 would write its value, which
        // no UTF-8 reader accepts.
        AppendUtf8(out, unit);
    }
    if (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += static_cast<char>(kOddByte);
        out += static_cast<char>(0x80 | (b >> 4));
        out += static_cast<char>(0x80 | (b & 0x0F));
    }
    return out;
}

std::optional<std::string> Utf8ToUtf16(std::string_view text, ByteOrder order,
                                       std::size_t& badOffset) {
    std::string out;
    out.reserve(text.size() * 2);
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = at(i);
        std::size_t length = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                           : b >= 0xF0 && b <= 0xF4 ? 4 : b == kOddByte ? 3 : 0;
        bool ok = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; ok && k < length; ++k) ok = IsContinuation(at(i + k));
        if (!ok) {
            badOffset = i;
            return std::nullopt;
        }
        if (b == kOddByte) {
            out += static_cast<char>(((at(i + 1) & 0x0F) << 4) | (at(i + 2) & 0x0F));
        } else {
            char32_t c = length == 1 ? b : b & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (at(i + k) & 0x3F);
            if (c >= 0x10000) {
                c -= 0x10000;
                AppendUnit(out, static_cast<char16_t>(0xD800 + (c >> 10)), order);
                AppendUnit(out, static_cast<char16_t>(0xDC00 + (c & 0x3FF)), order);
            } else {
                AppendUnit(out, static_cast<char16_t>(c), order);
            }
        }
        i += length;
    }
    return out;
}

bool IsWellFormedUtf8(std::string_view s) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const auto cont = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
            return i + k < s.size() && at(i + k) >= lo && at(i + k) <= hi;
        };
        std::size_t n = 0;
        if (b >= 0xC2 && b <= 0xDF) n = cont(1) ? 2 : 0;
        else if (b == 0xE0) n = cont(1, 0xA0) && cont(2) ? 3 : 0;
        else if (b == 0xED) n = cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
        else if (b >= 0xE1 && b <= 0xEF) n = cont(1) && cont(2) ? 3 : 0;
        else if (b == 0xF0) n = cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
        else if (b >= 0xF1 && b <= 0xF3) n = cont(1) && cont(2) && cont(3) ? 4 : 0;
        else if (b == 0xF4) n = cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
        if (n == 0) return false;
        i += n;
    }
    return true;
}

}  // namespace quorvane
