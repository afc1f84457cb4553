// The data list window beside a real main window, on the recording platform,
// with catalogues in a temporary program folder.
#include "datalist/frmDataList.h"
#include "support/TestApplication.h"

#include "catalogue/CatalogueReader.h"
#include "conversion/StardateArithmetic.h"
#include "widgets/Twips.h"
#include "widgets/ShownText.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/CatalogueFile.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// 2063-04-05 with the window's default reset wrap of 100000: 260 years
// before stardate 0, wrapped up into the reset range.
const QString kFirstContactStardate = QStringLiteral("40257.5");


using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;
using quorvane::testing::ToShiftJis;
using quorvane::testing::WriteCatalogue;
using quorvane::testing::WriteTestFile;

class DataListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programFolder.isValid());
        platform.folder = programFolder.path();
        main = std::make_unique<frmMain>(platform);
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    void TearDown() override {
        delete list.data();
        main.reset();
    }

    QString writeCatalogue(const std::string& utf8Lines) const {
        return WriteCatalogue(programFolder.filePath(QStringLiteral("StarTrek.vqd")), utf8Lines);
    }

    frmDataList* open() {
        list = new frmDataList(platform, *main, main.get());
        return list;
    }

    QStringList titles() const {
        QStringList result;
        for (int i = 0; i < list->cmbTitle->count(); ++i) result << list->cmbTitle->itemText(i);
        return result;
    }

    // The next control the Tab key reaches in the data list window.
    QWidget* nextTabStop(QWidget* from) const {
        for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
            if (w->parentWidget() == list && (w->focusPolicy() & Qt::TabFocus)) return w;
        }
        return nullptr;
    }

    void selectWithKeyboard(int index) {
        list->show();
        list->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(list.data()));
        list->cmbTitle->setFocus();
        while (list->cmbTitle->currentIndex() < index) QTest::keyClick(list->cmbTitle, Qt::Key_Down);
        while (list->cmbTitle->currentIndex() > index) QTest::keyClick(list->cmbTitle, Qt::Key_Up);
    }

    QTemporaryDir programFolder;
    quorvane::testing::FakePlatform platform;
    std::unique_ptr<frmMain> main;
    QPointer<frmDataList> list;
};

// ------------------------------------------------------------ the window

