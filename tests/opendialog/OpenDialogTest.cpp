// The open-file dialog's filter text and its way through the platform.
#include "opendialog/OpenDialog.h"

#include "services/RealPlatform.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

QString Nul() { return QString(QChar(u'\0')); }

TEST(OpenDialogTest, SplitsTheFilterTextIntoItsPairs) {
    const QString text = "ﾃｷｽﾄﾌｧｲﾙ(*.txt)" + Nul() + "*.txt" + Nul() + "すべてのﾌｧｲﾙ(*.*)" + Nul() +
                         "*.*" + Nul();
    EXPECT_EQ(ParseFilterPairs(text),
              (QList<FileFilter>{{"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"}, {"すべてのﾌｧｲﾙ(*.*)", "*.*"}}));
}

TEST(OpenDialogTest, DropsAnUnpairedLastItemAndCopesWithNoFilter) {
    EXPECT_EQ(ParseFilterPairs("Text" + Nul() + "*.txt" + Nul() + "All" + Nul()),
              (QList<FileFilter>{{"Text", "*.txt"}}));
    EXPECT_TRUE(ParseFilterPairs(QString()).isEmpty());
    // A filter text that lost its final NUL still gives its last pair.
    EXPECT_EQ(ParseFilterPairs("Text" + Nul() + "*.txt"), (QList<FileFilter>{{"Text", "*.txt"}}));
}

TEST(OpenDialogTest, PassesEverythingToThePlatformAndReturnsItsAnswer) {
    testing::FakePlatform platform;
    const QString longPath = "/" + QString(300, u'd') + "/StarTrek.vqd";
    platform.dialogAnswers.enqueue(longPath);
    const QString chosen = ShowOpenDialog(platform, nullptr, "DB" + Nul() + "*.vqd" + Nul(),
                                          "/opt/quorvane", "StarTrek.vqd");
    EXPECT_EQ(chosen, longPath);  // long paths come back whole
    ASSERT_EQ(platform.dialogs.size(), 1);
    EXPECT_EQ(platform.dialogs[0].filters, (QList<FileFilter>{{"DB", "*.vqd"}}));
    EXPECT_EQ(platform.dialogs[0].initialFolder, "/opt/quorvane");
    EXPECT_EQ(platform.dialogs[0].initialFileName, "StarTrek.vqd");
}

TEST(OpenDialogTest, CancelGivesEmptyText) {
    testing::FakePlatform platform;  // no answer queued: the user cancels
    EXPECT_EQ(ShowOpenDialog(platform, nullptr, "DB" + Nul() + "*.vqd" + Nul(), "/", "x"), "");
}

TEST(OpenDialogTest, AllFilesFilterShowsNamesWithoutADot) {
    // The patterns the dialog filters by, read as Qt reads them: from the
    // parentheses that end the filter.
    const auto patterns = [](const FileFilter& filter) {
        const auto match =
            QRegularExpression(QStringLiteral("\\(([^()]*)\\)$")).match(DialogNameFilter(filter));
        return match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    };
    const FileFilter all{"すべてのﾌｧｲﾙ(*.*)", "*.*"};
    EXPECT_TRUE(DialogNameFilter(all).startsWith(all.description));
    for (const char* name : {"README", "StarTrek.vqd", ".hidden"})
        EXPECT_TRUE(QDir::match(patterns(all), name)) << name;
    EXPECT_FALSE(QDir::match(patterns({"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"}), "README"));
}

}  // namespace
}  // namespace quorvane
