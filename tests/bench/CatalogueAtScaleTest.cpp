// The reader's shortcuts for large catalogues must give what the plain
// rules give: duplicates found by folded title wherever they fall, the list
// order of folded titles with ties in file order, and a source taken over
// exactly as it would be copied.

#include "catalogue/CatalogueReader.h"
#include "catalogue/TaggedValue.h"
#include "catalogue/clsStarData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace {

using quorvane::CatalogueProblem;
using quorvane::CatalogueProblemKind;
using quorvane::TaggedValue;

// A UTF-8 catalogue of tiny records: more records than its size suggests,
// so the title index must grow while it reads.
std::string TinyRecords(const std::vector<std::string>& titles) {
    std::string text = "\xEF\xBB\xBF" "T,D,S,Q\r\n";
    for (const std::string& title : titles) text += "\"" + title + "\",d,1,s\r\n";
    return text;
}

TEST(CatalogueAtScaleTest, DuplicatesAreFoundAfterTheTitleIndexGrows) {
    const std::map<int, std::string> named = {
        {3, "Data"},
        {7, "Ωμέγα"},
        {11, "ｑ"},           // full-width
        {15'000, "DATA"},     // letter case aside, the title of record 4
        {15'001, "ωμέγα"},   // Greek folds too
        {19'998, "Ｑ"},       // full-width Latin folds too
        {19'999, "q"},        // half-width stays apart from full-width
    };
    std::vector<std::string> titles;
    for (int i = 0; i < 20'000; ++i) {
        char numbered[16];
        std::snprintf(numbered, sizeof numbered, "t%d", i);
        const auto found = named.find(i);
        titles.push_back(found != named.end() ? found->second : std::string(numbered));
    }

    const quorvane::CatalogueContent content = quorvane::ParseCatalogue(TinyRecords(titles));

    // The header is line 1, so record i sits on line i + 2.
    const std::vector<CatalogueProblem> expected = {
        {15'002, CatalogueProblemKind::DuplicateTitle},
        {15'003, CatalogueProblemKind::DuplicateTitle},
        {20'000, CatalogueProblemKind::DuplicateTitle}};
    EXPECT_EQ(content.problems, expected);
    EXPECT_EQ(content.skippedRecords, 3u);
    ASSERT_EQ(content.records.size(), 20'000u - 3);
    EXPECT_EQ(content.records.back().Title(), "q");
}

TEST(CatalogueAtScaleTest, ListOrderIsFoldedTitleThenFileOrder) {
    std::vector<clsStarData> records;
    for (const char* title : {"beta", "Alpha", "宇宙", "ALPHA", "Ｂ", "alpha", "", "ｂ", "ÉCLAIR",
                              "éclair", "Zeta", "ｳﾁｭｳ", "Beta"}) {
        records.emplace_back();
        records.back().Title(title);
    }
    // The plain rule, written out: sort by the folded title, ties by index.
    std::vector<std::size_t> reference(records.size());
    std::iota(reference.begin(), reference.end(), 0);
    std::stable_sort(reference.begin(), reference.end(), [&](std::size_t a, std::size_t b) {
        return quorvane::FoldTitle(records[a].Title()) < quorvane::FoldTitle(records[b].Title());
    });
    EXPECT_EQ(quorvane::TitleOrder(records), reference);
}

TEST(StarDataSourceTest, TakingOverASourceGivesWhatCopyingGives) {
    const TaggedValue values[] = {TaggedValue::Text("新スタートレック 第1話"), TaggedValue::Text(""),
                                  TaggedValue::Null(), TaggedValue::Number(41153.7),
                                  TaggedValue::Boolean(true), TaggedValue()};
    for (const TaggedValue& value : values) {
        clsStarData copied, taken;
        copied.Source(value);
        TaggedValue moved = value;
        taken.Source(std::move(moved));
        EXPECT_EQ(taken.Source().text(), copied.Source().text()) << copied.Source().text();
    }
}

TEST(StarDataSourceTest, AnErrorValueLeavesTheSourceAsItWas) {
    clsStarData record;
    record.Source(TaggedValue::Text("元の出典"));
    EXPECT_THROW(record.Source(TaggedValue::Error(5)), quorvane::ConversionError);
    EXPECT_EQ(record.Source().text(), "元の出典");
}

}  // namespace
