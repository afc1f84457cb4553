// The main window's commands that do not convert: the read-me, the catalogue
// finder, the about window and the right-click clear menus.
#include "IntegrationFixture.h"

#include "opendialog/OpenDialog.h"
#include "editor/frmEditor.h"

#include "services/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

using quorvane::FileFilter;
using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;

const QList<FileFilter> kTextFilters = {{"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"},
                                        {"すべてのﾌｧｲﾙ(*.*)", "*.*"}};

// ---- read-me ------------------------------------------------------------------

struct ReadmeCase {
    const char* name;
    bool present;          // "ReadMe.TXT" in the program folder
    MessageAnswer answer;  // to the question, when it is asked
    const char* chosen;    // file picked in the dialog; "" cancels
    bool asks;
    bool showsDialog;
    const char* opened;  // file handed to the opener; "" for none
};

void PrintTo(const ReadmeCase& c, std::ostream* out) { *out << c.name; }

class ReadmeTest : public IntegrationTest, public ::testing::WithParamInterface<ReadmeCase> {};

TEST_P(ReadmeTest, OpensTheReadmeOrAsksForIt) {
    const ReadmeCase& c = GetParam();
    if (c.present) writeProgramFile(QStringLiteral("ReadMe.TXT"), "read me");
    writeProgramFile(QStringLiteral("notes.text"), "a read-me under another name");
    platform.messageAnswers.enqueue(c.answer);
    if (*c.chosen) platform.dialogAnswers.enqueue(programFolder.filePath(QString::fromUtf8(c.chosen)));
    start();

    click(Ui(main).cmdHelp);

    if (c.asks) {
        ASSERT_EQ(platform.messages.size(), 1);
        const auto& question = platform.messages.first();
        EXPECT_EQ(question.text, "Readme.txt がありません。自分でさがしますか？");
        EXPECT_EQ(question.caption, "Quorvane");
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    } else {
        EXPECT_TRUE(platform.messages.isEmpty());
    }
    if (c.showsDialog) {
        ASSERT_EQ(platform.dialogs.size(), 1);
        EXPECT_EQ(platform.dialogs.first().filters, kTextFilters);
        EXPECT_EQ(platform.dialogs.first().initialFolder, programFolder.path());
        EXPECT_EQ(platform.dialogs.first().initialFileName, "readme.txt");
    } else {
        EXPECT_TRUE(platform.dialogs.isEmpty());
    }
    QList<QUrl> expected;
    if (*c.opened)
        expected << QUrl::fromLocalFile(programFolder.filePath(QString::fromUtf8(c.opened)));
    EXPECT_EQ(platform.openedUrls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadmeTest,
    ::testing::Values(
        ReadmeCase{"present_opens_without_a_question", true, MessageAnswer::No, "", false, false,
                   "ReadMe.TXT"},
        ReadmeCase{"missing_and_no_does_nothing_more", false, MessageAnswer::No, "", true, false,
                   ""},
        ReadmeCase{"missing_yes_and_cancel_opens_nothing", false, MessageAnswer::Yes, "", true,
                   true, ""},
        ReadmeCase{"a_file_picked_under_another_name_is_opened", false, MessageAnswer::Yes,
                   "notes.text", true, true, "notes.text"}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef Q_OS_WIN
// A viewer handed a pipe would wait for a writer for ever.
TEST_F(IntegrationTest, ReadmeThatIsAPipeIsAskedForNotOpened) {
    const QByteArray fifo = QFile::encodeName(programFolder.filePath(QStringLiteral("ReadMe.TXT")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    platform.messageAnswers.enqueue(MessageAnswer::No);
    start();
    click(Ui(main).cmdHelp);
    EXPECT_EQ(messageTexts(), QStringList({"Readme.txt がありません。自分でさがしますか？"}));
    EXPECT_TRUE(platform.openedUrls.isEmpty());
}
#endif

// ---- catalogue finder ---------------------------------------------------------

TEST_F(IntegrationTest, EditDatabaseAsksOnlyForAMissingCatalogueThenOpensTheEditorOnIt) {
    start();
    EXPECT_TRUE(Ui(main).cmdEdit->isVisible());
    EXPECT_TRUE(Ui(main).cmdEdit->isEnabled());

    platform.messageAnswers.enqueue(MessageAnswer::No);
    main->EditDatabase();
    EXPECT_EQ(messageTexts(), QStringList({"StarTrek.vqd がありません。自分でさがしますか？"}));
    EXPECT_EQ(platform.messages.first().icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages.first().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.dialogs.isEmpty());
    EXPECT_FALSE(main->Editor());

    const QString chosen = quorvane::testing::WriteCatalogue(
        programFolder.filePath(QStringLiteral("mine.vqd")), "\"Mine\",\"m\",2,\"s\"\r\n");
    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    platform.dialogAnswers.enqueue(chosen);
    main->EditDatabase();
    ASSERT_EQ(platform.dialogs.size(), 1);
    EXPECT_EQ(platform.dialogs.first().filters,
              QList<FileFilter>({{"Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)", "*.vqd"},
                                 {"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", "*.txt"},
                                 {"すべてのﾌｧｲﾙ(*.*)", "*.*"}}));
    EXPECT_EQ(platform.dialogs.first().initialFolder, programFolder.path());
    EXPECT_EQ(platform.dialogs.first().initialFileName, "StarTrek.vqd");
    ASSERT_TRUE(main->Editor());
    EXPECT_EQ(main->Editor()->path(), quorvane::LocalPath(chosen));
    main->Editor()->close();
    flushDeletes();

    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n");
    click(Ui(main).cmdEdit);
    EXPECT_EQ(platform.messages.size(), 2) << "a catalogue in place asks nothing";
    EXPECT_EQ(platform.dialogs.size(), 1);
    ASSERT_TRUE(main->Editor());
    EXPECT_EQ(main->Editor()->path(),
              quorvane::LocalPath(programFolder.filePath(QStringLiteral("StarTrek.vqd"))));
    EXPECT_TRUE(Ui(main).txtYear->text().isEmpty()) << "opening the editor carries nothing";
}

// ---- about --------------------------------------------------------------------

TEST_F(IntegrationTest, AboutWindowIsModalAndReturnsWhenClosed) {
    start();
    bool found = false;
    bool modal = false;
    bool mainAnswered = true;
    QPointer<frmAbout> about;
    // Acts as soon as the modal window is up, from inside its own loop.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!about) return;
        poll.stop();
        found = true;
        modal = about->isModal();
        // A press on the main window, through the window system as a user's
        // would come, must not get through.
        const QPoint data = Ui(main).cmdData->mapTo(main.get(), Ui(main).cmdData->rect().center());
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, data);
        QCoreApplication::processEvents();
        mainAnswered = main->DataList() != nullptr || !platform.messages.isEmpty();
        QTest::keyClick(about.data(), Qt::Key_Escape);
    });
    // Never leave the run blocked, whatever went wrong above.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* open = qobject_cast<frmAbout*>(QApplication::activeModalWidget())) open->reject();
    });
    guard.start(5000);
    poll.start(10);

    click(Ui(main).cmdAbout);
    EXPECT_TRUE(found);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(mainAnswered);
    EXPECT_TRUE(guard.isActive()) << "Esc did not close the about window";
    EXPECT_TRUE(about.isNull()) << "gone once closed";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main->isVisible());
}

