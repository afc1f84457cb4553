#include "services/frmAbout.h"
#include "support/TestApplication.h"

#include "widgets/Twips.h"
#include "services/AboutInfo.h"
#include "services/LinkLabel.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::FakePlatform;

const QString Unavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

QIcon MainIcon() {
    QPixmap red(32, 32);
    red.fill(Qt::red);
    return QIcon(red);
}

// ---- The window as the user sees it ----------------------------------------

class AboutWindow : public ::testing::Test {
protected:
    FakePlatform platform;
    frmAbout about{platform, MainIcon()};
    QRect twips(double l, double t, double w, double h) { return TwipsRect(l, t, w, h, &about); }
};

TEST_F(AboutWindow, ShowsTheProductTextsInTheirPlaces) {
    if (!quorvane::testing::kDesignFonts) GTEST_SKIP() << quorvane::testing::kOtherFonts;
    EXPECT_EQ(about.windowTitle(), QStringLiteral(" Quorvane ～宇宙暦・西暦 換算 ～ ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral(" Quorvane ～宇宙暦・西暦 換算 ～"));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Ver 1.22"));
    EXPECT_EQ(about.lblDescription->text(), QStringLiteral("Copyright (C) 2026 OvrekSoft"));
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    EXPECT_EQ(about.lblHomeTitle->text(), QStringLiteral("このソフトの最新版は．．．"));
    EXPECT_EQ(about.lblMailTitle->text(), QStringLiteral("ご意見・ご感想は．．．"));
    EXPECT_TRUE(about.lblTrekTitle->text().startsWith(u"ｽﾀｰﾄﾚｯｸｺｰﾅｰ("));
    EXPECT_TRUE(about.lblTrekTitle->text().endsWith(u")は．．．"));
    EXPECT_EQ(about.geometry(), twips(2340, 1935, 5730, 3345));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.cmdOK->geometry(), twips(4320, 240, 1310, 345));
    EXPECT_EQ(about.lblTrek->geometry(), twips(120, 2880, 5535, 255));
    EXPECT_EQ(about.imgMain->geometry(), twips(240, 240, 495, 495));
    EXPECT_TRUE(about.lblHomeTitle->alignment() & Qt::AlignRight);
    EXPECT_TRUE(about.isModal());
    EXPECT_FALSE(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(AboutWindow, CarriesTheMainIconAndAnIconOfItsOwn) {
    const QImage shown = about.imgMain->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
    EXPECT_FALSE(about.windowIcon().isNull());
    EXPECT_NE(about.windowIcon().pixmap(32).toImage(), shown);
}

TEST_F(AboutWindow, NoTextIsCutOff) {
    if (!quorvane::testing::kDesignFonts) GTEST_SKIP() << quorvane::testing::kOtherFonts;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (label == about.imgMain) continue;
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_TRUE(about.rect().contains(label->geometry()));
    }
}

TEST_F(AboutWindow, LinksLookLikeLinks) {
    if (!quorvane::testing::kDesignFonts) GTEST_SKIP() << quorvane::testing::kOtherFonts;
    for (LinkLabel* link : {about.lblHome, about.lblMail, about.lblTrek}) {
        SCOPED_TRACE(link->objectName().toStdString());
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->font().pointSize(), 9);
        EXPECT_FALSE(link->font().bold());
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_TRUE(about.lblDescription->font().bold());
    EXPECT_DOUBLE_EQ(about.lblDescription->font().pointSizeF(), 9.75);
}

// ---- Links ------------------------------------------------------------------

TEST_F(AboutWindow, EachLinkOpensItsCaptionOnAClick) {
    QTest::mouseClick(about.lblHome, Qt::LeftButton);
    QTest::mouseClick(about.lblMail, Qt::LeftButton);
    QTest::mouseClick(about.lblTrek, Qt::LeftButton);
    ASSERT_EQ(platform.openedUrls.size(), 3);
    EXPECT_EQ(platform.openedUrls[0], QUrl(about::HomePageUrl.toString()));
    EXPECT_EQ(platform.openedUrls[1].toString(), QStringLiteral("mailto:") + about::MailAddress.toString());
    EXPECT_EQ(platform.openedUrls[2], QUrl(about::TrekPageUrl.toString()));
}

TEST_F(AboutWindow, LinkOpensItsCaptionAsItIsAtTheClick) {
    about.lblHome->setText(QStringLiteral("https://example.org/new"));
    about.lblMail->setText(QStringLiteral("other@example.org"));
    QTest::mouseClick(about.lblHome, Qt::LeftButton);
    QTest::mouseClick(about.lblMail, Qt::LeftButton);
    ASSERT_EQ(platform.openedUrls.size(), 2);
    EXPECT_EQ(platform.openedUrls[0], QUrl(QStringLiteral("https://example.org/new")));
    EXPECT_EQ(platform.openedUrls[1].toString(), QStringLiteral("mailto:other@example.org"));
}

TEST_F(AboutWindow, OnlyALeftClickOpensALink) {
    QTest::mouseClick(about.lblHome, Qt::RightButton);
    QTest::mouseClick(about.lblHome, Qt::MiddleButton);
    // Pressed on the link but released beside it: no click.
    QTest::mousePress(about.lblHome, Qt::LeftButton);
    QTest::mouseRelease(about.lblHome, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(platform.openedUrls.isEmpty());
}

// ---- Keyboard ---------------------------------------------------------------

class ShownAboutWindow : public AboutWindow {
protected:
    void SetUp() override {
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    }
};

TEST_F(ShownAboutWindow, OpensWithTheFocusOnOk) {
    EXPECT_EQ(QApplication::focusWidget(), about.cmdOK);
}

TEST_F(ShownAboutWindow, TabReachesTheLinksAndSpaceOrEnterOpensThem) {
    QTest::keyClick(&about, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), about.cmdSysInfo);
    QTest::keyClick(&about, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), about.lblHome);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(&about, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), about.lblMail);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(about.isVisible()) << "Enter on a focused link opens it, not the default button";
    ASSERT_EQ(platform.openedUrls.size(), 2);
    EXPECT_EQ(platform.openedUrls[1].scheme(), QStringLiteral("mailto"));
}

