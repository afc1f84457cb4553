// Hostile catalogue files, loaded the way the user loads them: through the
// data list window beside a real main window, on the recording platform.
#include "HostileSupport.h"

#include "datalist/frmDataList.h"
#include "widgets/ShownText.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quorvane {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;

// Headings and titles in plain ASCII: the bytes are the same in Shift-JIS.
const std::string kHeader = "\"Event\",\"Detail\",\"Date\",\"Source\"\r\n";
const std::string kGoodA = "\"A\",\"a\",41153.7,\"s\"\r\n";
const std::string kGoodB = "\"B\",\"b\",#2063-04-05#,\"s\"\r\n";
const QString kMissingQuestion = QStringLiteral("StarTrek.vqd がありません。自分でさがしますか？");

// Forwards to the recording platform; the open dialog's file is deleted
// the moment the dialog hands it over, before the loader opens it.
class VanishingFilePlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const QString& text, const QString& caption,
                              MessageIcon icon, MessageButtons buttons) override {
        return recorder.showMessage(parent, text, caption, icon, buttons);
    }
    QDate today() const override { return recorder.today(); }
    QString programFolder() const override { return recorder.programFolder(); }
    QString showOpenDialog(QWidget* owner, const QList<FileFilter>& filters, const QString& folder,
                           const QString& name) override {
        const QString chosen = recorder.showOpenDialog(owner, filters, folder, name);
        QFile::remove(chosen);
        return chosen;
    }
    bool openUrl(const QUrl& url) override { return recorder.openUrl(url); }
    bool startDetached(const QString& program) override { return recorder.startDetached(program); }
    QString registryFile() const override { return recorder.registryFile(); }

    FakePlatform recorder;
};

class HostileCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        recorder().folder = folder.path();
        main = std::make_unique<frmMain>(*platform);
    }
    void TearDown() override {
        delete list.data();
        main.reset();
    }

    FakePlatform& recorder() { return platform->recorder; }
    QString catalogue() const { return folder.filePath(QStringLiteral("StarTrek.vqd")); }

    QString write(const QString& path, const std::string& bytes) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
        return path;
    }

    // Opens the data list window and closes it again, as the user would,
    // counting the files the process holds before and after.
    void openAndClose() {
        const int before = hostile::OpenFileDescriptors();
        list = new frmDataList(*platform, *main, main.get());
        shownTitles.clear();
        for (int i = 0; i < list->cmbTitle->count(); ++i) shownTitles << list->cmbTitle->itemText(i);
        caption = list->windowTitle();
        titleLabel = list->lblTitle->text();
        // Every title kept can still be chosen.
        for (int i = 0; i < list->cmbTitle->count(); ++i)
            QMetaObject::invokeMethod(list->cmbTitle, "activated", Q_ARG(int, i));
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(list.isNull());
        openAfter = hostile::OpenFileDescriptors() - before;
    }

    QStringList warnings() const {
        QStringList texts;
        for (const auto& m : platform->recorder.messages)
            if (m.icon == MessageIcon::Warning) texts << m.text;
        return texts;
    }

    QTemporaryDir folder;
    std::unique_ptr<VanishingFilePlatform> platform = std::make_unique<VanishingFilePlatform>();
    std::unique_ptr<frmMain> main;
    QPointer<frmDataList> list;

    QStringList shownTitles;
    QString caption;
    QString titleLabel;
    int openAfter = -1;
};

// ---- Broken content: one warning, the good records, nothing left open ----
// What each mistake costs is the reader's business (its broken-file table);
// here only what the window makes of a file that has some.

struct BrokenCase {
    const char* name;
    std::string bytes;
    QStringList kept;
};

