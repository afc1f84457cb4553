// The conversions as the user drives them: buttons, "today", the entry mode
// and live conversion while typing.

#include "MainWindowFixture.h"

#include "conversion/StardateArithmetic.h"

#include <string>

namespace {

using quorvane::MessageButtons;
using quorvane::MessageIcon;

const QString kYearMessage = QStringLiteral("年の指定が無効です。");
const QString kDayOfYearMessage = QStringLiteral("年間通算日の指定が無効です。");
const QString kDateMessage = QStringLiteral("日付の指定が無効です。");

TEST_F(MainWindowTest, TypingAStardateLiveFillsTheEarthDateAndKeepsTheTypedText) {
    setLive(true);
    typeInto(Ui(window).txtStarDate, "41000");
    EXPECT_EQ(earthFields(), QStringList({"2364", "1", "1", "1"}));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41000");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, TypingAYearLiveConvertsAtEveryDigit) {
    enterEarthDate("", "2", "26");
    setLive(true);
    Ui(window).txtYear->setFocus();
    // February 26 of the years 2, 23, 236 and 2364, each wrapped into the
    // default reset range of 100000.
    const QStringList expected = {"79153.4", "153.4", "13153.0", "41153.0"};
    QString typed;
    for (const QChar digit : QStringLiteral("2364")) {
        QTest::keyClick(Ui(window).txtYear, digit.toLatin1());
        typed += digit;
        EXPECT_EQ(Ui(window).txtStarDate->text(), expected[typed.size() - 1]) << typed.toStdString();
    }
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.0");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, WithLiveConversionOffTypingConvertsNothingAndTheArrowsConvert) {
    typeInto(Ui(window).txtStarDate, "41153.7");
    EXPECT_EQ(earthFields(), QStringList({"", "", "", ""}));
    click(Ui(window).cmdCEarhDate);
    EXPECT_EQ(earthFields(), QStringList({"2364", "57", "2", "26"}));

    enterEarthDate("2365", "1", "31");
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.7");
    click(Ui(window).cmdCStarDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "42082.2");
}

TEST_F(MainWindowTest, SwitchingLiveConversionOnConvertsACompleteEarthDateOnce) {
    enterEarthDate("2364", "2", "26");
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ui(window).chkRealTime->isChecked(); }));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.0");

    // Off again converts nothing; on with an empty day neither converts nor complains.
    Ui(window).txtStarDate->clear();
    typeInto(Ui(window).txtDate, "");
    QTest::keyClick(Ui(window).txtDate, Qt::Key_Backspace);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Ui(window).chkRealTime->isChecked(); }));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ui(window).chkRealTime->isChecked(); }));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, IncompleteEarthDatesConvertNothingWhileTyping) {
    setLive(true);
    typeInto(Ui(window).txtYear, "2364");
    typeInto(Ui(window).txtMonth, "0");
    typeInto(Ui(window).txtDate, "26");
    typeInto(Ui(window).txtMonth, "-");
    EXPECT_EQ(Ui(window).txtStarDate->text(), "");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, ClearingTheEarthDateFromTheYearConvertsNothing) {
    setLive(true);
    typeInto(Ui(window).txtStarDate, "41153.7");
    Ui(window).txtYear->setFocus();
    for (QLineEdit* field : {Ui(window).txtYear, Ui(window).txtMonth, Ui(window).txtDate})
        field->clear();
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.7");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, DeletingTheWholeStardateKeepsTheEarthDate) {
    setLive(true);
    typeInto(Ui(window).txtStarDate, "41000");
    Ui(window).txtStarDate->selectAll();
    QTest::keyClick(Ui(window).txtStarDate, Qt::Key_Backspace);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "");
    EXPECT_EQ(earthFields(), QStringList({"2364", "1", "1", "1"}));
}

TEST_F(MainWindowTest, ModeSwitchesKeepTheTextsAndConvertTheNewModesFields) {
    enterEarthDate("2364", "2", "26");
    Ui(window).txtYearDate->setText("1");
    setLive(true);
    ASSERT_EQ(Ui(window).txtStarDate->text(), "41153.0");

    click(Ui(window).optYD);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41000.0");
    click(Ui(window).optMD);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.0");
    EXPECT_EQ(earthFields(), QStringList({"2364", "1", "2", "26"}));
}

// A click on the entry mode already chosen converts again, as any click on
// an option button does; choosing the other mode converts once.
TEST_F(MainWindowTest, ClickingTheSelectedModeConvertsAgainAndANewModeOnce) {
    enterEarthDate("2364", "13", "26");
    Ui(window).txtYearDate->setText("400");
    setLive(true);
    ASSERT_EQ(platform.messages.size(), 1);  // switching live on tried the bad month

    click(Ui(window).optMD);
    EXPECT_EQ(platform.messages.size(), 2) << "the selected mode's click converted nothing";
    click(Ui(window).optYD);
    EXPECT_EQ(platform.messages.size(), 3) << "a new mode converts exactly once";
    EXPECT_EQ(messageTexts().last(), kDayOfYearMessage);
}

