// Settings stores that cannot be used, met the way the program meets them:
// the main window's load restores, its close saves.
#include "HostileSupport.h"

#include "mainwindow/TypedLimitLineEdit.h"
#include "mainwindow/WindowSettings.h"
#include "mainwindow/frmMain.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

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
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        ASSERT_TRUE(QDir().mkpath(folder()));
    }
    void TearDown() override {
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", savedHome);
    }

    QString folder() const { return home.filePath(QStringLiteral("OvrekSoft")); }
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
        started = {window->chkReset->isChecked(), window->chkRealTime->isChecked(),
                   window->chkBase90->isChecked(), window->optYD->isChecked()};
        startedReset = window->txtReset->text();
        window->chkReset->setChecked(!window->chkReset->isChecked());
        window->chkRealTime->setChecked(!window->chkRealTime->isChecked());
        window->txtReset->setText(QStringLiteral("42"));
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
    QFile file(SettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kGoodStore);
    file.close();
    hostile::OpenToEveryone(home.path());
    ASSERT_TRUE(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
    {
        hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << "root cannot drop its rights here";
        startChangeAndClose();
    }
    EXPECT_EQ(started, (QList<bool>{false, false, false, false}));
    EXPECT_EQ(startedReset, QStringLiteral("5000"));
    EXPECT_EQ(bytes(SettingsFilePath()), kGoodStore);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("Quorvane.conf")});
}

TEST_F(HostileSettings, ReadOnlyConfigFolderWithoutAStoreStartsWithTheDefaults) {
    hostile::OpenToEveryone(home.path());
    ASSERT_TRUE(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
    {
        hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << "root cannot drop its rights here";
        startChangeAndClose();
    }
    EXPECT_EQ(started, kDefaults);
    EXPECT_EQ(startedReset, QStringLiteral("100000"));
    EXPECT_TRUE(folderEntries().isEmpty());
}

// A config folder beneath a regular file can be neither read nor created,
// whoever runs the program.
TEST_F(HostileSettings, ConfigFolderBeneathAFileStartsWithTheDefaults) {
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

}  // namespace
}  // namespace quorvane
