// Settings stores that cannot be used, met the way the program meets them:
// the main window's load restores, its close saves.
#include "HostileSupport.h"

#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/WindowSettings.h"
#include "mainwindow/frmMain.h"
#include "services/IniFormat.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"
#include "support/UserProfile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvane {
namespace {

using testing::FakePlatform;

const QByteArray kGoodStore = "[Option]\nBase=False\nDayOpt=Month-Day\nRealTime=False\nReset=False\n"
                              "ResetNum=5000\n\n[Window]\nLeft=1500\nTop=1500\n";

class HostileSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        savedHome = qgetenv("XDG_CONFIG_HOME");
        testing::UseSettingsStoreIn(home.path());
        ASSERT_TRUE(QDir().mkpath(folder()));
    }
    void TearDown() override {
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", savedHome);
    }

    QString folder() const { return home.filePath(QStringLiteral("OvrekSoft")); }
    // Readable by the unprivileged user the test switches to, writable by nobody.
    bool makeFolderReadOnly() {
        hostile::OpenToEveryone(home.path());
        return QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther);
    }
    QStringList folderEntries() const {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The program's start and close, with the user changing every option.
    void startChangeAndClose() {
        auto window = std::make_unique<frmMain>(platform);
        window->Form_Load();
        window->show();
        started = {Ui(window).chkReset->isChecked(), Ui(window).chkRealTime->isChecked(),
                   Ui(window).chkBase90->isChecked(), Ui(window).optYD->isChecked()};
        startedReset = Ui(window).txtReset->text();
        Ui(window).chkReset->setChecked(!Ui(window).chkReset->isChecked());
        Ui(window).chkRealTime->setChecked(!Ui(window).chkRealTime->isChecked());
        Ui(window).txtReset->setText(QStringLiteral("42"));
        EXPECT_TRUE(window->close());
    }

    QTemporaryDir home;
    QByteArray savedHome;
    FakePlatform platform;
    QList<bool> started;  // reset, live, 1990-2010, day of the year
    QString startedReset;
};

const QList<bool> kDefaults = {true, true, true, true};

TEST_F(HostileSettings, ReadOnlyConfigFolderKeepsTheStoredSettingsUntouched) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kGoodStore);
    file.close();
    ASSERT_TRUE(makeFolderReadOnly());
    {
        hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
        startChangeAndClose();
    }
    EXPECT_EQ(started, (QList<bool>{false, false, false, false}));
    EXPECT_EQ(startedReset, QStringLiteral("5000"));
    EXPECT_EQ(bytes(SettingsFilePath()), kGoodStore);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Quorvane.conf")});
}

TEST_F(HostileSettings, ReadOnlyConfigFolderWithoutAStoreStartsWithTheDefaults) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    ASSERT_TRUE(makeFolderReadOnly());
    {
        hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
        startChangeAndClose();
    }
    EXPECT_EQ(started, kDefaults);
    EXPECT_EQ(startedReset, QStringLiteral("100000"));
    EXPECT_TRUE(folderEntries().isEmpty());
}

// A config folder beneath a regular file can be neither read nor created,
// whoever runs the program.
TEST_F(HostileSettings, ConfigFolderBeneathAFileStartsWithTheDefaults) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    const QString blocker = home.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toUtf8());
    startChangeAndClose();
    EXPECT_EQ(started, kDefaults);
    EXPECT_EQ(startedReset, QStringLiteral("100000"));
    EXPECT_EQ(bytes(blocker), QByteArray("keep me"));
}

// ---- What the program did not change ------------------------------------------

// A file too large to read whole is still the user's: the close keeps it and
// says so once, and the window closes all the same.
TEST_F(HostileSettings, FileTooLargeToReadIsKeptAndTheCloseSaysSo) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    const QByteArray store = kGoodStore + "; " + QByteArray(MaxIniFileSize, '-') + "\n";
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(store);
    file.close();

    startChangeAndClose();
    EXPECT_EQ(started, kDefaults);
    const QByteArray saved = bytes(SettingsFilePath());
    EXPECT_TRUE(saved == store) << saved.size() << " bytes left of " << store.size();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith(QStringLiteral("設定を保存できませんでした。")));
}

