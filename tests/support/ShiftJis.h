#pragma once
// Test texts are written in UTF-8; catalogue files are Shift-JIS. Both
// conversions go through the system's converter (iconv, or Windows' own),
// as the reader's do.

#include "catalogue/TextCodec.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane::testing {

inline std::string ToShiftJis(std::string_view utf8) {
    TextEncoder encoder(TextEncoding::ShiftJis);
    std::string out;
    std::size_t bad = 0;
    if (!encoder.encode(utf8, out, bad)) throw std::runtime_error("not in code page 932");
    return out;
}

// UTF-8 text in another of iconv's encodings ("UTF-16LE", ...), no mark added.
inline std::string ConvertUtf8(std::string_view utf8, const char* encoding) {
    iconv_t cd = iconv_open(encoding, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter");
    std::string out(utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible");
    out.resize(out.size() - outLeft);
    return out;
}

inline bool IsValidUtf8(std::string_view text) {
    TextDecoder decoder(TextEncoding::Utf8);
    std::string out;
    return decoder.decode(text, out);
}

}  // namespace quorvane::testing
