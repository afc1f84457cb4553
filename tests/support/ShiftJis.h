#pragma once
// Test texts are written in UTF-8; catalogue files are Shift-JIS. Both
// conversions go through the system's converter (iconv, or Windows' own),
// as the reader's do.

#include "text/TextCodec.h"

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

// Well-formed UTF-8 test text as UTF-16 ("UTF-16LE" or "UTF-16BE"), no mark
// added. Written out here rather than through the product's converter, so
// that a fault there cannot hide in both the file and what it is read as.
inline std::string ConvertUtf8(std::string_view utf8, const char* encoding) {
    const bool little = std::string_view(encoding) == "UTF-16LE";
    if (!little && std::string_view(encoding) != "UTF-16BE") throw std::runtime_error("no converter");
    std::string out;
    const auto unit = [&](unsigned value) {
        const char high = static_cast<char>(value >> 8), low = static_cast<char>(value & 0xFF);
        out += little ? low : high;
        out += little ? high : low;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        if (i + length > utf8.size()) throw std::runtime_error("not convertible");
        unsigned code = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
        i += length;
    }
    return out;
}

inline bool IsValidUtf8(std::string_view text) {
    TextDecoder decoder(TextEncoding::Utf8);
    std::string out;
    return decoder.decode(text, out);
}

}  // namespace quorvane::testing
