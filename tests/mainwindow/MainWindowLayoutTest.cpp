// The main window as built: controls, where they sit, what they show, how the
// keyboard and a screen reader reach them.

#include "MainWindowFixture.h"
#include "support/TestApplication.h"

#include "widgets/Twips.h"

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
    if (!quorvane::testing::kDesignFonts) GTEST_SKIP() << quorvane::testing::kOtherFonts;
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
    EXPECT_EQ(Ui(window).cmdExit->geometry(), quorvane::TwipsRect(4560, 1920, 855, 375, window.get()));
}

TEST_F(MainWindowTest, StartsWithTheDocumentedCaptionsAndStates) {
    EXPECT_EQ(Ui(window).fraEarthDate->title(), "地球暦(西暦)");
    EXPECT_EQ(Ui(window).fraStarDate->title(), "宇宙暦(Quorvane)");
    EXPECT_EQ(Ui(window).lblYearDate->text(), "日(年間通算)");
    EXPECT_EQ(Ui(window).optMD->text(), "Option1");
    EXPECT_EQ(Ui(window).chkRealTime->text(), "リアルタイム変更 (&R)");
    EXPECT_EQ(Ui(window).chkBase90->text(), "1990 - 2010 年を基準に (&9)");
    EXPECT_EQ(Ui(window).cmdExit->text(), "終了(&X)");
    // Half-width katakana stay half-width.
    EXPECT_EQ(Ui(window).chkRealTime->toolTip(), "ﾃｷｽﾄﾎﾞｯｸｽへの入力と同時に変更するかどうか");
    EXPECT_EQ(Ui(window).cmdAbout->toolTip(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(Ui(window).cmdData->toolTip(), "西暦/宇宙暦データの表示");

    for (QLineEdit* field : {Ui(window).txtYear, Ui(window).txtMonth, Ui(window).txtDate,
                             Ui(window).txtYearDate, Ui(window).txtStarDate})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(Ui(window).txtReset->text(), "100000");
    EXPECT_TRUE(Ui(window).optMD->isChecked());
    EXPECT_TRUE(Ui(window).chkReset->isChecked());
    EXPECT_FALSE(Ui(window).chkRealTime->isChecked());
    EXPECT_FALSE(Ui(window).chkBase90->isChecked());
    EXPECT_FALSE(Ui(window).txtYearDate->isEnabled());
    EXPECT_FALSE(Ui(window).lblYearDate->isEnabled());
    EXPECT_TRUE(Ui(window).cmdEdit->isEnabled());
    EXPECT_TRUE(Ui(window).cmdEdit->isVisible());
    EXPECT_EQ(Ui(window).mnuRightClearSD->text(), "クリア");
    EXPECT_EQ(Ui(window).mnuRightClearED->text(), "クリア");
    EXPECT_EQ(window->focusWidget(), Ui(window).txtYear);
}

TEST_F(MainWindowTest, EnabledStatesFollowTheModeAndTheResetWrap) {
    const QList<QWidget*> monthDay = {Ui(window).txtMonth, Ui(window).lblMonth, Ui(window).txtDate,
                                      Ui(window).lblDate};
    const QList<QWidget*> dayOfYear = {Ui(window).txtYearDate, Ui(window).lblYearDate};
    Ui(window).txtMonth->setText("2");
    Ui(window).txtYearDate->setText("57");

    for (const bool yearDayMode : {true, false}) {
        SCOPED_TRACE(yearDayMode ? "day-of-year mode" : "month-day mode");
        click(yearDayMode ? Ui(window).optYD : Ui(window).optMD);
        for (QWidget* w : monthDay) EXPECT_EQ(w->isEnabled(), !yearDayMode);
        for (QWidget* w : dayOfYear) EXPECT_EQ(w->isEnabled(), yearDayMode);
        EXPECT_EQ(Ui(window).txtMonth->text(), "2");
        EXPECT_EQ(Ui(window).txtYearDate->text(), "57");
    }

    Ui(window).chkBase90->setChecked(true);
    Ui(window).txtReset->setText("200000");
    click(Ui(window).chkReset);
    EXPECT_FALSE(Ui(window).chkBase90->isEnabled());
    EXPECT_FALSE(Ui(window).txtReset->isEnabled());
    click(Ui(window).chkReset);
    EXPECT_TRUE(Ui(window).chkBase90->isEnabled());
    EXPECT_TRUE(Ui(window).txtReset->isEnabled());
    EXPECT_TRUE(Ui(window).chkBase90->isChecked());
    EXPECT_EQ(Ui(window).txtReset->text(), "200000");
}

TEST_F(MainWindowTest, ContainerNameOfTheFocusedControl) {
    Ui(window).txtYear->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "fraEarthDate");
    Ui(window).txtReset->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "fraStarDate");
    Ui(window).cmdData->setFocus();
    EXPECT_EQ(frmMain::ContainerName(window->focusWidget()), "frmMain");
    EXPECT_EQ(frmMain::ContainerName(nullptr), "");
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheirOrder) {
    QStringList visited;
    for (int i = 0; i < 18; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // txtYearDate is disabled; frames and labels never
    // take the focus; the unselected option button is reached with the arrows.
    EXPECT_EQ(visited, QStringList({"txtYear", "txtMonth", "txtDate", "cmdToday", "cmdCStarDate",
                                    "txtStarDate", "cmdCEarhDate", "chkReset", "txtReset",
                                    "chkRealTime", "chkBase90", "cmdHelp", "cmdAbout", "cmdExit",
                                    "optMD", "cmdData", "cmdEdit", "txtYear"}));
}

TEST_F(MainWindowTest, TypedLimitsOfTheTextFields) {
    const struct {
        quorvane::TypedLimitLineEdit* field;
        int kept;
    } cases[] = {{Ui(window).txtYear, 4},      {Ui(window).txtMonth, 2},      {Ui(window).txtDate, 2},
                 {Ui(window).txtYearDate, 3},  {Ui(window).txtStarDate, 20}, {Ui(window).txtReset, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString());
        (c.field == Ui(window).txtYearDate ? Ui(window).optYD : Ui(window).optMD)->setChecked(true);
        typeInto(c.field, "12345678901234567890");
        EXPECT_EQ(c.field->text(), QStringLiteral("12345678901234567890").left(c.kept));
        EXPECT_FALSE(c.field->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_FALSE(c.field->inputMethodQuery(Qt::ImEnabled).toBool());
    }
}

TEST_F(MainWindowTest, ScreenReadersHearEachFieldsLabel) {
    const QList<QPair<QWidget*, QString>> names = {
        {Ui(window).txtYear, "年"},
        {Ui(window).txtMonth, "月"},
        {Ui(window).txtDate, "日"},
        {Ui(window).txtYearDate, "日(年間通算)"},
        {Ui(window).txtStarDate, "宇宙暦(Quorvane)"},
        {Ui(window).txtReset, "リセットする"},
        {Ui(window).cmdData, "西暦/宇宙暦データの表示"},
        {Ui(window).cmdHelp, "ヘルプ"},
        {Ui(window).cmdAbout, "ﾊﾞｰｼﾞｮﾝ情報"},
        {Ui(window).cmdEdit, "データベースの編集"},
    };
    for (const auto& [control, name] : names) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name)
            << control->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, AccessKeysPressTheirControls) {
    // An access key clicks through an animation: wait for its result.
    const auto ui = Ui(window);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui.chkRealTime->isChecked(); }));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ui.chkRealTime->isChecked(); }));

    QTest::keyClick(window.get(), Qt::Key_9, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui.chkBase90->isChecked(); }));
    ui.chkReset->setChecked(false);
    QTest::keyClick(window.get(), Qt::Key_9, Qt::AltModifier);
    // A click that starts shows the box pressed at once; a disabled one never starts.
    EXPECT_FALSE(ui.chkBase90->isDown()) << "a disabled check box ignores its key";
    EXPECT_TRUE(ui.chkBase90->isChecked());

    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
}

