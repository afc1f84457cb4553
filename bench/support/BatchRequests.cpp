#include "bench/support/BatchRequests.h"

#include <cstdint>

namespace quorvane::bench {

std::string GenerateBatchRequests(std::size_t count) {
    std::string requests;
    requests.reserve(count * 16);
    std::uint32_t state = 12345;
    const auto next = [&state](std::uint32_t below) {
        state = state * 1664525u + 1013904223u;  // a plain LCG is plenty here
        return (state >> 8) % below;
    };
    for (std::size_t i = 0; i < count; ++i) {
        switch (i % 3) {
            case 0: {
                const std::uint32_t tenths = next(1'000'000);
                requests += "sd " + std::to_string(tenths / 10) + '.' +
                            static_cast<char>('0' + tenths % 10);
                break;
            }
            case 1:
                requests += "md " + std::to_string(1900 + next(600)) + ' ' +
                            std::to_string(1 + next(12)) + ' ' + std::to_string(1 + next(28));
                break;
            default:
                requests += "yd " + std::to_string(1900 + next(600)) + ' ' +
                            std::to_string(1 + next(365));
                break;
        }
        requests += '\n';
    }
    return requests;
}

std::vector<std::string> ArgumentValuesFor(std::string_view requests) {
    std::vector<std::string> values;
    while (!requests.empty()) {
        const auto end = requests.find('\n');
        const std::string_view line = requests.substr(0, end);
        requests.remove_prefix(end == std::string_view::npos ? requests.size() : end + 1);
        if (line.size() < 3) continue;
        std::string value(line.substr(3));
        const char separator = line.starts_with("md") ? '-' : line.starts_with("yd") ? ':' : ' ';
        for (char& c : value)
            if (c == ' ') c = separator;
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace quorvane::bench
