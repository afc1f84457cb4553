// The typed-length limit as the user meets it: typing, pasting and dropping
// stop at the limit, while the program's own writes stay whole.

#include "widgets/TypedLimitLineEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using quorvane::TypedLimitLineEdit;

class TypedLimitLineEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        field.setTypedLimit(4);
        field.show();
        field.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&field));
        field.setFocus();
    }

    void type(const QString& text) { QTest::keyClicks(&field, text); }

    TypedLimitLineEdit field;
};

TEST_F(TypedLimitLineEditTest, TypingStopsAtTheLimit) {
    QSignalSpy rejected(&field, &QLineEdit::inputRejected);
    type("123456");
    EXPECT_EQ(field.text(), "1234");
    EXPECT_EQ(rejected.count(), 2);
}

TEST_F(TypedLimitLineEditTest, TypingOverASelectionReplacesIt) {
    type("1234");
    field.setSelection(1, 2);
    type("56");
    EXPECT_EQ(field.text(), "1564");
}

TEST_F(TypedLimitLineEditTest, ProgramWritesStayWholeAndCanBeShortened) {
    field.setText("12345");
    EXPECT_EQ(field.text(), "12345");
    field.end(false);
    type("6");
    EXPECT_EQ(field.text(), "12345");
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    type("99");
    EXPECT_EQ(field.text(), "1239");
}

TEST_F(TypedLimitLineEditTest, PastingKeepsWhatFits) {
    QApplication::clipboard()->setText("98765");
    type("12");
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "1298");
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), "1298");
}

TEST_F(TypedLimitLineEditTest, PastingFromTheContextMenuKeepsWhatFits) {
    QApplication::clipboard()->setText("98765");
    type("12");
    QContextMenuEvent request(QContextMenuEvent::Mouse, field.rect().center(),
                              field.mapToGlobal(field.rect().center()));
    QApplication::sendEvent(&field, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QLineEdit::tr("&Paste"))) paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(field.text(), "1298");
}

TEST_F(TypedLimitLineEditTest, DroppingKeepsWhatFits) {
    type("12");
    QMimeData data;
    data.setText("98765");
    const QPoint end(field.width() - 4, field.height() / 2);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&field, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&field, &drop);
        EXPECT_EQ(field.text(), "1298");
    }
}

TEST_F(TypedLimitLineEditTest, WithoutALimitEverythingIsTaken) {
    field.setTypedLimit(0);
    const QString longText = QStringLiteral("1234567890.1234567890");
    type(longText);
    QApplication::clipboard()->setText(longText);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), longText + longText);
}

TEST_F(TypedLimitLineEditTest, TheInputMethodStaysOff) {
    EXPECT_FALSE(field.testAttribute(Qt::WA_InputMethodEnabled));
    field.setReadOnly(true);
    field.setReadOnly(false);
    EXPECT_FALSE(field.inputMethodQuery(Qt::ImEnabled).toBool());
}

}  // namespace
