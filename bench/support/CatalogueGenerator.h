#pragma once
// A large, deterministic event catalogue for the benchmarks: unique titles
// with Japanese text, details, stardates and Earth dates, sources with the
// odd #NULL#, in the file's usual layout (Shift-JIS, CR LF).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane::bench {

// The catalogue as UTF-8 text: a header line and `records` record lines.
// Titles are unique, letter case aside, and their file order is not their
// sorted order. With `longItemBytes`, the first record's title, detail and
// source hold that many bytes of Japanese text each, far more than a window
// shows, and the title comes first in the list.
std::string GenerateCatalogueText(std::size_t records, std::size_t longItemBytes = 0);

// UTF-8 to Shift-JIS (code page 932) with the system's converter. Throws
// std::runtime_error when a character has no Shift-JIS form.
std::string EncodeShiftJis(std::string_view utf8);

// Shift-JIS to UTF-8 with the system's converter: what reading the bytes
// costs at the least. Throws std::runtime_error on bytes that do not decode.
std::string DecodeShiftJis(std::string_view shiftJis);

// The catalogue baseline: the file read and its Shift-JIS decoded to UTF-8,
// into buffers nothing else touches first. Throws std::runtime_error.
struct DecodedFile {
    std::unique_ptr<char[]> text;
    std::size_t size = 0;
};
DecodedFile ReadAndDecodeShiftJis(const std::string& path);

// GenerateCatalogueText, encoded.
std::string GenerateCatalogue(std::size_t records, std::size_t longItemBytes = 0);

// Writes `bytes` to `path`; throws std::runtime_error on failure.
void WriteFile(const std::string& path, std::string_view bytes);

// The whole file; throws std::runtime_error on failure.
std::string ReadFile(const std::string& path);

}  // namespace quorvane::bench
