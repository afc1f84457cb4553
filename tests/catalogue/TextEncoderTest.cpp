// Writing Shift-JIS refuses every character that would not read back as
// itself, and says where the first one is.
#include "catalogue/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct EncodeCase {
    const char* name;
    std::string utf8;
    bool valid;
    std::string bytes;       // when valid
    std::size_t badOffset;   // when refused
};

class TextEncoderTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(TextEncoderTest, EncodesOrPointsAtTheFirstBadCharacter) {
    const EncodeCase& c = GetParam();
    TextEncoder encoder(TextEncoding::ShiftJis);
    std::string out;
    std::size_t badOffset = 12345;
    ASSERT_EQ(encoder.encode(c.utf8, out, badOffset), c.valid);
    if (c.valid) {
        EXPECT_EQ(out, c.bytes);
    } else {
        EXPECT_EQ(badOffset, c.badOffset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextEncoderTest,
    ::testing::Values(
        EncodeCase{"japanese_round_trips", "\xe3\x81\x82\xe2\x91\xa0\xef\xbd\xb1", true,
                   "\x82\xa0\x87\x40\xb1", 0},
        EncodeCase{"yen_sign_is_no_backslash", "a\xc2\xa5", false, "", 1},
        EncodeCase{"euro_sign_has_no_form", "ab\xe2\x82\xac\xe3\x81\x82", false, "", 2},
        EncodeCase{"umlaut_not_replaced_by_its_base_letter", "\xe3\x81\x82\xc3\x84", false, "", 3},
        EncodeCase{"ill_formed_utf8", "ab\xc0\xaf", false, "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
