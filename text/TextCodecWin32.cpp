// Code page 932 through the system's own converter, so the program reads
// and writes exactly what other Windows programs do. UTF-8 is checked here
// rather than by the system, whose rules for bad sequences have changed
// between Windows versions.
#include "text/TextCodec.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace quorvane {

namespace {

constexpr UINT kShiftJis = 932;

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length of the well-formed UTF-8 character at s[i], or 0: no overlong
// forms, no surrogates, nothing past U+10FFFF, nothing cut short.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char b = byte(0);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (byte(1) < lo || byte(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((byte(k) & 0xC0) != 0x80) return 0;
    return n;
}

// Offset of the first character that is not well-formed UTF-8, or npos.
std::size_t FirstBadUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8CharLength(s, i);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

// Well-formed UTF-8 to UTF-16; the system cannot fail on it.
std::wstring Widen(std::string_view utf8) {
    std::wstring wide;
    if (utf8.empty()) return wide;
    wide.resize(utf8.size());  // never more UTF-16 units than UTF-8 bytes
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

bool Narrow(UINT codePage, std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    out.resize(wide.size() * 4);  // UTF-8 needs at most three bytes per unit, 932 two
    BOOL usedDefault = FALSE;
    const bool shiftJis = codePage == kShiftJis;
    const int n = ::WideCharToMultiByte(
        codePage, shiftJis ? WC_NO_BEST_FIT_CHARS : 0, wide.data(), static_cast<int>(wide.size()),
        out.data(), static_cast<int>(out.size()), nullptr, shiftJis ? &usedDefault : nullptr);
    if (n <= 0 || usedDefault) return false;
    out.resize(static_cast<std::size_t>(n));
    return true;
}

// Code page 932 bytes back to UTF-16, refusing bytes the code page lacks.
bool WidenShiftJis(std::string_view in, std::wstring& wide) {
    wide.resize(in.size());  // one UTF-16 unit per byte at most
    const int n = ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, in.data(),
                                        static_cast<int>(in.size()), wide.data(),
                                        static_cast<int>(wide.size()));
    if (n <= 0) return false;
    wide.resize(static_cast<std::size_t>(n));
    return true;
}

// Windows maps the single bytes 0x80, 0xA0 and 0xFD to 0xFF to control and
// private-use characters; they are no Shift-JIS text, and a catalogue with
// them must be refused here as everywhere else.
bool HasStrayShiftJisByte(std::string_view in) {
    for (std::size_t i = 0; i < in.size(); ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead) {
            ++i;  // the trail byte may be anything the converter accepts
        } else if (b == 0x80 || b == 0xA0 || b >= 0xFD) {
            return true;
        }
    }
    return false;
}

}  // namespace

struct TextDecoder::State {
    TextEncoding encoding;
    std::wstring wide;
};

TextDecoder::TextDecoder(TextEncoding encoding) : m_state(new State{encoding, {}}) {}
TextDecoder::~TextDecoder() = default;

bool TextDecoder::decode(std::string_view in, std::string& out) {
    if (IsAscii(in)) {
        out.assign(in);
        return true;
    }
    if (in.size() > INT_MAX / 4) return false;
    if (IsUtf8Text(m_state->encoding)) {
        if (FirstBadUtf8(in) != std::string_view::npos) return false;
        out.assign(in);
        return true;
    }
    if (HasStrayShiftJisByte(in) || !WidenShiftJis(in, m_state->wide)) return false;
    return Narrow(CP_UTF8, m_state->wide, out);
}

struct TextEncoder::State {
    TextEncoding encoding;
};

TextEncoder::TextEncoder(TextEncoding encoding) : m_state(new State{encoding}) {}
TextEncoder::~TextEncoder() = default;

bool TextEncoder::encode(std::string_view utf8, std::string& out, std::size_t& badOffset) {
    badOffset = FirstBadUtf8(utf8);
    if (badOffset != std::string_view::npos) return false;
    if (IsUtf8Text(m_state->encoding) || IsAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    if (utf8.size() > INT_MAX / 4) {
        badOffset = 0;
        return false;
    }
    // Only what comes back unchanged counts: best-fit look-alikes and the
    // default character are refused, whichever the system produced.
    const auto roundTrips = [](std::string_view text, std::string& bytes) {
        const std::wstring wide = Widen(text);
        std::wstring back;
        return Narrow(kShiftJis, wide, bytes) && WidenShiftJis(bytes, back) && back == wide;
    };
    if (roundTrips(utf8, out)) return true;
    // Find the culprit one character at a time; only a refused text pays.
    std::string one;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8CharLength(utf8, i);
        if (!roundTrips(utf8.substr(i, n), one)) {
            badOffset = i;
            return false;
        }
        i += n;
    }
    badOffset = 0;  // every character alone fits, the whole did not: keep the refusal
    return false;
}

}  // namespace quorvane