// Lines another program wrote go back byte for byte: a comment, a line too
// long to read, a text that is no valid UTF-8.
TEST_F(HostileSettings, AnotherProgramsLinesSurviveAClose) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    const QByteArray foreign = "; written by hand\r\n[Other]\r\nBlob=" + QByteArray(MaxIniLineSize + 1, 'x') +
                               "\r\nName=caf\xe9\r\n";
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(foreign + kGoodStore);
    file.close();

    startChangeAndClose();
    EXPECT_EQ(startedReset, QStringLiteral("5000"));
    const QByteArray saved = bytes(SettingsFilePath());
    EXPECT_TRUE(saved.startsWith(foreign)) << saved.left(120).toStdString();
    EXPECT_TRUE(saved.contains("ResetNum=42")) << saved.right(300).toStdString();
}

// A file the next start could not read would lose every key in it: a close
// that would grow the file past the reader's limit keeps it as it is, and
// says why.
TEST_F(HostileSettings, CloseNeverGrowsTheFilePastWhatTheNextStartReads) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    QByteArray store = kGoodStore + "; ";
    store += QByteArray(MaxIniFileSize - 3 - store.size(), '-') + "\n";
    ASSERT_EQ(store.size(), MaxIniFileSize - 2);
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(store);
    file.close();

    startChangeAndClose();
    EXPECT_EQ(startedReset, QStringLiteral("5000"));
    const QByteArray saved = bytes(SettingsFilePath());
    EXPECT_TRUE(saved == store) << saved.size() << " bytes saved of " << store.size();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(SettingsFilePath()));
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("16 MiB"))) << platform.messages[0].text.toStdString();

    startChangeAndClose();
    EXPECT_EQ(startedReset, QStringLiteral("5000")) << "the next start reads the file";
}

// A reset number too long to read shows the default; the close then has
// nothing new to say, and the user's line stays as it was.
TEST_F(HostileSettings, ResetNumberTooLongToReadIsKeptByTheClose) {
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    const QByteArray longLine = "ResetNum=" + QByteArray(MaxIniLineSize + 1, '7');
    const QByteArray store = "[Option]\n" + longLine + "\nReset=False\n";
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(store);
    file.close();

    auto window = std::make_unique<frmMain>(platform);
    window->Form_Load();
    EXPECT_EQ(Ui(window).txtReset->text(), QStringLiteral("100000"));
    EXPECT_TRUE(window->close());
    const QByteArray saved = bytes(SettingsFilePath());
    EXPECT_TRUE(saved.contains("\n" + longLine + "\n")) << saved.right(200).toStdString();
    EXPECT_FALSE(saved.contains("ResetNum=100000")) << saved.right(200).toStdString();
    EXPECT_TRUE(platform.messages.isEmpty());
}

#ifndef _WIN32
// Opening a FIFO for reading waits for a writer that never comes.
TEST_F(HostileSettings, FifoInPlaceOfTheFileNeitherBlocksNorIsReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(SettingsFilePath()).constData(), 0600), 0);
    startChangeAndClose();
    EXPECT_EQ(started, kDefaults);
    EXPECT_EQ(QFileInfo(SettingsFilePath()).isFile(), false);
    ASSERT_EQ(platform.messages.size(), 1);
    // What to look for, not only that the save failed.
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("ファイルではないもの")))
        << platform.messages[0].text.toStdString();
}
#endif

// ---- Stored values that Qt would rebuild as objects ---------------------------
//
// Qt's INI reader turns "@Variant(...)" into whatever binary value it spells:
// a list claiming four billion entries, or lists nested a hundred thousand
// deep, which overflowed the stack at every start. Such a value is only ever
// a text here, and a save stores it so that Qt's reader takes it as one too.

