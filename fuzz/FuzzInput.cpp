#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane::fuzz {

std::vector<std::string_view> Fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> fields;
    fields.reserve(count);
    while (fields.size() + 1 < count) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) break;
        fields.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    fields.push_back(rest);
    fields.resize(count);
    return fields;
}

bool Flag(std::string_view field) { return !field.empty() && field.front() == '1'; }

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text.substr(0, 200)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        }
    }
    if (text.size() > 200) out += "...";
    return out + "\"";
}

void Fail(const char* property, const std::string& detail) {
    std::fprintf(stderr, "\nProperty broken: %s\n  %s\n", property, detail.c_str());
    std::abort();
}

}  // namespace quorvane::fuzz
