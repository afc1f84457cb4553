// Every translated face, and the pseudo face qps-ploc made at build time from
// the English: a text that bypasses the translations shows up as plain text
// in it, and a caption too long for its control as a caption that overflows.
#include "integration/IntegrationFixture.h"

#include "app/UiFace.h"
#include "datalist/frmDataList.h"
#include "editor/frmEditor.h"
#include "services/frmAbout.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>

namespace {

using quorvane::FaceTranslators;
using quorvane::UiLanguage;

QSize ContentsRoom(const QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button).size();
}

class FaceCaptionTest : public ::testing::TestWithParam<const char*> {};

// The design grows by one factor when a caption does not fit; every face
// must fit through that rule, in width and in height, and keep the access
// keys the users know.
TEST_P(FaceCaptionTest, EveryCaptionFitsItsControlAndKeepsItsAccessKey) {
    const FaceTranslators face(*UiLanguage::FromCode(GetParam()));
#ifndef _WIN32
    // Under Wine the tests run against the Qt kit, which holds none of Qt's
    // own translations; the packages ship them (the package checks look).
    ASSERT_TRUE(face.complete());
#endif
    quorvane::testing::FakePlatform platform;
    frmMain window(platform);
    const quorvane::testing::MainWindowControls ui(window);

    const auto needed = [](const QWidget* control, const QString& text) {
        return control->fontMetrics().size(Qt::TextShowMnemonic, text);
    };
    const auto fits = [](QSize want, QSize have) {
        return want.width() <= have.width() && want.height() <= have.height();
    };
    for (QCheckBox* box : {ui.chkReset, ui.chkRealTime, ui.chkBase90})
        EXPECT_TRUE(fits(needed(box, box->text()), ContentsRoom(box, QStyle::SE_CheckBoxContents)))
            << box->text().toStdString();
    for (QPushButton* button : {ui.cmdToday, ui.cmdExit, ui.cmdCEarhDate, ui.cmdCStarDate})
        EXPECT_TRUE(fits(needed(button, button->text()), ContentsRoom(button, QStyle::SE_PushButtonContents)))
            << button->text().toStdString();
    for (QLabel* label : {ui.lblYear, ui.lblMonth, ui.lblDate, ui.lblYearDate})
        EXPECT_TRUE(fits(needed(label, label->text()), label->contentsRect().size())) << label->text().toStdString();
    for (QGroupBox* frame : {ui.fraEarthDate, ui.fraStarDate})
        EXPECT_LE(needed(frame, frame->title()).width(), frame->width()) << frame->title().toStdString();

    EXPECT_EQ(QKeySequence::mnemonic(ui.chkRealTime->text()), QKeySequence(Qt::ALT | Qt::Key_R));
    EXPECT_EQ(QKeySequence::mnemonic(ui.chkBase90->text()), QKeySequence(Qt::ALT | Qt::Key_9));
    EXPECT_EQ(QKeySequence::mnemonic(ui.cmdExit->text()), QKeySequence(Qt::ALT | Qt::Key_X));
}

INSTANTIATE_TEST_SUITE_P(TranslatedFaces, FaceCaptionTest, ::testing::Values("en", "de", "qps-ploc"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).remove(QLatin1Char('-')).toStdString();
                         });

// What is left of a text once the pseudo face's own [ ] and the names that
// are no words (the program's, addresses, file names, numbers) are taken out.
QString PlainPart(QString text) {
    static const QRegularExpression bracketed(QStringLiteral("\\[[^\\]]*\\]"));
    static const QRegularExpression names(QStringLiteral(
        "https?://\\S+|\\S+@\\S+|\\S*[/\\\\]\\S*|[\\w.-]+\\.(vqd|txt|TXT|bak)|"
        "\\b(Quorvane|StarData|OvrekSoft|Copyright|Ver|Nothing)\\b"));
    text.remove(bracketed);
    text.remove(names);
    return text;
}

class PseudoFaceTest : public IntegrationTest {
protected:
    void expectNoPlainText(const QWidget& window) {
        static const QRegularExpression plain(
            QStringLiteral("[A-Za-z]{2,}|[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
        QStringList texts{window.windowTitle()};
        for (const QWidget* widget : window.findChildren<QWidget*>()) {
            texts << widget->toolTip() << widget->accessibleName();
            // The option buttons' own captions are the design's and never show.
            if (const auto* option = qobject_cast<const QRadioButton*>(widget)) {
                QStyleOptionButton style;
                style.initFrom(option);
                EXPECT_LE(option->width(),
                          option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).left())
                    << option->objectName().toStdString();
                continue;
            }
            // The event list's headings are the catalogue's own first line.
            static const QStringList headings{QStringLiteral("lblTitle"), QStringLiteral("lblDetail"),
                                              QStringLiteral("lblSource")};
            if (qobject_cast<const frmDataList*>(&window) && headings.contains(widget->objectName())) continue;
            if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
            if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) texts << frame->title();
            if (const auto* field = qobject_cast<const QLineEdit*>(widget)) texts << field->placeholderText();
        }
        for (const QString& text : std::as_const(texts))
            EXPECT_FALSE(plain.match(PlainPart(text)).hasMatch())
                << window.objectName().toStdString() << ": " << text.toStdString();
    }
};

TEST_F(PseudoFaceTest, EveryWindowAndMessageShowsOnlyTranslatedText) {
    const FaceTranslators face(*UiLanguage::FromCode("qps-ploc"));
    ASSERT_TRUE(face.complete());
    start();
    expectNoPlainText(*main);
    frmAbout about(platform, main->windowIcon(), main.get());
    expectNoPlainText(about);

    // The missing read-me and the missing catalogue, each declined.
    platform.messageAnswers.enqueue(quorvane::MessageAnswer::No);
    click(Ui(main).cmdHelp);
    platform.messageAnswers.enqueue(quorvane::MessageAnswer::No);
    main->EditDatabase();
    // A conversion the window refuses.
    typeInto(Ui(main).txtYear, "2365");
    typeInto(Ui(main).txtYearDate, "400");
    click(Ui(main).cmdCStarDate);
    // A catalogue with a problem, in the list and then in the editor.
    writeCatalogue("\"A\",\"a\",1,\"s\"\r\n\r\n\"B\",\"b\",2,\"s\"\r\n");
    main->ShowDataList();
    ASSERT_NE(main->DataList(), nullptr);
    expectNoPlainText(*main->DataList());
    main->EditDatabase();
    ASSERT_NE(main->Editor(), nullptr);
    expectNoPlainText(*main->Editor());

    ASSERT_GE(platform.messages.size(), 4) << messageTexts().join('\n').toStdString();
    for (const auto& message : std::as_const(platform.messages)) {
        EXPECT_TRUE(message.text.startsWith(QLatin1Char('['))) << message.text.toStdString();
        EXPECT_FALSE(QRegularExpression(QStringLiteral("[A-Za-z]{2,}|[\\x{3000}-\\x{9fff}]"))
                         .match(PlainPart(message.text))
                         .hasMatch())
            << message.text.toStdString();
    }
}

}  // namespace
