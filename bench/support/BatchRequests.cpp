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

}  // namespace quorvane::bench
