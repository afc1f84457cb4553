#include "mainwindow/WindowSettings.h"

#include "widgets/Twips.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace quorvane {
namespace {

using testing::FakePlatform;

// Every test gets its own, empty user config folder.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
        QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        useConfigFolder(config.path());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfigHome); }

    void useConfigFolder(const QString& folder) { qputenv("XDG_CONFIG_HOME", folder.toUtf8()); }
    QString file() const { return SettingsFilePath(); }

    void writeStore(const QByteArray& text) {
        QDir().mkpath(QFileInfo(file()).path());
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }
    QByteArray storeBytes() const {
        QFile in(file());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    QString stored(const QString& key) const {
        return QSettings(file(), QSettings::IniFormat).value(key).toString();
    }

    // A window as the program builds it at start, restored from the store.
    std::unique_ptr<frmMain> openWindow() {
        auto window = std::make_unique<frmMain>(platform);
        RestoreWindowSettings(*window);
        return window;
    }
    int pixels(double twips, const QWidget& w) const { return TwipsToPixels(twips, &w); }

    QTemporaryDir config;
    QByteArray savedConfigHome;
    FakePlatform platform;
};

TEST_F(SettingsStore, FirstRunOpensWithTheDocumentedDefaults) {
    const auto window = openWindow();
    EXPECT_EQ(window->pos(), QPoint(pixels(100, *window), pixels(100, *window)));
    EXPECT_TRUE(Ui(window).chkRealTime->isChecked());
    EXPECT_TRUE(Ui(window).chkReset->isChecked());
    EXPECT_TRUE(Ui(window).chkBase90->isChecked());
    EXPECT_TRUE(Ui(window).chkBase90->isEnabled());
    EXPECT_EQ(Ui(window).txtReset->text(), QStringLiteral("100000"));
    EXPECT_TRUE(Ui(window).txtReset->isEnabled());
    EXPECT_TRUE(Ui(window).optYD->isChecked());
    EXPECT_FALSE(QFile::exists(file())) << "reading must not create the store";
}

TEST_F(SettingsStore, EveryKeyRoundTrips) {
    {
        const auto window = openWindow();
        window->move(pixels(1500, *window), pixels(3000, *window));
        Ui(window).chkRealTime->setChecked(false);
        Ui(window).chkReset->setChecked(false);
        Ui(window).txtReset->setText(QStringLiteral(" 2,500 "));
        Ui(window).optMD->setChecked(true);
        ASSERT_TRUE(SaveWindowSettings(*window));
    }
    EXPECT_EQ(stored("Window/Top"), QStringLiteral("3000"));
    EXPECT_EQ(stored("Window/Left"), QStringLiteral("1500"));
    EXPECT_EQ(stored("Option/Reset"), QStringLiteral("False"));
    EXPECT_EQ(stored("Option/RealTime"), QStringLiteral("False"));
    EXPECT_EQ(stored("Option/Base"), QStringLiteral("True"));
    EXPECT_EQ(stored("Option/DayOpt"), QStringLiteral("Month-Day"));
    EXPECT_EQ(stored("SoftInfo/Vertion"), QStringLiteral("1.22"));

    const auto again = openWindow();
    EXPECT_EQ(again->pos(), QPoint(pixels(1500, *again), pixels(3000, *again)));
    EXPECT_FALSE(Ui(again).chkRealTime->isChecked());
    EXPECT_FALSE(Ui(again).chkReset->isChecked());
    EXPECT_FALSE(Ui(again).txtReset->isEnabled());
    EXPECT_EQ(Ui(again).txtReset->text(), QStringLiteral(" 2,500 "));
    EXPECT_TRUE(Ui(again).optMD->isChecked());
}

// ---- Stored texts -------------------------------------------------------------

struct StoredCase {
    const char* name;
    const char* store;
    bool reset, realTime, base, monthDay;
    const char* resetNumber;
    QPoint twips;  // restored Left, Top
};

