// The native side of the page's conversion row: the same conversion, as
// many times, through the same core function the page's "B" request calls.
#include "conversion/StardateArithmetic.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 200000;
    quorvane::EarthDateTexts t;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) t = quorvane::EarthDateFor("41153.7", {true, "100000", true});
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    std::printf("%.1f %s\n", took.count() / count, t.year.c_str());
    return 0;
}