// ---- right-click menus --------------------------------------------------------

struct FrameCase {
    const char* name;
    const char* frame;  // object names
    const char* item;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class RightMenuTest : public IntegrationTest, public ::testing::WithParamInterface<FrameCase> {
protected:
    void SetUp() override {
        IntegrationTest::SetUp();
        start();
    }
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        IntegrationTest::TearDown();
    }

    QGroupBox* frame() const { return quorvane::testing::Named<QGroupBox>(*main, GetParam().frame); }

    // A point on the frame's own surface, clear of the controls inside it.
    QPoint bareSpot() const {
        const QPoint spot(frame()->width() / 2, frame()->height() - 4);
        EXPECT_EQ(frame()->childAt(spot), nullptr);
        return spot;
    }

    // Through the window system, as a user's press comes: Qt finds the
    // control under the mouse and raises the context menu request itself.
    void press(Qt::MouseButton button, QPoint spot) {
        QTest::mousePress(main->windowHandle(), button, {}, frame()->mapTo(main.get(), spot));
    }
    void release(Qt::MouseButton button, QPoint spot) {
        QTest::mouseRelease(main->windowHandle(), button, {}, frame()->mapTo(main.get(), spot));
    }

    static QList<QAction*> shownItems(const QMenu* menu) {
        QList<QAction*> shown;
        for (QAction* action : menu->actions())
            if (action->isVisible()) shown << action;
        return shown;
    }
};

