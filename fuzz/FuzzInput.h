#pragma once
// Shared by the fuzz targets: cutting an input into the texts a window would
// hold, and failing loudly when a property does not hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::fuzz {

// The input cut at line feeds into exactly `count` texts: missing ones are
// empty and the last one keeps the rest, line feeds included. Seeds stay
// readable this way, one field per line.
std::vector<std::string_view> Fields(const std::uint8_t* data, std::size_t size, std::size_t count);

// A check box from its line: on when the line starts with "1".
bool Flag(std::string_view field);

// Printable form of a text for a failure report.
std::string Quoted(std::string_view text);

// Reports the broken property and aborts, so libFuzzer keeps the input.
[[noreturn]] void Fail(const char* property, const std::string& detail);

}  // namespace quorvane::fuzz

#define FUZZ_CHECK(condition, detail)                                        \
    do {                                                                     \
        if (!(condition)) ::quorvane::fuzz::Fail(#condition, (detail));      \
    } while (false)
