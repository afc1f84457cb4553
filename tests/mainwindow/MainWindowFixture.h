#pragma once
// A shown main window on the recording platform, driven as a user would.

#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmMain>(platform);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Clicks into the field, selects what it holds and types over it.
    static void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    static void click(QAbstractButton* button) {
        button->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Fills the Earth date fields with live conversion off, as typing would.
    void enterEarthDate(const QString& year, const QString& month, const QString& day) {
        typeInto(Ui(window).txtYear, year);
        typeInto(Ui(window).txtMonth, month);
        typeInto(Ui(window).txtDate, day);
    }

    void setLive(bool on) { Ui(window).chkRealTime->setChecked(on); }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : platform.messages) texts << message.text;
        return texts;
    }

    QStringList earthFields() const {
        return {Ui(window).txtYear->text(), Ui(window).txtYearDate->text(), Ui(window).txtMonth->text(),
                Ui(window).txtDate->text()};
    }

    quorvane::testing::FakePlatform platform;
    std::unique_ptr<frmMain> window;
};
