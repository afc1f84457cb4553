// The WebAssembly build reads numbers through strtod, the native builds
// through from_chars: both must give every text the same double and the same
// verdict, or the page and the windows would disagree on a stardate.
#include "conversion/DecimalToDouble.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace quorvane {
// DecimalToDoubleStrtod.cpp, built into this test under this name.
DecimalValue DecimalToDoubleViaStrtod(std::string_view magnitude);
}  // namespace quorvane

namespace {

using quorvane::DecimalToDouble;
using quorvane::DecimalToDoubleViaStrtod;

void ExpectSame(const std::string& text) {
    const quorvane::DecimalValue a = DecimalToDouble(text);
    const quorvane::DecimalValue b = DecimalToDoubleViaStrtod(text);
    EXPECT_EQ(a.status, b.status) << text;
    EXPECT_EQ(std::memcmp(&a.value, &b.value, sizeof a.value), 0) << text;
}

TEST(DecimalToDoubleTest, BothReadersAgreeAtTheEdgesOfADouble) {
    for (const char* text : {"0", "5.", ".5", "41153.7", "0.1", "1e400", "1e-400", "4.9e-324",
                             "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-310",
                             "1.7976931348623157e308", "1.7976931348623159e308", "0e999999",
                             "9007199254740993", "123456789012345678901234567890.5"})
        ExpectSame(text);
    EXPECT_EQ(DecimalToDoubleViaStrtod("1e400").status, quorvane::DecimalStatus::OutOfRange);
    EXPECT_EQ(DecimalToDoubleViaStrtod("1e-400").status, quorvane::DecimalStatus::OutOfRange);
}

TEST(DecimalToDoubleTest, BothReadersAgreeOnGeneratedNumbers) {
    std::mt19937_64 random(30);
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int digits = 1 + static_cast<int>(random() % 24);
        for (int k = 0; k < digits; ++k) text += static_cast<char>('0' + random() % 10);
        if (random() % 2) text.insert(random() % (text.size() + 1), ".");
        if (random() % 3 == 0) text += (random() % 2 ? "e-" : "e") + std::to_string(random() % 700);
        ExpectSame(text);
    }
}

}  // namespace