QByteArray NestedLists(int depth) {
    QByteArray inner;
    for (int i = 0; i < depth; ++i) inner += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    return "[Option]\nReset=False\nResetNum=@Variant(" + inner + "\\0\\0\\0\\t\\0\\0\\0\\0)\n";
}

struct SerialisedCase {
    const char* name;
    QByteArray store;
    QString reset;  // what the reset number field shows
};

void PrintTo(const SerialisedCase& c, std::ostream* os) { *os << c.name; }

class SerialisedValues : public HostileSettings, public ::testing::WithParamInterface<SerialisedCase> {};

TEST_P(SerialisedValues, AreTextsAndTheRestOfTheStoreIsKept) {
    // These are spellings of the INI format; the registry holds plain texts.
    if (testing::kSettingsInRegistry) GTEST_SKIP() << testing::kNoSettingsFile;
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().store);
    file.close();

    startChangeAndClose();
    // The plain line beside the junk still counts.
    EXPECT_EQ(started, (QList<bool>{false, true, true, true}));
    EXPECT_EQ(startedReset, GetParam().reset);

    const QByteArray saved = bytes(SettingsFilePath());
    EXPECT_TRUE(saved.contains("Reset=True")) << saved.left(200).toStdString();
    EXPECT_TRUE(saved.contains("ResetNum=42")) << saved.left(200).toStdString();
    const QSettings earlier(SettingsFilePath(), QSettings::IniFormat);
    for (const QString& key : earlier.allKeys())
        EXPECT_EQ(earlier.value(key).typeId(), QMetaType::QString) << key.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Stores, SerialisedValues,
    ::testing::Values(
        SerialisedCase{"list_of_four_billion_texts",
                       "[Option]\nReset=False\nResetNum=@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\n",
                       QStringLiteral("@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)")},
        SerialisedCase{"lists_nested_two_hundred_thousand_deep_on_an_overlong_line", NestedLists(200000),
                       QStringLiteral("100000")},
        SerialisedCase{"spelt_with_escapes",
                       "[Option]\nReset=False\nResetNum=\"\\x40\\x56\\x61riant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\"\n",
                       QStringLiteral("\"\\x40\\x56\\x61riant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\"")},
        SerialisedCase{"spelt_with_an_escape_the_reader_drops",
                       "[Option]\nReset=False\nResetNum=@Var\\[iant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\n",
                       QStringLiteral("@Var\\[iant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)")},
        SerialisedCase{"split_over_continued_lines",
                       "[Option]\nReset=False\nResetNum=@Var\\\niant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\n",
                       QStringLiteral("@Var\\")},
        SerialisedCase{"in_a_list", "[Option]\nReset=False\nResetNum=1, @Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\n",
                       QStringLiteral("1, @Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)")},
        SerialisedCase{"in_a_section_nobody_reads",
                       "[Option]\nReset=False\n[Other]\nx=@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xf0)\n",
                       QStringLiteral("100000")}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts the program itself stores for a reset number that merely begins like
// a serialised object: they come back as they were, save after save.
TEST_F(HostileSettings, TextsThatOnlyLookSerialisedAreKept) {
    const QString texts[] = {QStringLiteral("@Variant(1)"), QStringLiteral("@Variant(\0\1)"),
                             QStringLiteral("@String(@Variant(1))")};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        // Every Windows program reads a REG_SZ up to its first NUL.
        if (testing::kSettingsInRegistry && text.contains(QChar(u'\0'))) continue;
        {
            frmMain window(platform);
            Ui(window).txtReset->setText(text);
            ASSERT_TRUE(SaveWindowSettings(window));
        }
        for (int run = 0; run < 2; ++run) {
            frmMain window(platform);
            window.Form_Load();
            EXPECT_EQ(Ui(window).txtReset->text(), text);
            EXPECT_TRUE(window.close());
        }
    }
}

}  // namespace
}  // namespace quorvane