TEST_F(MainWindowTest, PictureButtonsShowTransparentPictures) {
    for (QPushButton* button : {Ui(window).cmdEdit, Ui(window).cmdData, Ui(window).cmdHelp,
                                Ui(window).cmdAbout}) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(button->text().isEmpty());
        const QSize expected = button == Ui(window).cmdData ? QSize(13, 13) : QSize(16, 16);
        const QImage picture = button->icon().pixmap(expected).toImage();
        ASSERT_EQ(picture.size(), expected);
        // The corner is background in every picture: it must let the button show through.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    }
}

// The window's size is fixed, so a large desktop font must shrink rather
// than clip a caption.
TEST(MainWindowFontTest, ALargeDesktopFontGrowsTheWholeDesignAndFitsEveryCaption) {
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
    for (QCheckBox* box : {Ui(window).chkReset, Ui(window).chkRealTime, Ui(window).chkBase90})
        EXPECT_LE(width(box, box->text()), room(box, QStyle::SE_CheckBoxContents))
            << box->objectName().toStdString();
    for (QPushButton* button : {Ui(window).cmdToday, Ui(window).cmdExit})
        EXPECT_LE(width(button, button->text()), room(button, QStyle::SE_PushButtonContents))
            << button->objectName().toStdString();
    for (QLabel* label : {Ui(window).lblYear, Ui(window).lblMonth, Ui(window).lblDate, Ui(window).lblYearDate})
        EXPECT_LE(width(label, label->text()), label->width()) << label->objectName().toStdString();
    EXPECT_LE(width(Ui(window).fraStarDate, Ui(window).fraStarDate->title()), Ui(window).fraStarDate->width());

    // The desktop's font as it is, and the design grown by one factor.
    EXPECT_EQ(window.font().pointSizeF(), 16);
    const double scale = window.width() / static_cast<double>(quorvane::TwipsToPixels(5550, &window));
    EXPECT_GT(scale, 1.2);
    EXPECT_NEAR(window.height(), quorvane::TwipsToPixels(2475 * scale, &window), 1);
    EXPECT_NEAR(Ui(window).txtStarDate->x(), quorvane::TwipsToPixels(360 * scale, &window), 1);
    EXPECT_NEAR(Ui(window).fraStarDate->x(), quorvane::TwipsToPixels(3360 * scale, &window), 1);
}

}  // namespace
