// The batch baseline: the least a line-by-line converter does. For each
// request line it reads the first number after the command word with
// std::from_chars and writes one result with std::to_chars, through the
// same 64 KiB buffers the real one uses.

#include <unistd.h>

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void Answer(const char* begin, const char* end, std::string& out) {
    const char* space = static_cast<const char*>(std::memchr(begin, ' ', end - begin));
    double value = 0;
    if (space) std::from_chars(space + 1, end, value);
    char number[32];
    const auto result = std::to_chars(number, number + sizeof number, value,
                                      std::chars_format::fixed, 1);
    out.append(number, result.ptr);
    out += '\n';
}

}  // namespace

int main() {
    std::vector<char> input(2 * kBufferSize);
    std::size_t filled = 0;
    std::string out;
    out.reserve(2 * kBufferSize);
    while (true) {
        const ssize_t got = read(0, input.data() + filled, input.size() - filled);
        if (got < 0) return 1;
        filled += static_cast<std::size_t>(got);
        const char* begin = input.data();
        const char* end = begin + filled;
        while (const char* newline = static_cast<const char*>(std::memchr(begin, '\n', end - begin))) {
            Answer(begin, newline, out);
            begin = newline + 1;
        }
        if (got == 0) {
            if (begin != end) Answer(begin, end, out);
            return WriteAll(1, out.data(), out.size()) ? 0 : 1;
        }
        if (out.size() >= kBufferSize) {
            if (!WriteAll(1, out.data(), out.size())) return 1;
            out.clear();
        }
        filled = static_cast<std::size_t>(end - begin);
        std::memmove(input.data(), begin, filled);
        if (filled == input.size()) input.resize(input.size() * 2);
    }
}
