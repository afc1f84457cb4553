#pragma once
// Reads one value of the Windows registry as text, for the about window's
// look-up of the system-information tool.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvane::win32 {

// Root keys as the 32-bit values callers pass.
inline constexpr std::int32_t kLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::int32_t kCurrentUser = static_cast<std::int32_t>(0x80000001u);

// A value is read into a buffer of this many bytes, or this many characters
// for text, so that every text an ANSI reader could read still fits. A
// longer value is not read.
inline constexpr std::size_t kRegistryValueBufferSize = 1024;

// A text that fills the whole buffer with no NUL in it has no end to cut at.
class RegistryValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal` (UTF-8).
// The key is opened for reading only, so a user without administrator
// rights can read it, and it is closed before the function returns.
// False, with `KeyVal` emptied, when the key cannot be opened or the value is
// missing or too long. True otherwise: REG_SZ gives the text up to its first
// NUL, REG_DWORD "&h" and the value's bytes in hex from the last to the first
// ("&h00000010"), and any other type leaves `KeyVal` as it was.
bool GetKeyValue(const std::int32_t& KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

}  // namespace quorvane::win32