TEST_F(ShownAboutWindow, EnterOnOkCloses) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ShownAboutWindow, EnterOnSysInfoPressesItInstead) {
    about.cmdSysInfo->setFocus();
    QTest::keyClick(about.cmdSysInfo, Qt::Key_Return);
    EXPECT_TRUE(about.isVisible());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().text, Unavailable);
}

TEST_F(ShownAboutWindow, EscClosesWhateverHasTheFocus) {
    for (QWidget* focus : std::initializer_list<QWidget*>{about.cmdOK, about.cmdSysInfo, about.lblTrek}) {
        SCOPED_TRACE(focus->objectName().toStdString());
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(about.isVisible());
    }
    EXPECT_TRUE(platform.openedUrls.isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ShownAboutWindow, AltSPressesSysInfo) {
    QTest::keyClick(&about, Qt::Key_S, Qt::AltModifier);
    // The access key clicks through an animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.messages.isEmpty(); }));
    EXPECT_EQ(platform.messages.size(), 1);
}

// ---- System information -----------------------------------------------------

struct SysInfoCase {
    const char* name;
    QString registry;  // "%DIR%" stands for a folder made for the test
    QStringList files;  // made in %DIR%; names ending in "/" are folders
    bool startSucceeds;
    QString started;  // the one program started, or empty for the message
};

void PrintTo(const SysInfoCase& c, std::ostream* os) { *os << c.name; }

class SysInfoTest : public ::testing::TestWithParam<SysInfoCase> {};

const QString ToolKey = QStringLiteral("[HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n");
const QString FolderKey = QStringLiteral("[HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location]\n");

TEST_P(SysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
#ifdef _WIN32
    GTEST_SKIP() << "the registry stand-in's file exists on Linux only; Windows reads the "
                    "registry itself (win32_platform_test)";
#endif
    const SysInfoCase& c = GetParam();
    QTemporaryDir dir;
    for (const QString& name : c.files) {
        if (name.endsWith(u'/')) QDir(dir.path()).mkpath(name);
        else QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    FakePlatform platform;
    platform.startSucceeds = c.startSucceeds;
    platform.registry = dir.filePath(QStringLiteral("registry.ini"));
    QFile registry(platform.registry);
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.write(QString(c.registry).replace(QStringLiteral("%DIR%"), dir.path()).toUtf8());
    registry.close();

    frmAbout about(platform, QIcon());
    about.StartSysInfo();

    const QString started = QString(c.started).replace(QStringLiteral("%DIR%"), dir.path());
    if (c.startSucceeds && !started.isEmpty()) {
        EXPECT_EQ(platform.startedPrograms, QStringList{started});
        EXPECT_TRUE(platform.messages.isEmpty());
        return;
    }
    EXPECT_EQ(platform.startedPrograms, started.isEmpty() ? QStringList() : QStringList{started});
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, Unavailable);
    EXPECT_EQ(platform.messages[0].caption, QStringLiteral("Quorvane"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SysInfoTest,
    ::testing::Values(
        SysInfoCase{"first_key_names_the_tool", ToolKey + "PATH=REG_SZ:/usr/bin/sysinfo\n", {}, true,
                    "/usr/bin/sysinfo"},
        SysInfoCase{"only_the_folder_key_and_the_tool_is_there", FolderKey + "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE"}, true, "%DIR%/MSINFO32.EXE"},
        SysInfoCase{"tool_name_matches_in_any_letter_case", FolderKey + "MSINFO=REG_SZ:%DIR%/\n",
                    {"msinfo32.exe"}, true, "%DIR%/msinfo32.exe"},
        SysInfoCase{"only_the_folder_key_and_the_tool_is_missing", FolderKey + "MSINFO=REG_SZ:%DIR%\n",
                    {"other.exe"}, true, ""},
        SysInfoCase{"a_folder_of_the_tool_name_is_no_tool", FolderKey + "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE/"}, true, ""},
        SysInfoCase{"first_key_wins_and_its_failure_is_final",
                    ToolKey + "PATH=REG_SZ:%DIR%/gone\n" + FolderKey + "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE"}, false, "%DIR%/gone"},
        SysInfoCase{"first_key_not_plain_text_starts_nothing",
                    ToolKey + "PATH=REG_EXPAND_SZ:/usr/bin/sysinfo\n" + FolderKey + "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE"}, true, ""},
        SysInfoCase{"folder_key_not_text_finds_nothing", FolderKey + "MSINFO=REG_BINARY:2f\n",
                    {}, true, ""},
        SysInfoCase{"no_key_at_all", "; nothing here\n", {}, true, ""},
        SysInfoCase{"over_long_first_value_counts_as_missing",
                    ToolKey + "PATH=REG_SZ:" + QString(1100, u'x') + "\n" + FolderKey +
                        "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE"}, true, "%DIR%/MSINFO32.EXE"},
        SysInfoCase{"value_filling_the_buffer_ends_in_the_message",
                    ToolKey + "PATH=REG_BINARY:" + QString(2048, u'4') + "\n" + FolderKey +
                        "MSINFO=REG_SZ:%DIR%\n",
                    {"MSINFO32.EXE"}, true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