class StoredTextTest : public SettingsStore, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredTextTest, RestoresRecognisedTextsAndSavesThemBack) {
    const StoredCase& c = GetParam();
    writeStore(c.store);
    const auto window = openWindow();
    EXPECT_EQ(Ui(window).chkReset->isChecked(), c.reset);
    EXPECT_EQ(Ui(window).txtReset->isEnabled(), c.reset);
    EXPECT_EQ(Ui(window).chkBase90->isEnabled(), c.reset);
    EXPECT_EQ(Ui(window).chkRealTime->isChecked(), c.realTime);
    EXPECT_EQ(Ui(window).chkBase90->isChecked(), c.base);
    EXPECT_EQ(Ui(window).optMD->isChecked(), c.monthDay);
    EXPECT_EQ(Ui(window).txtReset->text(), QString::fromUtf8(c.resetNumber));
    EXPECT_EQ(window->pos(), QPoint(pixels(c.twips.x(), *window), pixels(c.twips.y(), *window)));

    ASSERT_TRUE(SaveWindowSettings(*window));
    EXPECT_EQ(stored("Option/Reset"), c.reset ? "True" : "False");
    EXPECT_EQ(stored("Option/RealTime"), c.realTime ? "True" : "False");
    EXPECT_EQ(stored("Option/Base"), c.base ? "True" : "False");
    EXPECT_EQ(stored("Option/DayOpt"), c.monthDay ? "Month-Day" : "YearDay");
    EXPECT_EQ(stored("Option/ResetNum"), QString::fromUtf8(c.resetNumber));
    EXPECT_EQ(stored("SoftInfo/Vertion"), QStringLiteral("1.22"));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredTextTest,
    ::testing::Values(
        StoredCase{"reset_false_disables_the_reset_number_and_year_window", "[Option]\nReset=False\n",
                   false, true, true, false, "100000", {100, 100}},
        StoredCase{"words_in_other_letter_case_are_not_recognised",
                   "[Option]\nReset=false\nRealTime=FALSE\nDayOpt=yearday\n", true, false, true, true,
                   "100000", {100, 100}},
        StoredCase{"month_day_opens_in_month_day_mode", "[Option]\nDayOpt=Month-Day\n", true, true, true,
                   true, "100000", {100, 100}},
        StoredCase{"unknown_day_option_stays_in_month_day_mode", "[Option]\nDayOpt=Weekday\n", true, true,
                   true, true, "100000", {100, 100}},
        StoredCase{"unknown_base_text_leaves_it_unchecked", "[Option]\nBase=Yes\n", true, true, false, false,
                   "100000", {100, 100}},
        StoredCase{"reset_number_that_is_no_number_is_kept", "[Option]\nResetNum=abc\n", true, true, true,
                   false, "abc", {100, 100}},
        StoredCase{"empty_reset_number_is_kept", "[Option]\nResetNum=\n", true, true, true, false, "",
                   {100, 100}},
        StoredCase{"hand_written_reset_number_with_a_comma", "[Option]\nResetNum=1,000\n", true, true, true,
                   false, "1,000", {100, 100}},
        StoredCase{"position_is_read_in_twips", "[Window]\nTop=1200\nLeft=-0\n", true, true, true, false,
                   "100000", {0, 1200}},
        StoredCase{"position_that_is_no_number_reads_100", "[Window]\nTop=abc\nLeft=\n", true, true, true,
                   false, "100000", {100, 100}},
        StoredCase{"position_beyond_single_precision_reads_100", "[Window]\nTop=1e39\nLeft=nan\n", true,
                   true, true, false, "100000", {100, 100}},
        StoredCase{"old_version_key_is_overwritten", "[SoftInfo]\nVertion=0.9\n", true, true, true, false,
                   "100000", {100, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Positions ----------------------------------------------------------------

TEST_F(SettingsStore, PositionOffEveryScreenIsPulledOntoTheNearest) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* store : {"[Window]\nTop=-3000000\nLeft=-3000000\n", "[Window]\nTop=500\nLeft=9999999\n",
                              "[Window]\nTop=1e30\nLeft=1e30\n", "[Window]\nTop=-300\nLeft=100\n"}) {
        SCOPED_TRACE(store);
        writeStore(store);
        const auto window = openWindow();
        const QRect placed(window->pos(), window->frameGeometry().size());
        EXPECT_TRUE(screen.contains(placed.topLeft())) << placed.x() << "," << placed.y();
        if (placed.width() <= screen.width()) {
            EXPECT_LE(placed.right(), screen.right());
        }
    }
}

TEST_F(SettingsStore, PartlyVisibleWindowStaysWhereTheUserPutIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto window = std::make_unique<frmMain>(platform);
    const QPoint halfOut(screen.right() - window->frameGeometry().width() / 2, screen.top() + 10);
    EXPECT_EQ(ReachablePosition(*window, halfOut), halfOut);
}

// ---- A store that cannot be used ------------------------------------------------

TEST_F(SettingsStore, CorruptFileStillOpensAndIsRepairedByTheNextSave) {
    writeStore(QByteArray("\xff\xfe\x00[Window\nTop=\x01\x02\n[Option]\nReset=False\n\x00\x00junk=\n", 46));
    const auto window = openWindow();
    EXPECT_FALSE(Ui(window).chkReset->isChecked());
    EXPECT_EQ(Ui(window).txtReset->text(), QStringLiteral("100000"));
    EXPECT_EQ(window->pos(), QPoint(pixels(100, *window), pixels(100, *window)));
    ASSERT_TRUE(SaveWindowSettings(*window));
    EXPECT_EQ(stored("Option/Reset"), QStringLiteral("False"));
    // Whole pixels: 100 twips is shown at 7 pixels at 96 dpi, which is 105 twips.
    EXPECT_EQ(stored("Window/Top"), QString::number(PixelsToTwips(window->pos().y(), window.get())));
}

TEST_F(SettingsStore, SettingsPathThatIsAFolderGivesDefaultsAndAFailedSave) {
    ASSERT_TRUE(QDir().mkpath(file()));
    const auto window = openWindow();
    EXPECT_TRUE(Ui(window).optYD->isChecked());
    EXPECT_TRUE(Ui(window).chkReset->isChecked());
    EXPECT_FALSE(SaveWindowSettings(*window));
    EXPECT_TRUE(QFileInfo(file()).isDir());
}

// The config folder sits so deep that the settings file itself can be read,
// but neither the temporary file a save writes first nor its lock file fit in
// a path. This stops writes even for root, whom permission bits do not stop.
TEST_F(SettingsStore, FailedSaveLeavesTheGoodFileUntouched) {
    QString deep = config.path();
    const int target = 4095 - int(sizeof("/OvrekSoft/Quorvane.conf") - 1) - 2;
    while (deep.size() < target) deep += u'/' + QString(std::min<qsizetype>(200, target - deep.size() - 1), u'd');
    ASSERT_TRUE(QDir().mkpath(deep + QStringLiteral("/OvrekSoft")));
    useConfigFolder(deep);
    writeStore("[Option]\nReset=False\nResetNum=5000\n");
    const QByteArray before = storeBytes();
    ASSERT_FALSE(before.isEmpty());

    const auto window = openWindow();
    EXPECT_FALSE(Ui(window).chkReset->isChecked());
    EXPECT_EQ(Ui(window).txtReset->text(), QStringLiteral("5000"));
    Ui(window).txtReset->setText(QStringLiteral("42"));
    EXPECT_FALSE(SaveWindowSettings(*window));
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(QDir(deep + QStringLiteral("/OvrekSoft")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("Quorvane.conf")});
}

}  // namespace
}  // namespace quorvane
