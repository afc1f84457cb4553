// The catalogue's text codec: what a catalogue writer may put into a file,
// and that what it writes reads back the same.
#include "text/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(TextEncoderTest, JapaneseTextRoundTripsThroughTheDecoder) {
    const std::string text = "ファーポイント ﾃﾞｰﾀ ①Ⅱ㈱ ～ C:\\Data, 41153.7";
    TextEncoder encoder(TextEncoding::ShiftJis);
    std::string encoded;
    std::size_t bad = 99;
    ASSERT_TRUE(encoder.encode(text, encoded, bad));
    EXPECT_EQ(encoded.substr(0, 2), "\x83\x74");  // フ in code page 932

    TextDecoder decoder(TextEncoding::ShiftJis);
    std::string decoded;
    ASSERT_TRUE(decoder.decode(encoded, decoded));
    EXPECT_EQ(decoded, text);
}

struct RefusedCase {
    const char* name;
    std::string utf8;
    std::size_t badOffset;
};

class TextEncoderRefusal : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(TextEncoderRefusal, RefusesAndNamesTheFirstBadCharacter) {
    TextEncoder encoder(TextEncoding::ShiftJis);
    std::string out;
    std::size_t bad = 99;
    EXPECT_FALSE(encoder.encode(GetParam().utf8, out, bad));
    EXPECT_EQ(bad, GetParam().badOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextEncoderRefusal,
    ::testing::Values(
        RefusedCase{"emoji_after_japanese_text", "星暦🖖です", 6},
        // The converter maps these one way only: a file would read back a
        // full-width tilde and a backslash.
        RefusedCase{"wave_dash_that_would_come_back_as_a_tilde", "AB\xE3\x80\x9C", 2},
        RefusedCase{"yen_sign_that_would_come_back_as_a_backslash", "\xC2\xA5" "100", 0},
        RefusedCase{"truncated_character", "ab\xE6\x98", 2},
        RefusedCase{"encoded_surrogate", "x\xED\xA0\x80", 1},
        RefusedCase{"overlong_slash", "\xC0\xAF", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextEncoderTest, Utf8TargetPassesValidTextAndRefusesInvalid) {
    TextEncoder encoder(TextEncoding::Utf8);
    std::string out;
    std::size_t bad = 99;
    ASSERT_TRUE(encoder.encode("星暦🖖", out, bad));
    EXPECT_EQ(out, "星暦🖖");
    EXPECT_FALSE(encoder.encode("ok\xFF", out, bad));
    EXPECT_EQ(bad, 2u);
}

}  // namespace
}  // namespace quorvane
