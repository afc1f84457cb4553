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
        FaceCase{"japanese_desktop_is_japanese", {{"LANG", "ja_JP.UTF-8"}}, "", UiLanguage::Japanese},
        FaceCase{"c_locale_is_the_original_japanese", {{"LANG", "C.UTF-8"}}, "", UiLanguage::Japanese},
        FaceCase{"nothing_set_is_japanese", {}, "", UiLanguage::Japanese},
        FaceCase{"english_desktop_is_english", {{"LANG", "en_US.UTF-8"}}, "", UiLanguage::English},
        FaceCase{"german_desktop_reads_english", {{"LANG", "de_DE.UTF-8"}}, "", UiLanguage::English},
        FaceCase{"language_list_puts_japanese_first",
                 {{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}, "", UiLanguage::Japanese},
        FaceCase{"language_list_is_ignored_under_the_c_locale",
                 {{"LANGUAGE", "de:en"}, {"LANG", "C"}}, "", UiLanguage::Japanese},
        FaceCase{"lc_all_wins_over_lang", {{"LC_ALL", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "",
                 UiLanguage::Japanese},
        FaceCase{"lc_messages_wins_over_lang", {{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "ja_JP.UTF-8"}},
                 "", UiLanguage::English},
        FaceCase{"setting_english_overrides_a_japanese_desktop", {{"LANG", "ja_JP.UTF-8"}}, "en",
                 UiLanguage::English},
        FaceCase{"setting_japanese_overrides_an_english_desktop", {{"LANG", "en_GB.UTF-8"}}, "ja",
                 UiLanguage::Japanese},
        FaceCase{"unknown_setting_follows_the_system", {{"LANG", "en_GB.UTF-8"}}, "klingon",
                 UiLanguage::English},
        // Only the words the option stores choose a face, as README says.
        FaceCase{"setting_in_capitals_follows_the_system", {{"LANG", "ja_JP.UTF-8"}}, "EN",
                 UiLanguage::Japanese},
        FaceCase{"setting_with_a_region_follows_the_system", {{"LANG", "ja_JP.UTF-8"}}, "en_US",
                 UiLanguage::Japanese},
        FaceCase{"setting_as_a_language_tag_follows_the_system", {{"LANG", "en_US.UTF-8"}}, "ja-JP",
                 UiLanguage::English}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FaceChoiceTest, TakesTheFirstPreferredUiLanguageOfAnyPlatform) {
    EXPECT_EQ(LanguageForPreferences({"ja-JP", "en-US"}), UiLanguage::Japanese);
    EXPECT_EQ(LanguageForPreferences({"en-US", "ja-JP"}), UiLanguage::English);
    EXPECT_EQ(LanguageForPreferences({}), UiLanguage::Japanese);
}

}  // namespace
}  // namespace quorvane