class BrokenContent : public HostileCatalogue, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenContent, WarnsOnceKeepsTheGoodRecordsAndClosesTheFile) {
    write(catalogue(), GetParam().bytes);
    openAndClose();
    ASSERT_EQ(warnings().size(), 1) << warnings().join(u'|').toStdString();
    EXPECT_TRUE(warnings().first().startsWith(QStringLiteral("StarTrek.vqd ")));
    EXPECT_EQ(recorder().messages.first().caption, QStringLiteral("Quorvane"));
    EXPECT_EQ(shownTitles, GetParam().kept);
    EXPECT_EQ(caption, QStringLiteral("StarData - StarTrek.vqd"));
    EXPECT_EQ(openAfter, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenContent,
    ::testing::Values(
        BrokenCase{"empty_file", "", {}},
        BrokenCase{"mistakes_of_every_kind_between_good_records",
                   kHeader + kGoodA + "\r\n" + "\"X\",\"x,1,\"s\"\r\n" +
                       "\"X\",\"\0\0\",1,\"s\"\r\n"s + "\"X\x81\x20\",\"\xFF\xFE\",1,\"s\"\r\n" +
                       "\"X\",\"x\",#2063-13-45#,\"s\"\r\n\"X\",\"x\",#ERROR 7#,\"s\"\r\n" + kGoodB +
                       "\"C\",\"c\"",
                   {"A", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostileCatalogue, HeaderOfErrorValuesKeepsTheDefaultCaptions) {
    write(catalogue(), "#ERROR 1#,#ERROR 2#,#ERROR 3#,#ERROR 4#\r\n" + kGoodA);
    openAndClose();
    EXPECT_EQ(titleLabel, QStringLiteral("事象："));
    EXPECT_EQ(shownTitles, QStringList{"A"});
}

// ---- Sizes ------------------------------------------------------------------------

TEST_F(HostileCatalogue, SingleTenMegabyteItemIsRefusedWithoutAHang) {
    write(catalogue(), "\"" + std::string(10u << 20, 'x') + "\"");
    openAndClose();
    EXPECT_EQ(warnings().size(), 1);
    EXPECT_TRUE(shownTitles.isEmpty());
    EXPECT_EQ(openAfter, 0);
}

TEST_F(HostileCatalogue, TenMegabyteDetailArrivesWhole) {
    const std::string detail(10u << 20, 'd');
    write(catalogue(), kHeader + "\"Long\",\"" + detail + "\",41000,\"s\"\r\n");
    list = new frmDataList(*platform, *main, main.get());
    EXPECT_TRUE(warnings().isEmpty());
    ASSERT_EQ(list->cmbTitle->count(), 1);
    // Whole in the record; the box shows as much as it can.
    ASSERT_NE(list->currentRecord(), nullptr);
    EXPECT_EQ(list->currentRecord()->Detail().size(), detail.size());
    const QString shown = list->txtDetail->toPlainText();
    EXPECT_LE(shown.size(), quorvane::kShownBoxLength);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("dddd")));
    EXPECT_EQ(Ui(main).txtStarDate->text(), QStringLiteral("41000"));
}

TEST_F(HostileCatalogue, HundredThousandRecordsWithOneTitleKeepTheFirst) {
    std::string bytes = kHeader;
    for (int i = 0; i < 100000; ++i) bytes += "\"Same\",\"" + std::to_string(i) + "\",1,\"s\"\r\n";
    write(catalogue(), bytes);
    list = new frmDataList(*platform, *main, main.get());
    ASSERT_EQ(warnings().size(), 1);
    EXPECT_TRUE(warnings().first().endsWith(QStringLiteral("99999 件")));
    ASSERT_EQ(list->cmbTitle->count(), 1);
    EXPECT_EQ(list->txtDetail->toPlainText(), QStringLiteral("0"));
}

// ---- Files that cannot be read ------------------------------------------------------

TEST_F(HostileCatalogue, FolderInPlaceOfTheFileCountsAsMissing) {
    ASSERT_TRUE(QDir().mkpath(catalogue()));
    recorder().messageAnswers.enqueue(MessageAnswer::No);
    openAndClose();
    ASSERT_EQ(recorder().messages.size(), 1);
    EXPECT_EQ(recorder().messages.first().text, kMissingQuestion);
    EXPECT_EQ(caption, QStringLiteral("StarData - Nothing"));
    EXPECT_TRUE(shownTitles.isEmpty());
    EXPECT_EQ(openAfter, 0);
}

TEST_F(HostileCatalogue, FileWithoutReadPermissionIsAskedForThenReportedUnreadable) {
    if (!hostile::kModeBits) GTEST_SKIP() << hostile::kNoModeBits;
    write(catalogue(), kHeader + kGoodA);
    hostile::OpenToEveryone(folder.path());
    ASSERT_TRUE(QFile::setPermissions(catalogue(), {}));
    recorder().messageAnswers.enqueue(MessageAnswer::Yes);
    recorder().dialogAnswers.enqueue(catalogue());
    {
        hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
        openAndClose();
    }
    ASSERT_EQ(recorder().messages.size(), 2);
    EXPECT_EQ(recorder().messages[0].text, kMissingQuestion);
    EXPECT_EQ(recorder().messages[1].text, QStringLiteral("StarTrek.vqd を読み込めません。"));
    EXPECT_EQ(recorder().messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(caption, QStringLiteral("StarData - Nothing"));
    EXPECT_TRUE(shownTitles.isEmpty());
    EXPECT_EQ(openAfter, 0);
}

TEST_F(HostileCatalogue, FileDeletedBetweenTheChoiceAndTheOpenIsReportedMissing) {
    QTemporaryDir elsewhere;
    const QString chosen = write(elsewhere.filePath(QStringLiteral("events.vqd")), kHeader + kGoodA);
    recorder().messageAnswers.enqueue(MessageAnswer::Yes);
    recorder().dialogAnswers.enqueue(chosen);
    openAndClose();
    ASSERT_EQ(recorder().messages.size(), 2);
    EXPECT_EQ(recorder().messages[1].text, QStringLiteral("events.vqd が見つかりません。"));
    EXPECT_EQ(caption, QStringLiteral("StarData - Nothing"));
    EXPECT_TRUE(shownTitles.isEmpty());
    EXPECT_EQ(openAfter, 0);
}

}  // namespace
}  // namespace quorvane