TEST_P(RightMenuTest, RightButtonOnTheFrameOffersItsOwnClearAtTheMouse) {
    const QPoint spot = bareSpot();
    press(Qt::RightButton, spot);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Ui(main).mnuRight->isVisible(); }, 1000));
    EXPECT_EQ(Ui(main).mnuRight->pos(), frame()->mapToGlobal(spot));
    EXPECT_EQ(shownItems(Ui(main).mnuRight), QList<QAction*>({quorvane::testing::Named<QAction>(*main, GetParam().item)}));
    EXPECT_EQ(Ui(main).mnuRight->actions().size(), 2);
    release(Qt::RightButton, spot);
    EXPECT_TRUE(Ui(main).mnuRight->isVisible()) << "the release must not dismiss it";
}

TEST_P(RightMenuTest, OtherButtonsShowNothing) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        press(button, bareSpot());
        release(button, bareSpot());
        QCoreApplication::processEvents();
        EXPECT_FALSE(Ui(main).mnuRight->isVisible()) << button;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, RightMenuTest,
    ::testing::Values(FrameCase{"earth_date", "fraEarthDate", "mnuRightClearED"},
                      FrameCase{"stardate", "fraStarDate", "mnuRightClearSD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IntegrationTest, RightClickOnATextBoxKeepsItsOwnTextMenu) {
    start();
    for (QLineEdit* field : {static_cast<QLineEdit*>(Ui(main).txtYear),
                             static_cast<QLineEdit*>(Ui(main).txtStarDate)}) {
        QTest::mouseClick(main->windowHandle(), Qt::RightButton, {},
                          field->mapTo(main.get(), field->rect().center()));
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget(); }, 1000))
            << field->objectName().toStdString();
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_NE(popup, Ui(main).mnuRight);
        EXPECT_FALSE(Ui(main).mnuRight->isVisible());
        popup->close();
        QCoreApplication::processEvents();
    }
}

class ClearTest : public IntegrationTest {
protected:
    // Both sides filled, and the day-of-year field filled though disabled.
    void SetUp() override {
        IntegrationTest::SetUp();
        start();
        click(Ui(main).chkBase90);
        click(Ui(main).optMD);
        typeInto(Ui(main).txtStarDate, QStringLiteral("41000"));
        ASSERT_EQ(earthFields(), QStringList({"2364", "1", "1", "1"}));
        ASSERT_FALSE(Ui(main).txtYearDate->isEnabled());
    }

    void chooseClear(QGroupBox* frame, QAction* item) {
        const QPoint spot(frame->width() / 2, frame->height() - 4);
        QTest::mouseClick(main->windowHandle(), Qt::RightButton, {},
                          frame->mapTo(main.get(), spot));
        ASSERT_TRUE(QTest::qWaitFor([this] { return Ui(main).mnuRight->isVisible(); }, 1000));
        QTest::mouseClick(Ui(main).mnuRight, Qt::LeftButton, {},
                          Ui(main).mnuRight->actionGeometry(item).center());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Ui(main).mnuRight->isVisible(); }, 1000));
    }

    QStringList earthFields() const {
        return {Ui(main).txtYear->text(), Ui(main).txtMonth->text(), Ui(main).txtDate->text(),
                Ui(main).txtYearDate->text()};
    }
};

TEST_F(ClearTest, EarthDateClearEmptiesAllFourFieldsAndLeavesTheStardate) {
    chooseClear(Ui(main).fraEarthDate, Ui(main).mnuRightClearED);
    EXPECT_EQ(earthFields(), QStringList({"", "", "", ""}));
    EXPECT_EQ(Ui(main).txtStarDate->text(), "41000");
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ClearTest, StardateClearEmptiesOnlyTheStardate) {
    chooseClear(Ui(main).fraStarDate, Ui(main).mnuRightClearSD);
    EXPECT_TRUE(Ui(main).txtStarDate->text().isEmpty());
    EXPECT_EQ(earthFields(), QStringList({"2364", "1", "1", "1"}));
    EXPECT_EQ(Ui(main).txtReset->text(), "100000");
    EXPECT_TRUE(Ui(main).chkReset->isChecked());
    EXPECT_TRUE(platform.messages.isEmpty());
}

}  // namespace
