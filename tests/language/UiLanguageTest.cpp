#include "language/UiLanguage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quorvane {
namespace {

struct FaceCase {
    const char* name;
    std::map<std::string, std::string> environment;
    const char* setting;
    UiLanguage face;
};

class FaceChoiceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceChoiceTest, FollowsTheSettingThenThePosixEnvironment) {
    const FaceCase& c = GetParam();
    const auto getenv = [&](const char* name) -> const char* {
        const auto found = c.environment.find(name);
        return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(ChooseUiLanguage(c.setting, PosixPreferredLanguages(getenv)), c.face);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, FaceChoiceTest,
    ::testing::Values(
        FaceCase{"japanese_desktop_is_japanese", {{"LANG", "ja_JP.UTF-8"}}, "", *UiLanguage::FromCode("ja")},
        FaceCase{"c_locale_is_the_original_japanese", {{"LANG", "C.UTF-8"}}, "", *UiLanguage::FromCode("ja")},
        FaceCase{"nothing_set_is_japanese", {}, "", *UiLanguage::FromCode("ja")},
        FaceCase{"english_desktop_is_english", {{"LANG", "en_US.UTF-8"}}, "", *UiLanguage::FromCode("en")},
        FaceCase{"german_desktop_is_german", {{"LANG", "de_AT.UTF-8"}}, "", *UiLanguage::FromCode("de")},
        FaceCase{"french_desktop_reads_english", {{"LANG", "fr_FR.UTF-8"}}, "", *UiLanguage::FromCode("en")},
        FaceCase{"setting_names_the_pseudo_face", {{"LANG", "ja_JP.UTF-8"}}, "qps-ploc",
                 *UiLanguage::FromCode("qps-ploc")},
        FaceCase{"language_list_puts_japanese_first",
                 {{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}, "", *UiLanguage::FromCode("ja")},
        FaceCase{"language_list_is_ignored_under_the_c_locale",
                 {{"LANGUAGE", "de:en"}, {"LANG", "C"}}, "", *UiLanguage::FromCode("ja")},
        FaceCase{"lc_all_wins_over_lang", {{"LC_ALL", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "",
                 *UiLanguage::FromCode("ja")},
        FaceCase{"lc_messages_wins_over_lang", {{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "ja_JP.UTF-8"}},
                 "", *UiLanguage::FromCode("en")},
        FaceCase{"setting_english_overrides_a_japanese_desktop", {{"LANG", "ja_JP.UTF-8"}}, "en",
                 *UiLanguage::FromCode("en")},
        FaceCase{"setting_japanese_overrides_an_english_desktop", {{"LANG", "en_GB.UTF-8"}}, "ja",
                 *UiLanguage::FromCode("ja")},
        FaceCase{"unknown_setting_follows_the_system", {{"LANG", "en_GB.UTF-8"}}, "klingon",
                 *UiLanguage::FromCode("en")},
        // Only the words the option stores choose a face, as README says.
        FaceCase{"setting_in_capitals_follows_the_system", {{"LANG", "ja_JP.UTF-8"}}, "EN",
                 *UiLanguage::FromCode("ja")},
        FaceCase{"setting_with_a_region_follows_the_system", {{"LANG", "ja_JP.UTF-8"}}, "en_US",
                 *UiLanguage::FromCode("ja")},
        FaceCase{"setting_as_a_language_tag_follows_the_system", {{"LANG", "en_US.UTF-8"}}, "ja-JP",
                 *UiLanguage::FromCode("en")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaceChoiceTest, TakesTheFirstPreferredUiLanguageOfAnyPlatform) {
    EXPECT_EQ(LanguageForPreferences({"ja-JP", "en-US"}), *UiLanguage::FromCode("ja"));
    EXPECT_EQ(LanguageForPreferences({"en-US", "ja-JP"}), *UiLanguage::FromCode("en"));
    EXPECT_EQ(LanguageForPreferences({}), *UiLanguage::FromCode("ja"));
    EXPECT_EQ(LanguageForPreferences({"de-CH", "ja-JP"}), *UiLanguage::FromCode("de"));
}

// The list's language part never picks a pseudo face: "qps" is no language.
TEST(FaceChoiceTest, PseudoFaceIsChosenOnlyByItsWholeCode) {
    EXPECT_EQ(LanguageForPreferences({"qps-ploca"}), UiLanguage::Fallback());
    EXPECT_FALSE(LanguageFromSetting("qps"));
}

}  // namespace
}  // namespace quorvane
