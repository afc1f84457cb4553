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

inline bool IsValidUtf8(std::string_view text) {
    TextDecoder decoder(TextEncoding::Utf8);
    std::string out;
    return decoder.decode(text, out);
}

}  // namespace quorvane::testing