// The year window belongs to the reset wrap: checked on its own it moves nothing.
TEST_F(MainWindowTest, YearWindowWithoutTheResetWrapChangesNothing) {
    click(Ui(window).chkBase90);
    click(Ui(window).chkReset);
    ASSERT_TRUE(Ui(window).chkBase90->isChecked());
    ASSERT_FALSE(Ui(window).chkReset->isChecked());
    typeInto(Ui(window).txtStarDate, "41153.7");
    click(Ui(window).cmdCEarhDate);
    EXPECT_EQ(earthFields(), QStringList({"2364", "57", "2", "26"}));
}

// Each failure, as the user meets it, with its exact text, caption, icon and
// button; none of them touches the stardate.
TEST_F(MainWindowTest, InvalidEarthDatesShowTheirMessagesAndWriteNothing) {
    typeInto(Ui(window).txtStarDate, "1.0");
    enterEarthDate("-1", "1", "1");
    click(Ui(window).cmdCStarDate);
    enterEarthDate("2365", "2", "29");
    click(Ui(window).cmdCStarDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "1.0");

    // Live, the message comes at the keystroke that makes the date invalid.
    typeInto(Ui(window).txtDate, "1");
    setLive(true);
    typeInto(Ui(window).txtMonth, "13");
    EXPECT_EQ(Ui(window).txtStarDate->text(), QStringLiteral("42000.0"));

    EXPECT_EQ(messageTexts(), QStringList({kYearMessage, kDateMessage, kDateMessage}));
    for (const auto& message : platform.messages) {
        EXPECT_EQ(message.caption, "Quorvane");
        EXPECT_EQ(message.icon, MessageIcon::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
}

TEST_F(MainWindowTest, AnInvalidDayOfTheYearMovesTheFocusToItsField) {
    typeInto(Ui(window).txtYear, "2365");
    click(Ui(window).optYD);
    for (const QString day : {"0", "367"}) {
        typeInto(Ui(window).txtYearDate, day);
        click(Ui(window).cmdCStarDate);
        EXPECT_EQ(window->focusWidget(), Ui(window).txtYearDate) << day.toStdString();
    }
    EXPECT_EQ(messageTexts(), QStringList({kDayOfYearMessage, kDayOfYearMessage}));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "");

    typeInto(Ui(window).txtYearDate, "366");
    click(Ui(window).cmdCStarDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "43000.0");
}

// "Today" writes the whole date before anything converts: the new year never
// meets the old month and day (2365 has no 29 February).
TEST_F(MainWindowTest, TodayConvertsTheWholeDateOnce) {
    platform.todayDate = QDate(2365, 1, 31);
    enterEarthDate("2364", "2", "29");
    setLive(true);
    ASSERT_EQ(Ui(window).txtStarDate->text(), QStringLiteral("41161.2"));

    click(Ui(window).cmdToday);
    EXPECT_TRUE(platform.messages.isEmpty()) << messageTexts().join(' ').toStdString();
    EXPECT_EQ(earthFields(), QStringList({"2365", "31", "1", "31"}));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "42082.2");
}

TEST_F(MainWindowTest, TodayInDayOfYearModeGivesTodaysStardate) {
    platform.todayDate = QDate(2365, 1, 31);
    click(Ui(window).optYD);
    typeInto(Ui(window).txtYearDate, "200");
    setLive(true);
    click(Ui(window).cmdToday);
    EXPECT_EQ(earthFields(), QStringList({"2365", "31", "1", "31"}));
    EXPECT_EQ(Ui(window).txtStarDate->text(), "42082.2");
}

// With the focus outside both frames a conversion's writes must not convert
// back: the year window rewrites the year first, and converting that year with
// the old month and day would replace the typed 41153.7 by 41153.0.
TEST_F(MainWindowTest, LeftArrowKeepsTheTypedStardate) {
    setLive(true);
    typeInto(Ui(window).txtStarDate, "41153.7");
    click(Ui(window).chkBase90);
    click(Ui(window).cmdCEarhDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "41153.7");
    EXPECT_EQ(earthFields(), QStringList({"2064", "57", "2", "26"}));
}

// Day 366 of a 365-day year gives 43000.0; converting that back would turn the
// user's 2365 / 366 into 2366 / 1.
TEST_F(MainWindowTest, RightArrowKeepsTheTypedEarthDate) {
    click(Ui(window).optYD);
    typeInto(Ui(window).txtYear, "2365");
    typeInto(Ui(window).txtYearDate, "366");
    setLive(true);
    Ui(window).txtStarDate->clear();
    click(Ui(window).cmdCStarDate);
    EXPECT_EQ(Ui(window).txtStarDate->text(), "43000.0");
    EXPECT_EQ(Ui(window).txtYear->text(), "2365");
    EXPECT_EQ(Ui(window).txtYearDate->text(), "366");
}

}  // namespace
