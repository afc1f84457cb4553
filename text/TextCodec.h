#pragma once
// The catalogue's text encodings to and from the UTF-8 the program works in.
// One implementation per platform, chosen by the build: the system's own
// converter for code page 932 (iconv here, MultiByteToWideChar and
// WideCharToMultiByte on Windows), with the same rules on both.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

// How a catalogue file holds its text. UTF-8 with its byte-order mark, and
// without, as modern editors save it; UTF-16 with a mark in either byte
// order, which the reader turns into UTF-8 before it scans. The codec sees
// every form but Shift-JIS as UTF-8 text.
enum class TextEncoding { ShiftJis, Utf8, Utf8NoMark, Utf16Le, Utf16Be };

inline bool IsUtf8Text(TextEncoding encoding) { return encoding != TextEncoding::ShiftJis; }

// Turns one item's bytes into UTF-8. Pure ASCII passes through untouched.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // False when `in` holds bytes that are not valid in the encoding (an
    // incomplete character at the end included); `out` is then unspecified.
    bool decode(std::string_view in, std::string& out);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Turns UTF-8 text into the encoding, refusing what it cannot hold: nothing
// is ever replaced by "?" or a look-alike.
class TextEncoder {
public:
    explicit TextEncoder(TextEncoding encoding);
    ~TextEncoder();
    TextEncoder(const TextEncoder&) = delete;
    TextEncoder& operator=(const TextEncoder&) = delete;

    // False when `utf8` holds a character the encoding cannot hold, or is not
    // valid UTF-8; `badOffset` is then the byte offset in `utf8` of the first
    // such character, and `out` is unspecified.
    bool encode(std::string_view utf8, std::string& out, std::size_t& badOffset);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace quorvane
