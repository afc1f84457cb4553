#pragma once
// UTF-16 files (Windows Notepad's "Unicode") and the UTF-8 the reader scans.
// Plain C++ on every platform: no code page is involved.
//
// The conversion keeps every byte: what is no UTF-16 (a lone surrogate, an
// odd last byte) becomes bytes that are no valid UTF-8 either, so the reader
// keeps such a line as unreadable, and the way back restores it exactly.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

enum class ByteOrder { LittleEndian, BigEndian };

// `bytes` without the byte-order mark.
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order);

// One code point, encoded as UTF-8 at the end of `out`.
void AppendUtf8(std::string& out, char32_t codePoint);

// The inverse of Utf16ToUtf8, without a mark; std::nullopt when `text` holds
// bytes that Utf16ToUtf8 never gives, `badOffset` then being the first.
std::optional<std::string> Utf8ToUtf16(std::string_view text, ByteOrder order,
                                       std::size_t& badOffset);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsWellFormedUtf8(std::string_view text);

}  // namespace quorvane
