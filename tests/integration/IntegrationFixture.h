#pragma once
// The main window as the program starts it, on the recording platform, with a
// temporary program folder and a fresh user config folder for every test.

#include "support/CatalogueFile.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/WindowSettings.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"
#include "support/UserProfile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

class IntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        ASSERT_TRUE(programFolder.isValid());
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        useConfigFolder(config.path());
        platform.folder = programFolder.path();
    }

    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qputenv("XDG_CONFIG_HOME", savedConfigHome);
    }

    static void useConfigFolder(const QString& folder) {
        quorvane::testing::UseSettingsStoreIn(folder);
    }

    // Load, then show, as the program's start does.
    void start() {
        main = std::make_unique<frmMain>(platform);
        main->Form_Load();
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    static void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    // Windows deleted on close go at the next pass of the event loop.
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writeStore(const QByteArray& text) const { quorvane::testing::WriteSettingsStore(text); }

    QString writeProgramFile(const QString& name, const std::string& bytes) const {
        return quorvane::testing::WriteTestFile(programFolder.filePath(name), bytes);
    }

    // A catalogue in the program folder, given as UTF-8 record lines.
    void writeCatalogue(const std::string& records) const {
        quorvane::testing::WriteCatalogue(programFolder.filePath(QStringLiteral("StarTrek.vqd")),
                                          records);
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : platform.messages) texts << message.text;
        return texts;
    }

    QTemporaryDir config;
    QTemporaryDir programFolder;
    QByteArray savedConfigHome;
    quorvane::testing::FakePlatform platform;
    std::unique_ptr<frmMain> main;
};