TEST_F(DataListTest, IsASmallFixedToolWindowWithTheDesignedControls) {
    if (!quorvane::testing::kDesignFonts) GTEST_SKIP() << quorvane::testing::kOtherFonts;
    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n");
    open();
    EXPECT_EQ(list->objectName(), "frmDataList");
    EXPECT_EQ(list->windowType(), Qt::Tool);
    EXPECT_FALSE(list->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(list->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(list->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(list->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(list->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(list->parentWidget(), nullptr);  // not owned by the main window

    const QSize client(quorvane::TwipsToPixels(3690, list), quorvane::TwipsToPixels(2055, list));
    EXPECT_EQ(list->minimumSize(), client);
    EXPECT_EQ(list->maximumSize(), client);

    EXPECT_EQ(list->cmbTitle->geometry(), quorvane::TwipsRect(960, 120, 2655, 300, list));
    EXPECT_EQ(list->lblTitle->geometry(), quorvane::TwipsRect(0, 120, 855, 255, list));
    EXPECT_EQ(list->lblDetail->geometry(), quorvane::TwipsRect(0, 1080, 855, 255, list));
    EXPECT_EQ(list->txtDetail->geometry(), quorvane::TwipsRect(960, 720, 2655, 855, list));
    EXPECT_EQ(list->lblSource->geometry(), quorvane::TwipsRect(0, 1680, 855, 255, list));
    EXPECT_EQ(list->txtSource->geometry(), quorvane::TwipsRect(960, 1680, 2655, 270, list));
    EXPECT_TRUE(list->lblTitle->alignment() & Qt::AlignHCenter);

    EXPECT_FALSE(list->cmbTitle->isEditable());
    EXPECT_EQ(list->txtDetail->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(nextTabStop(list->cmbTitle), list->txtDetail);
    EXPECT_EQ(nextTabStop(list->txtDetail), list->txtSource);
    auto* view = qobject_cast<QListView*>(list->cmbTitle->view());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->uniformItemSizes());
}

TEST_F(DataListTest, ListsTitlesSortedAndSelectsTheFirst) {
    writeCatalogue("\"gamma\",\"g\",3,\"s\"\r\n\"Alpha\",\"a\",41000,\"TNG\"\r\n\"beta\",\"b\",2,\"s\"\r\n");
    open();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(titles(), (QStringList{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(list->cmbTitle->currentIndex(), 0);
    EXPECT_EQ(list->windowTitle(), "StarData - StarTrek.vqd");
    EXPECT_EQ(list->recordCount(), 3);
    ASSERT_NE(list->currentRecord(), nullptr);
    EXPECT_EQ(list->currentRecord()->Title(), "Alpha");
    EXPECT_EQ(list->txtDetail->toPlainText(), "a");
    EXPECT_EQ(list->txtSource->text(), "TNG");
    // The first event's date is in the main window before the list is shown.
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Ui(main).txtStarDate->text(), "41000");
}

TEST_F(DataListTest, TitleListDropsDownBelowTheBox) {
    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n\"B\",\"b\",2,\"s\"\r\n\"C\",\"c\",3,\"s\"\r\n");
    open();
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.data()));
    list->cmbTitle->showPopup();
    QWidget* popup = list->cmbTitle->view()->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    const QPoint boxBottom = list->cmbTitle->mapToGlobal(QPoint(0, list->cmbTitle->height()));
    EXPECT_GE(popup->geometry().top(), boxBottom.y() - 1);
    list->cmbTitle->hidePopup();
}

TEST_F(DataListTest, HeadingsBecomeTheLabelCaptions) {
    WriteTestFile(programFolder.filePath("StarTrek.vqd"),
              ToShiftJis("\"<b>Event</b>\",\"About\",\"When\",\r\n\"A\",\"a\",1,\"s\"\r\n"));
    open();
    EXPECT_EQ(list->lblTitle->text(), "<b>Event</b>：");
    EXPECT_EQ(list->lblTitle->textFormat(), Qt::PlainText);  // shown as written
    EXPECT_EQ(list->lblDetail->text(), "About：");
    EXPECT_EQ(list->lblSource->text(), "：");
}

TEST_F(DataListTest, OnlyANullSourceShowsNothingAnEmptyOneShowsEmpty) {
    writeCatalogue("\"A\",\"a\",1,#NULL#\r\n\"B\",\"b\",2,\"\"\r\n\"C\",\"c\",3,\r\n");
    open();
    ASSERT_EQ(titles(), (QStringList{"A", "B", "C"}));
    const QString shown[] = {"Nothing", "", ""};
    for (int i = 0; i < 3; ++i) {
        list->cmbTitle->setCurrentIndex(i);
        list->cmbTitle->activated(i);
        EXPECT_EQ(list->txtSource->text(), shown[i]) << i;
        EXPECT_EQ(list->currentRecord()->Source().text(), shown[i].toStdString()) << i;
    }
}

TEST_F(DataListTest, LongTextsAreShownCutWhileTheRecordKeepsThemWhole) {
    // The line's bound falls between the two halves of the emoji.
    const std::string title = "A" + std::string(quorvane::kShownLineLength - 3, 'x') + "🖖" +
                              std::string(1000, 'y');
    std::string detail;
    for (int i = 0; i < 20000; ++i) detail += "航星日誌 ";
    const std::string source = std::string(5000, 's');
    WriteTestFile(programFolder.filePath("StarTrek.vqd"),
                  "\xEF\xBB\xBF" + quorvane::testing::kCatalogueHeading + "\"" + title + "\",\"" +
                      detail + "\",41000,\"" + source + "\"\r\n\"B\",\"b\",2,\"s\"\r\n");
    open();
    ASSERT_TRUE(platform.messages.isEmpty()) << platform.messages.size();
    ASSERT_NE(list->currentRecord(), nullptr);
    EXPECT_EQ(list->currentRecord()->Title(), title);
    EXPECT_EQ(list->currentRecord()->Detail(), detail);
    EXPECT_EQ(list->currentRecord()->Source().text(), source);

    const auto expectCut = [](const QString& shown, const std::string& whole, qsizetype limit) {
        EXPECT_LE(shown.size(), limit);
        ASSERT_TRUE(shown.endsWith(QStringLiteral("…"))) << shown.right(10).toStdString();
        const QString kept = shown.chopped(1);
        EXPECT_TRUE(QString::fromStdString(whole).startsWith(kept));
        EXPECT_GT(kept.size(), limit / 2);
        EXPECT_FALSE(kept.back().isHighSurrogate());
    };
    expectCut(list->cmbTitle->itemText(0), title, quorvane::kShownLineLength);
    expectCut(list->cmbTitle->currentText(), title, quorvane::kShownLineLength);
    expectCut(list->txtDetail->toPlainText(), detail, quorvane::kShownBoxLength);
    expectCut(list->txtSource->text(), source, quorvane::kShownLineLength);
    // Short texts are shown as they are.
    EXPECT_EQ(list->cmbTitle->itemText(1), "B");
}

// ------------------------------------------------------------ into the main window

TEST_F(DataListTest, EarthDateEventSwitchesToMonthDayAndConvertsTheWholeDate) {
    Ui(main).chkRealTime->setChecked(true);
    Ui(main).optYD->setChecked(true);
    writeCatalogue("\"ファーストコンタクト\",\"ワープ飛行\",#2063-04-05#,\"映画\"\r\n");
    open();
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_TRUE(Ui(main).txtMonth->isEnabled());
    EXPECT_FALSE(Ui(main).txtYearDate->isEnabled());
    EXPECT_EQ(Ui(main).txtYear->text(), "2063");
    EXPECT_EQ(Ui(main).txtMonth->text(), "4");
    EXPECT_EQ(Ui(main).txtDate->text(), "5");
    EXPECT_EQ(main->focusWidget(), Ui(main).txtYear);
    EXPECT_EQ(Ui(main).txtStarDate->text(), kFirstContactStardate);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(DataListTest, StardateEventGoesIntoTheStardateFieldAndConvertsBack) {
    Ui(main).chkRealTime->setChecked(true);
    Ui(main).optYD->setChecked(true);
    writeCatalogue("\"ファーポイント\",\"初任務\",41153.7,\"TNG\"\r\n");
    open();
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_EQ(Ui(main).txtStarDate->text(), "41153.7");
    EXPECT_EQ(main->focusWidget(), Ui(main).txtStarDate);
    EXPECT_EQ(Ui(main).txtYear->text(), "2364");
    EXPECT_EQ(Ui(main).txtMonth->text(), "2");
    EXPECT_EQ(Ui(main).txtDate->text(), "26");
}

TEST_F(DataListTest, WithoutLiveConversionTheFieldsOnlyReceiveTheDate) {
    Ui(main).chkRealTime->setChecked(false);
    Ui(main).txtStarDate->setText("12345.6");
    writeCatalogue("\"A\",\"a\",#1966-09-08#,\"s\"\r\n\"B\",\"b\",41000,\"s\"\r\n");
    open();
    EXPECT_EQ(Ui(main).txtYear->text(), "1966");
    EXPECT_EQ(Ui(main).txtStarDate->text(), "12345.6");

    selectWithKeyboard(1);
    EXPECT_EQ(list->currentRecord()->Title(), "B");
    EXPECT_EQ(Ui(main).txtStarDate->text(), "41000");
    EXPECT_EQ(Ui(main).txtYear->text(), "1966");
    EXPECT_EQ(main->focusWidget(), Ui(main).txtStarDate);
}

// ------------------------------------------------------------ finding the file

TEST_F(DataListTest, MissingCatalogueAsksAndNoEndsQuietly) {
    platform.messageAnswers.enqueue(MessageAnswer::No);
    Ui(main).txtYear->setText("2000");
    open();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, "StarTrek.vqd がありません。自分でさがしますか？");
    EXPECT_EQ(platform.messages[0].caption, "Quorvane");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.dialogs.isEmpty());
    EXPECT_EQ(list->windowTitle(), "StarData - Nothing");
    EXPECT_EQ(list->cmbTitle->count(), 0);
    EXPECT_EQ(list->lblTitle->text(), "事象：");
    EXPECT_EQ(list->txtDetail->toPlainText(), "");
    EXPECT_EQ(list->currentRecord(), nullptr);
    EXPECT_EQ(Ui(main).txtYear->text(), "2000");
}

TEST_F(DataListTest, CancelledDialogKeepsTheFirstCaption) {
    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    open();
    ASSERT_EQ(platform.dialogs.size(), 1);
    const quorvane::testing::RecordedDialog& dialog = platform.dialogs[0];
    EXPECT_EQ(dialog.filters, (QList<quorvane::FileFilter>{
                                  {"Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)", "*.vqd"},
                                  {"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"},
                                  {"すべてのﾌｧｲﾙ(*.*)", "*.*"}}));
    EXPECT_EQ(dialog.initialFolder, programFolder.path());
    EXPECT_EQ(dialog.initialFileName, "StarTrek.vqd");
    EXPECT_EQ(list->windowTitle(), "StarData - StarTrek.vqd");
    EXPECT_EQ(list->cmbTitle->count(), 0);
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(DataListTest, FileChosenUnderAnotherNameLoadsTheSameWay) {
    QTemporaryDir elsewhere;
    const QString chosen = WriteCatalogue(elsewhere.filePath("イベント.txt"),
                                          "\"A\",\"a\",#2063-04-05#,\"s\"\r\n");
    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    platform.dialogAnswers.enqueue(chosen);
    open();
    EXPECT_EQ(list->windowTitle(), "StarData - イベント.txt");
    EXPECT_EQ(titles(), QStringList{"A"});
    EXPECT_EQ(Ui(main).txtYear->text(), "2063");
    EXPECT_EQ(platform.messages.size(), 1);  // only the question
}

TEST_F(DataListTest, CatalogueIsLookedForInTheProgramFolderOnly) {
    QTemporaryDir workingFolder;
    WriteCatalogue(workingFolder.filePath("StarTrek.vqd"), "\"A\",\"a\",1,\"s\"\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(workingFolder.path());
    platform.messageAnswers.enqueue(MessageAnswer::No);
    open();
    QDir::setCurrent(before);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(list->cmbTitle->count(), 0);
}

TEST_F(DataListTest, ClosingReleasesTheWindowAndReopeningRereadsTheFile) {
    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n");
    open();
    list->show();
    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());

    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n\"B\",\"edited\",2,\"s\"\r\n");
    open();
    EXPECT_EQ(titles(), (QStringList{"A", "B"}));
}

// ------------------------------------------------------------ broken files

bool FileIsOpen(const QString& path) {
    const std::filesystem::path target = std::filesystem::canonical(path.toStdString());
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (std::filesystem::read_symlink(entry.path(), ec) == target) return true;
    }
    return false;
}

TEST_F(DataListTest, BrokenFileKeepsTheGoodRecordsAndWarnsOnce) {
    const QString path = writeCatalogue(
        "\"B\",\"b\",2,\"s\"\r\n"
        "\"X\",#NULL#,3,\"s\"\r\n"
        "\r\n"
        "\"b\",\"duplicate\",4,\"s\"\r\n"
        "\"A\",\"a\",#2063-04-05#,\"s\"\r\n"
        "\"Y\",\"y\",#2063-13-45#,\"s\"\r\n");
    open();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              "StarTrek.vqd の 3 行目に誤りがあります（#NULL# は出典にしか使えません）。\n"
              "読み込めなかったデータ：3 件");
    EXPECT_EQ(platform.messages[0].caption, "Quorvane");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(titles(), (QStringList{"A", "B"}));
    EXPECT_EQ(list->windowTitle(), "StarData - StarTrek.vqd");
    EXPECT_EQ(Ui(main).txtYear->text(), "2063");
    EXPECT_FALSE(FileIsOpen(path));

    selectWithKeyboard(1);  // still usable
    EXPECT_EQ(list->txtDetail->toPlainText(), "b");
}

TEST_F(DataListTest, EmptyFileLeavesAnEmptyUsableWindow) {
    WriteTestFile(programFolder.filePath("StarTrek.vqd"), "");
    Ui(main).txtStarDate->setText("12345.6");
    open();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              "StarTrek.vqd には事象がありません（見出しもデータもありません）。");
    EXPECT_EQ(list->cmbTitle->count(), 0);
    EXPECT_EQ(Ui(main).txtStarDate->text(), "12345.6");
}

TEST_F(DataListTest, FileTooLargeToBeACatalogueIsRefused) {
    QTemporaryDir elsewhere;
    const QString big = WriteTestFile(elsewhere.filePath("big.vqd"), "");
    std::filesystem::resize_file(big.toStdString(), quorvane::kMaxCatalogueBytes + 1);
    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    platform.dialogAnswers.enqueue(big);
    open();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.messages[1].text, "big.vqd は大きすぎるため読み込めません。（64 MB まで）");
    EXPECT_EQ(platform.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(list->windowTitle(), "StarData - Nothing");
    EXPECT_EQ(list->cmbTitle->count(), 0);
}

TEST_F(DataListTest, ShippedCatalogueOpensQuietly) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANE_SHIPPED_CATALOGUE),
                            programFolder.filePath("StarTrek.vqd")));
    open();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_GE(list->cmbTitle->count(), 60);
    const QStringList shown = titles();
    for (qsizetype i = 1; i < shown.size(); ++i) {
        EXPECT_LT(quorvane::FoldTitle(shown[i - 1].toStdString()),
                  quorvane::FoldTitle(shown[i].toStdString()));
    }
}

}  // namespace
