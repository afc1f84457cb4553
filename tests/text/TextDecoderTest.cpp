// The catalogue's decoder keeps the same rules on every platform, whichever
// converter of the system sits underneath.
#include "text/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct DecodeCase {
    const char* name;
    TextEncoding encoding;
    std::string bytes;
    bool valid;
    std::string utf8;  // when valid
};

class TextDecoderTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(TextDecoderTest, DecodesOrRefuses) {
    const DecodeCase& c = GetParam();
    TextDecoder decoder(c.encoding);
    std::string out;
    ASSERT_EQ(decoder.decode(c.bytes, out), c.valid);
    if (c.valid) {
        EXPECT_EQ(out, c.utf8);
    }
    // A refused text leaves the decoder as good as new.
    ASSERT_TRUE(decoder.decode("\x82\xa0", out) || c.encoding == TextEncoding::Utf8);
}

constexpr auto SJ = TextEncoding::ShiftJis;
constexpr auto U8 = TextEncoding::Utf8;

INSTANTIATE_TEST_SUITE_P(
    Rules, TextDecoderTest,
    ::testing::Values(
        DecodeCase{"ascii_backslash_and_tilde_unchanged", SJ, "a\\~", true, "a\\~"},
        DecodeCase{"hiragana", SJ, "\x82\xa0", true, "\xe3\x81\x82"},
        DecodeCase{"half_width_katakana", SJ, "\xb1", true, "\xef\xbd\xb1"},
        DecodeCase{"nec_circled_digit", SJ, "\x87\x40", true, "\xe2\x91\xa0"},
        DecodeCase{"ibm_small_roman_numeral", SJ, "\xfa\x40", true, "\xe2\x85\xb0"},
        DecodeCase{"user_defined_area_is_private_use", SJ, "\xf0\x40", true, "\xee\x80\x80"},
        DecodeCase{"lead_byte_cut_off_at_the_end", SJ, "a\x82", false, ""},
        DecodeCase{"lead_byte_before_a_blank", SJ, "\x81\x20", false, ""},
        DecodeCase{"unassigned_row", SJ, "\x85\x40", false, ""},
        DecodeCase{"unassigned_trail_in_used_row", SJ, "\x81\x7f", false, ""},
        DecodeCase{"byte_0x80_alone", SJ, "a\x80", false, ""},
        DecodeCase{"byte_0xa0_alone", SJ, "\xa0", false, ""},
        DecodeCase{"byte_0xfd_alone", SJ, "\xfd", false, ""},
        DecodeCase{"utf8_two_and_four_byte_characters", U8, "\xc3\xa9\xf0\x9f\x98\x80", true,
                   "\xc3\xa9\xf0\x9f\x98\x80"},
        DecodeCase{"utf8_overlong_slash", U8, "\xc0\xaf", false, ""},
        DecodeCase{"utf8_surrogate_half", U8, "\xed\xa0\x80", false, ""},
        DecodeCase{"utf8_cut_short", U8, "a\xe3\x81", false, ""},
        DecodeCase{"utf8_read_as_shift_jis", SJ, "\xe3\x81\x82", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
