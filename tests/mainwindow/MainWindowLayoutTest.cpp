// The main window as built: controls, where they sit, what they show, how the
// keyboard and a screen reader reach them.

#include "MainWindowFixture.h"

#include "mainwindow/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QStyleOptionButton>

namespace {

// Which frame holds which control decides the live-conversion focus rule.
const QMap<QString, QStringList> kContainment = {
    {"frmMain", {"fraEarthDate", "fraStarDate", "cmdCEarhDate", "cmdCStarDate", "chkRealTime",
                 "chkBase90", "cmdEdit", "cmdData", "cmdHelp", "cmdAbout", "cmdExit"}},
    {"fraEarthDate", {"txtYear", "lblYear", "cmdToday", "optMD", "txtMonth", "lblMonth", "txtDate",
                      "lblDate", "optYD", "txtYearDate", "lblYearDate"}},
    {"fraStarDate", {"txtStarDate", "chkReset", "txtReset"}},
};

TEST_F(MainWindowTest, IsAFixedWindowWithCloseAndMinimizeOnly) {
    EXPECT_EQ(window->windowTitle(), "Quorvane");
    EXPECT_EQ(window->size(), QSize(quorvane::TwipsToPixels(5550, window.get()),
                                    quorvane::TwipsToPixels(2475, window.get())));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, ControlsSitInTheirFrames) {
    for (auto it = kContainment.cbegin(); it != kContainment.cend(); ++it) {
        for (const QString& name : it.value()) {
            const QWidget* control = window->findChild<QWidget*>(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            EXPECT_EQ(frmMain::ContainerName(control), it.key()) << name.toStdString();
        }
    }
    // Twips become pixels at the screen's resolution (15 twips a pixel at 96 dpi).
    EXPECT_EQ(window->cmdExit->geometry(), quorvane::TwipsRect(4560, 1920, 855, 375, window.get()));
}

TEST_F(MainWindowTest, StartsWithTheDocumentedCaptionsAndStates) {
    EXPECT_EQ(window->fraEarthDate->title(), "地球暦(西暦)");
    EXPECT_EQ(window->fraStarDate->title(), "宇宙暦(Quorvane)");
    EXPECT_EQ(window->lblYearDate->text(), "日(年間通算)");
    EXPECT_EQ(window->optMD->text(), "Option1");
    EXPECT_EQ(window->chkRealTime->text(), "リアルタイム変更 (&R)");
    EXPECT_EQ(window->chkBase90->text(), "1990 - 2010 年を基準に (&9)");
    EXPECT_EQ(window->cmdExit->text(), "終了(&X)");
    // Half-width katakana stay half-width.
    EXPECT_EQ(window->chkRealTime->toolTip(), "ﾃｷｽﾄﾎﾞｯｸｽへの入力と同時に変更するかどうか");
    EXPECT_EQ(window->cmdAbout->toolTip(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(window->cmdData->toolTip(), "西暦/宇宙暦データの表示");

    for (QLineEdit* field : {window->txtYear, window->txtMonth, window->txtDate,
                             window->txtYearDate, window->txtStarDate})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(window->txtReset->text(), "100000");
    EXPECT_TRUE(window->optMD->isChecked());
    EXPECT_TRUE(window->chkReset->isChecked());
    EXPECT_FALSE(window->chkRealTime->isChecked());
    EXPECT_FALSE(window->chkBase90->isChecked());
    EXPECT_FALSE(window->txtYearDate->isEnabled());
    EXPECT_FALSE(window->lblYearDate->isEnabled());
    EXPECT_FALSE(window->cmdEdit->isEnabled());
    EXPECT_FALSE(window->cmdEdit->isVisible());
    EXPECT_EQ(window->mnuRightClearSD->text(), "クリア");
    EXPECT_EQ(window->mnuRightClearED->text(), "クリア");
    EXPECT_EQ(window->focusWidget(), window->txtYear);
}

TEST_F(MainWindowTest, EnabledStatesFollowTheModeAndTheResetWrap) {
    const QList<QWidget*> monthDay = {window->txtMonth, window->lblMonth, window->txtDate,
                                      window->lblDate};
    const QList<QWidget*> dayOfYear = {window->txtYearDate, window->lblYearDate};
    window->txtMonth->setText("2");
    window->txtYearDate->setText("57");

    for (const bool yearDayMode : {true, false}) {
        SCOPED_TRACE(yearDayMode ? "day-of-year mode" : "month-day mode");
        click(yearDayMode ? window->optYD : window->optMD);
        for (QWidget* w : monthDay) EXPECT_EQ(w->isEnabled(), !yearDayMode);
        for (QWidget* w : dayOfYear) EXPECT_EQ(w->isEnabled(), yearDayMode);
        EXPECT_EQ(window->txtMonth->text(), "2");
        EXPECT_EQ(window->txtYearDate->text(), "57");
    }

    window->chkBase90->setChecked(true);
    window->txtReset->setText("200000");
    click(window->chkReset);
    EXPECT_FALSE(window->chkBase90->isEnabled());
    EXPECT_FALSE(window->txtReset->isEnabled());
    click(window->chkReset);
    EXPECT_TRUE(window->chkBase90->isEnabled());
    EXPECT_TRUE(window->txtReset->isEnabled());
    EXPECT_TRUE(window->chkBase90->isChecked());
    EXPECT_EQ(window->txtReset->text(), "200000");
}

TEST_F(MainWindowTest, ContainerNameOfTheFocusedControl) {
    window->txtYear->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "fraEarthDate");
    window->txtReset->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "fraStarDate");
    window->cmdData->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "frmMain");
    EXPECT_EQ(frmMain::ContainerName(nullptr), "");
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrder) {
    QStringList visited;
    for (int i = 0; i < 18; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // txtYearDate is disabled and cmdEdit hidden; frames and labels never
    // take the focus; the unselected option button is reached with the arrows.
    EXPECT_EQ(visited, QStringList({"txtYear", "txtMonth", "txtDate", "cmdToday", "cmdCStarDate",
                                    "txtStarDate", "cmdCEarhDate", "chkReset", "txtReset",
                                    "chkRealTime", "chkBase90", "cmdHelp", "cmdAbout", "cmdExit",
                                    "optMD", "cmdData", "txtYear", "txtMonth"}));
}

TEST_F(MainWindowTest, TypedLimitsOfTheTextFields) {
    const struct {
        quorvane::TypedLimitLineEdit* field;
        int kept;
    } cases[] = {{window->txtYear, 4},      {window->txtMonth, 2},      {window->txtDate, 2},
                 {window->txtYearDate, 3},  {window->txtStarDate, 20}, {window->txtReset, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString());
        (c.field == window->txtYearDate ? window->optYD : window->optMD)->setChecked(true);
        typeInto(c.field, "12345678901234567890");
        EXPECT_EQ(c.field->text(), QStringLiteral("12345678901234567890").left(c.kept));
        EXPECT_FALSE(c.field->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_FALSE(c.field->inputMethodQuery(Qt::ImEnabled).toBool());
    }
}

TEST_F(MainWindowTest, ScreenReadersHearEachFieldsLabel) {
    const QList<QPair<QWidget*, QString>> names = {
        {window->txtYear, "年"},
        {window->txtMonth, "月"},
        {window->txtDate, "日"},
        {window->txtYearDate, "日(年間通算)"},
        {window->txtStarDate, "宇宙暦(Quorvane)"},
        {window->txtReset, "リセットする"},
        {window->cmdData, "西暦/宇宙暦データの表示"},
        {window->cmdHelp, "ヘルプ"},
        {window->cmdAbout, "ﾊﾞｰｼﾞｮﾝ情報"},
        {window->cmdEdit, "データベースの編集"},
    };
    for (const auto& [control, name] : names) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name)
            << control->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, AccessKeysPressTheirControls) {
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_TRUE(window->chkRealTime->isChecked());
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_FALSE(window->chkRealTime->isChecked());

    QTest::keyClick(window.get(), Qt::Key_9, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_TRUE(window->chkBase90->isChecked());
    window->chkReset->setChecked(false);
    QTest::keyClick(window.get(), Qt::Key_9, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_TRUE(window->chkBase90->isChecked()) << "a disabled check box ignores its key";

    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, PictureButtonsShowTransparentPictures) {
    for (QPushButton* button : {window->cmdEdit, window->cmdData, window->cmdHelp,
                                window->cmdAbout}) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(button->text().isEmpty());
        const QSize expected = button == window->cmdData ? QSize(13, 13) : QSize(16, 16);
        const QImage picture = button->icon().pixmap(expected).toImage();
        ASSERT_EQ(picture.size(), expected);
        // The corner is background in every picture: it must let the button show through.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    }
}

// The window's size is fixed, so a large desktop font must shrink rather
// than clip a caption.
TEST(MainWindowFontTest, CaptionsFitEvenWithALargeDesktopFont) {
    const QFont desktopFont = QApplication::font();
    QFont large = desktopFont;
    large.setPointSizeF(16);
    QApplication::setFont(large);
    quorvane::testing::FakePlatform platform;
    frmMain window(platform);
    QApplication::setFont(desktopFont);

    const auto room = [](QAbstractButton* button, QStyle::SubElement contents) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(contents, &option, button).width();
    };
    const auto width = [](QWidget* control, const QString& text) {
        return control->fontMetrics().size(Qt::TextShowMnemonic, text).width();
    };
    for (QCheckBox* box : {window.chkReset, window.chkRealTime, window.chkBase90})
        EXPECT_LE(width(box, box->text()), room(box, QStyle::SE_CheckBoxContents))
            << box->objectName().toStdString();
    for (QPushButton* button : {window.cmdToday, window.cmdExit})
        EXPECT_LE(width(button, button->text()), room(button, QStyle::SE_PushButtonContents))
            << button->objectName().toStdString();
    for (QLabel* label : {window.lblYear, window.lblMonth, window.lblDate, window.lblYearDate})
        EXPECT_LE(width(label, label->text()), label->width()) << label->objectName().toStdString();
    EXPECT_LE(width(window.fraStarDate, window.fraStarDate->title()), window.fraStarDate->width());
    EXPECT_LT(window.font().pointSizeF(), 16);
}

}  // namespace
