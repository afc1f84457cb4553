// The reset wrap and the year window, for every stardate S, reset R and year:
// each call ends at once, and where the literal repetition is short enough to
// run, it gives the same result. Input: 8 bytes of a double S, 4 bytes of R,
// 4 bytes of a year (missing bytes read as zero).

#include "FuzzInput.h"
#include "conversion/StardateArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

using namespace quorvane;

namespace {

constexpr double kLiteralSteps = 0x1p23;

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = std::min(size, sizeof(T));
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

std::string Describe(double s, std::int32_t r) {
    char text[96];
    std::snprintf(text, sizeof text, "S=%a R=%d", s, r);
    return text;
}

void CheckWrap(double s, std::int32_t r) {
    const double wrapped = WrapStardate(s, r);
    const std::string context = Describe(s, r) + " gave " + std::to_string(wrapped);
    if (r <= 0 || !std::isfinite(s) || (s >= 0.0 && s <= r)) {
        FUZZ_CHECK(std::memcmp(&wrapped, &s, sizeof s) == 0, context);
        return;
    }
    // Left as it is only where the steps would stall.
    if (wrapped == s) {
        FUZZ_CHECK(std::fabs(s) >= 0x1p53, context);
        return;
    }
    if (s < 0.0) FUZZ_CHECK(wrapped > 0.0 && wrapped <= r, context);
    else FUZZ_CHECK(wrapped >= 0.0 && wrapped < r, context);

    if (std::fabs(s) / r < kLiteralSteps) {
        double literal = s;
        if (literal < 0.0) {
            while (literal <= 0.0) literal += r;
        } else {
            while (literal >= r) literal -= r;
        }
        FUZZ_CHECK(literal == wrapped, context + " literal " + std::to_string(literal));
    }
}

double RoundHalfEvenLiteral(double v) { return std::nearbyint(v); }  // FE_TONEAREST

void CheckWindow(std::int32_t year, std::int32_t r) {
    const std::int32_t moved = ApplyYearWindow(year, r);
    const std::string context =
        "year=" + std::to_string(year) + " R=" + std::to_string(r) + " gave " + std::to_string(moved);
    if (r <= 500 || (year >= 1990 && year <= 2010)) {
        FUZZ_CHECK(moved == year, context);
        return;
    }
    FUZZ_CHECK(moved >= 1990, context);
    const double step = r / 1000.0;
    if (std::fabs(year - 2000.0) / std::max(1.0, step - 0.5) < kLiteralSteps) {
        double y = year;
        if (y > 2010) {
            do y = RoundHalfEvenLiteral(y - step);
            while (y >= 2010);
        }
        if (y < 1990) {
            do y = RoundHalfEvenLiteral(y + step);
            while (y <= 1990);
        }
        FUZZ_CHECK(y == moved, context + " literal " + std::to_string(y));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const double s = Take<double>(data, size);
    const std::int32_t r = Take<std::int32_t>(data, size);
    const std::int32_t year = Take<std::int32_t>(data, size);
    CheckWrap(s, r);
    CheckWindow(year, r);
    return 0;
}
