// The text codec on iconv (glibc): code page 932 is its "CP932".
#include "text/TextCodec.h"

#include <algorithm>
#include <iconv.h>

namespace quorvane {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

const char* IconvName(TextEncoding encoding) {
    return IsUtf8Text(encoding) ? "UTF-8" : "CP932";
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Runs `cd` over all of `in` into `buffer`; false on any failure, with the
// converter reset, since only a failed text can leave it inside a character.
bool Convert(iconv_t cd, std::string_view in, std::string& buffer, std::size_t& outSize) {
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return false;
    }
    outSize = static_cast<std::size_t>(outPtr - buffer.data());
    return true;
}

// Length of the well-formed UTF-8 character at `i` (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when there is none.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const auto cont = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
        return i + k < s.size() && at(k) >= lo && at(k) <= hi;
    };
    const unsigned b = at(0);
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return cont(1) ? 2 : 0;
    if (b == 0xE0) return cont(1, 0xA0) && cont(2) ? 3 : 0;
    if (b == 0xED) return cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (b >= 0xE1 && b <= 0xEF) return cont(1) && cont(2) ? 3 : 0;
    if (b == 0xF0) return cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
    if (b >= 0xF1 && b <= 0xF3) return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (b == 0xF4) return cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

// Offset of the first byte that starts no well-formed character, or npos.
std::size_t FirstInvalidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8CharLength(s, i);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

}  // namespace

// ---------------------------------------------------------------- decoder

struct TextDecoder::State {
    bool utf8 = false;
    iconv_t cd = kNoConverter;
    std::string buffer;  // reused, so each text gets only what it needs
};

TextDecoder::TextDecoder(TextEncoding encoding) : m_state(std::make_unique<State>()) {
    m_state->utf8 = IsUtf8Text(encoding);
    if (!m_state->utf8) m_state->cd = iconv_open("UTF-8", IconvName(encoding));
}

TextDecoder::~TextDecoder() {
    if (m_state->cd != kNoConverter) iconv_close(m_state->cd);
}

bool TextDecoder::decode(std::string_view in, std::string& out) {
    if (IsAscii(in)) {
        out.assign(in);
        return true;
    }
    State& st = *m_state;
    // UTF-8 needs only the check, by the same rule as on Windows.
    if (st.utf8) {
        if (FirstInvalidUtf8(in) != std::string_view::npos) return false;
        out.assign(in);
        return true;
    }
    if (st.cd == kNoConverter) return false;
    // No code page 932 character needs more than three UTF-8 bytes.
    st.buffer.resize(std::max(st.buffer.size(), in.size() * 3 + 4));
    std::size_t size = 0;
    if (!Convert(st.cd, in, st.buffer, size)) return false;
    out.assign(st.buffer.data(), size);
    return true;
}

// ---------------------------------------------------------------- encoder

struct TextEncoder::State {
    TextEncoding encoding = TextEncoding::ShiftJis;
    iconv_t to = kNoConverter;    // UTF-8 to code page 932
    iconv_t back = kNoConverter;  // and back, to catch one-way mappings
    std::string buffer;
    std::string check;
};

TextEncoder::TextEncoder(TextEncoding encoding) : m_state(std::make_unique<State>()) {
    m_state->encoding = encoding;
    if (encoding == TextEncoding::ShiftJis) {
        m_state->to = iconv_open("CP932", "UTF-8");
        m_state->back = iconv_open("UTF-8", "CP932");
    }
}

TextEncoder::~TextEncoder() {
    if (m_state->to != kNoConverter) iconv_close(m_state->to);
    if (m_state->back != kNoConverter) iconv_close(m_state->back);
}

bool TextEncoder::encode(std::string_view utf8, std::string& out, std::size_t& badOffset) {
    if (const std::size_t bad = FirstInvalidUtf8(utf8); bad != std::string_view::npos) {
        badOffset = bad;
        return false;
    }
    State& st = *m_state;
    if (IsUtf8Text(st.encoding) || IsAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    if (st.to == kNoConverter || st.back == kNoConverter) {
        badOffset = 0;
        return false;
    }
    // A character counts as held only when it comes back unchanged: the
    // converter maps some characters one way only (WAVE DASH to the
    // full-width tilde's code), and that would be a silent substitution.
    const auto roundTrips = [&](std::string_view text, std::size_t& encodedSize) {
        st.buffer.resize(std::max(st.buffer.size(), text.size() + 4));
        if (!Convert(st.to, text, st.buffer, encodedSize)) return false;
        // Only a text of the same length can come back the same, so more
        // room would only be cleared for nothing.
        st.check.resize(std::max(st.check.size(), text.size() + 4));
        std::size_t backSize = 0;
        return Convert(st.back, std::string_view(st.buffer.data(), encodedSize), st.check,
                       backSize) &&
               std::string_view(st.check.data(), backSize) == text;
    };
    std::size_t size = 0;
    if (roundTrips(utf8, size)) {
        out.assign(st.buffer.data(), size);
        return true;
    }
    // Something failed: find the first character that does not pass alone.
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8CharLength(utf8, i);
        std::size_t charSize = 0;
        if (n > 1 && !roundTrips(utf8.substr(i, n), charSize)) {
            badOffset = i;
            return false;
        }
        i += n;
    }
    badOffset = 0;  // every character passes alone; not expected of CP932
    return false;
}

}  // namespace quorvane
