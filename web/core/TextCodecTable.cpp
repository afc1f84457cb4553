// The text codec without iconv, for the WebAssembly core: code page 932 from
// a table that the build writes with the desktop's own decoder
// (web/tools/sjis_table.cpp), so both read every byte alike.
#include "text/TextCodec.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace quorvane {

namespace cp932 {
extern const std::uint16_t kSingle[256];
extern const std::uint16_t kPairs[];
}  // namespace cp932

namespace {

constexpr std::uint16_t kNone = 0xFFFF;
constexpr std::uint16_t kLead = 0xFFFE;

void AppendUtf8(std::uint16_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Row of each lead byte in kPairs.
const std::array<int, 256>& LeadRows() {
    static const std::array<int, 256> rows = [] {
        std::array<int, 256> r{};
        int next = 0;
        for (int b = 0; b < 256; ++b) r[b] = cp932::kSingle[b] == kLead ? next++ : -1;
        return r;
    }();
    return rows;
}

bool DecodeCp932(std::string_view in, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        const std::uint16_t single = cp932::kSingle[b];
        if (single == kNone) return false;
        if (single != kLead) {
            AppendUtf8(single, out);
            continue;
        }
        if (++i == in.size()) return false;
        const auto trail = static_cast<unsigned char>(in[i]);
        const std::uint16_t cp = cp932::kPairs[LeadRows()[b] * 256 + trail];
        if (cp == kNone) return false;
        AppendUtf8(cp, out);
    }
    return true;
}

// Code point to bytes; every entry decodes back to its code point, so a
// character is held exactly when it is found here, as the desktop's round
// trip demands.
const std::unordered_map<std::uint32_t, std::string>& Cp932Bytes() {
    static const auto map = [] {
        std::unordered_map<std::uint32_t, std::string> m;
        for (int b = 0; b < 256; ++b) {
            const std::uint16_t single = cp932::kSingle[b];
            if (single == kLead) {
                for (int t = 0; t < 256; ++t) {
                    const std::uint16_t cp = cp932::kPairs[LeadRows()[b] * 256 + t];
                    if (cp != kNone)
                        m.emplace(cp, std::string{static_cast<char>(b), static_cast<char>(t)});
                }
            } else if (single != kNone) {
                m.emplace(single, std::string(1, static_cast<char>(b)));
            }
        }
        return m;
    }();
    return map;
}

// The code point of the well-formed UTF-8 character at `i` and its length,
// or a length of 0.
std::size_t NextCodePoint(std::string_view s, std::size_t i, std::uint32_t& cp) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const auto cont = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
        return i + k < s.size() && at(k) >= lo && at(k) <= hi;
    };
    const unsigned b = at(0);
    if (b < 0x80) return cp = b, 1;
    if (b >= 0xC2 && b <= 0xDF && cont(1)) return cp = ((b & 0x1F) << 6) | (at(1) & 0x3F), 2;
    const bool three = (b == 0xE0 && cont(1, 0xA0) && cont(2)) ||
                       (b == 0xED && cont(1, 0x80, 0x9F) && cont(2)) ||
                       (b >= 0xE1 && b <= 0xEF && b != 0xED && cont(1) && cont(2));
    if (three) return cp = ((b & 0x0F) << 12) | ((at(1) & 0x3F) << 6) | (at(2) & 0x3F), 3;
    const bool four = (b == 0xF0 && cont(1, 0x90) && cont(2) && cont(3)) ||
                      (b >= 0xF1 && b <= 0xF3 && cont(1) && cont(2) && cont(3)) ||
                      (b == 0xF4 && cont(1, 0x80, 0x8F) && cont(2) && cont(3));
    if (four) {
        cp = ((b & 0x07) << 18) | ((at(1) & 0x3F) << 12) | ((at(2) & 0x3F) << 6) | (at(3) & 0x3F);
        return 4;
    }
    return 0;
}

}  // namespace

struct TextDecoder::State {
    TextEncoding encoding = TextEncoding::ShiftJis;
};

TextDecoder::TextDecoder(TextEncoding encoding) : m_state(std::make_unique<State>()) {
    m_state->encoding = encoding;
}

TextDecoder::~TextDecoder() = default;

bool TextDecoder::decode(std::string_view in, std::string& out) {
    if (!IsUtf8Text(m_state->encoding)) return DecodeCp932(in, out);
    std::uint32_t cp = 0;
    for (std::size_t i = 0; i < in.size();) {
        const std::size_t n = NextCodePoint(in, i, cp);
        if (n == 0) return false;
        i += n;
    }
    out.assign(in);
    return true;
}

struct TextEncoder::State {
    TextEncoding encoding = TextEncoding::ShiftJis;
};

TextEncoder::TextEncoder(TextEncoding encoding) : m_state(std::make_unique<State>()) {
    m_state->encoding = encoding;
}

TextEncoder::~TextEncoder() = default;

bool TextEncoder::encode(std::string_view utf8, std::string& out, std::size_t& badOffset) {
    const bool shiftJis = !IsUtf8Text(m_state->encoding);
    std::string encoded;
    std::uint32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = NextCodePoint(utf8, i, cp);
        if (n == 0) return badOffset = i, false;
        if (shiftJis) {
            const auto found = Cp932Bytes().find(cp);
            if (found == Cp932Bytes().end()) return badOffset = i, false;
            encoded += found->second;
        }
        i += n;
    }
    out = shiftJis ? std::move(encoded) : std::string(utf8);
    return true;
}

}  // namespace quorvane
