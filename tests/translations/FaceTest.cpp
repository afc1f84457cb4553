// The two faces as the user meets them: Qt's own texts in Japanese under the
// Japanese face, the English captions inside their controls with their
// access keys, the English read-me, and the --language choice kept.
#include "integration/IntegrationFixture.h"

#include "app/UiFace.h"
#include "datalist/frmDataList.h"
#include "editor/frmEditor.h"
#include "services/frmAbout.h"
#include "services/RealPlatform.h"
#include "services/SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QLibraryInfo>
#include <QMenu>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTimer>
#include <QTreeView>

namespace {

using quorvane::FaceTranslators;
using quorvane::UiLanguage;

bool QtJapaneseInstalled() {
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                             QStringLiteral("/qtbase_ja.qm"));
}

TEST(JapaneseFaceTest, QtsOwnButtonsAndTextFieldMenuReadJapanese) {
#ifdef _WIN32
    // Only the packaged folder holds Qt's Japanese; the kit the tests run from has none.
    if (!QtJapaneseInstalled()) GTEST_SKIP() << "no qtbase_ja.qm beside the Qt kit";
#endif
    ASSERT_TRUE(QtJapaneseInstalled()) << "qt6-translations-l10n is not installed";
    const FaceTranslators face(*UiLanguage::FromCode("ja"));
    ASSERT_TRUE(face.complete());

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));

    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().first()->text().startsWith(QStringLiteral("元に戻す")))
        << menu->actions().first()->text().toStdString();
}

// A German desktop: Qt's own buttons and menus in German too.
TEST(GermanFaceTest, QtsOwnButtonsAndTextFieldMenuReadGerman) {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "no qtbase_de.qm beside the Qt kit";
    const FaceTranslators face(*UiLanguage::FromCode("de"));
    ASSERT_TRUE(face.complete());

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));

    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().first()->text().contains(QStringLiteral("ckgängig")))
        << menu->actions().first()->text().toStdString();

    quorvane::testing::FakePlatform platform;
    frmMain window(platform);
    const quorvane::testing::MainWindowControls ui(window);
    EXPECT_EQ(ui.cmdToday->text(), QStringLiteral("Heute"));
    EXPECT_EQ(ui.txtMonth->accessibleName(), QStringLiteral("Monat"));
}

// Screen readers hear whole words where the visible labels are cut short.
TEST(EnglishFaceTest, ScreenReadersHearWholeWords) {
    const FaceTranslators face(*UiLanguage::FromCode("en"));
    quorvane::testing::FakePlatform platform;
    frmMain window(platform);
    const quorvane::testing::MainWindowControls ui(window);
    EXPECT_EQ(ui.optMD->accessibleName(), QStringLiteral("Month and day"));
    EXPECT_EQ(ui.txtMonth->accessibleName(), QStringLiteral("Month"));
    EXPECT_EQ(ui.txtDate->accessibleName(), QStringLiteral("Day"));
}

TEST_F(IntegrationTest, OpenDialogShowsNoEnglishUnderTheJapaneseFace) {
    if (!QtJapaneseInstalled()) GTEST_SKIP() << "no qtbase_ja.qm beside the Qt kit";
    const FaceTranslators face(*UiLanguage::FromCode("ja"));
    writeProgramFile(QStringLiteral("StarTrek.vqd"), "x");
    QString title, openButton, size, modified;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        const auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        // The folder is listed in the background.
        if (view && QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; })) {
            size = view->model()->index(0, 1, view->rootIndex()).data().toString();
            modified = view->model()->index(0, 3, view->rootIndex()).data().toString();
        }
        if (const auto* buttons = dialog->findChild<QDialogButtonBox*>())
            openButton = buttons->button(QDialogButtonBox::Open)->text();
        dialog->reject();
    });
    quorvane::RealPlatform platform;
    platform.showOpenDialog(nullptr, {{QStringLiteral("すべてのﾌｧｲﾙ(*.*)"), QStringLiteral("*.*")}},
                            programFolder.path(), QString());

    EXPECT_EQ(title, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(openButton, QStringLiteral("開く(&O)"));
    // Size and time as Japanese writes them, whatever the system's locale.
    EXPECT_EQ(size, QStringLiteral("1 バイト"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}$"))
                    .match(modified)
                    .hasMatch())
        << modified.toStdString();
}

class EnglishReadmeTest : public IntegrationTest {};

TEST_F(EnglishReadmeTest, OpensTheEnglishReadmeAndFallsBackToTheJapaneseOne) {
    const FaceTranslators face(*UiLanguage::FromCode("en"));
    writeProgramFile(QStringLiteral("ReadMe.TXT"), "read me");
    writeProgramFile(QStringLiteral("ReadMe_en.TXT"), "read me in English");
    start();
    click(Ui(main).cmdHelp);
    ASSERT_EQ(platform.openedUrls.size(), 1);
    EXPECT_EQ(platform.openedUrls.first(),
              QUrl::fromLocalFile(programFolder.filePath(QStringLiteral("ReadMe_en.TXT"))));

    ASSERT_TRUE(QFile::remove(programFolder.filePath(QStringLiteral("ReadMe_en.TXT"))));
    click(Ui(main).cmdHelp);
    ASSERT_EQ(platform.openedUrls.size(), 2);
    EXPECT_EQ(platform.openedUrls.last(),
              QUrl::fromLocalFile(programFolder.filePath(QStringLiteral("ReadMe.TXT"))));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(IntegrationTest, LanguageChoiceIsKeptAndAnUnknownWordChangesNothing) {
    const QString key = QStringLiteral("Option/Language");
    const auto store = quorvane::OpenSettingsStore();
    ASSERT_TRUE(store->Write({{key, QStringLiteral("ja")}}));

    EXPECT_FALSE(quorvane::StoreFaceChoice(*store, QStringLiteral("english")).language);
    EXPECT_FALSE(quorvane::StoreFaceChoice(*store, QString()).language);
    EXPECT_EQ(store->Read({key}).value(key), "ja");

    EXPECT_EQ(quorvane::StoreFaceChoice(*store, QStringLiteral("en")).language, *UiLanguage::FromCode("en"));
    EXPECT_EQ(quorvane::OpenSettingsStore()->Read({key}).value(key), "en");
    EXPECT_EQ(quorvane::ChooseFace(*quorvane::OpenSettingsStore()), *UiLanguage::FromCode("en"));

    // "system" hands the choice back: the stored word means no face.
    ASSERT_TRUE(quorvane::StoreFaceChoice(*store, QStringLiteral("system")).language);
    EXPECT_EQ(quorvane::ChooseFace(*store), quorvane::LanguageForPreferences(
                                               quorvane::SystemPreferredLanguages()));
}

}  // namespace

namespace {

// Every text a window puts in front of the user: captions, titles, tool
// tips and table headings, and with `events` the list entries and field
// contents, which show the catalogue's own texts.
QStringList ShownTexts(const QWidget& window, bool events) {
    QStringList texts{window.windowTitle(), window.toolTip()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
        if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) texts << frame->title();
        if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
            texts << field->placeholderText();
            if (events) texts << field->text();
        }
        if (!events) continue;
        if (const auto* box = qobject_cast<const QPlainTextEdit*>(widget)) texts << box->toPlainText();
        if (const auto* box = qobject_cast<const QTextEdit*>(widget)) texts << box->toPlainText();
        if (const auto* list = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(widget); view && view->model()) {
            const QAbstractItemModel& model = *view->model();
            for (int c = 0; c < model.columnCount(); ++c)
                texts << model.headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < std::min(model.rowCount(), 200); ++r)
                for (int c = 0; c < model.columnCount(); ++c) texts << model.index(r, c).data().toString();
        }
    }
    return texts;
}

// The shipped catalogues beside the program, and every window the user can
// open from the main one.
class EveryWindowTest : public IntegrationTest {
protected:
    void openEveryWindow() {
        for (const char* name : {"StarTrek.vqd", "StarTrek_en.vqd"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANE_SOURCE_DIR "/catalogue/") + QLatin1String(name),
                                    programFolder.filePath(QLatin1String(name))));
        start();
        main->ShowDataList();
        main->EditDatabase();
        ASSERT_NE(main->DataList(), nullptr);
        ASSERT_NE(main->Editor(), nullptr);
    }
};

}  // namespace

// What an English- or German-speaking fan sees first: the main window, the
// event list with the English catalogue, the editor and the about window,
// with not one Japanese character in them.
class TranslatedWindowTest : public EveryWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TranslatedWindowTest, ShowsNoJapaneseInAnyWindow) {
    const FaceTranslators face(*UiLanguage::FromCode(GetParam()));
#ifndef _WIN32
    // Under Wine the tests run against the Qt kit, which holds none of Qt's
    // own translations; the packages ship them (the package checks look).
    ASSERT_TRUE(face.complete());
#endif
    ASSERT_NO_FATAL_FAILURE(openEveryWindow());
    frmAbout about(platform, main->windowIcon(), main.get());

    const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             main.get(), main->DataList(), main->Editor(), &about}) {
        for (const QString& text : ShownTexts(*window, true))
            EXPECT_FALSE(japanese.match(text).hasMatch())
                << window->objectName().toStdString() << ": " << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, TranslatedWindowTest, ::testing::Values("en", "de"));

// The original face, as a Japanese desktop or one with no language set
// shows it: Latin letters only in names (the program's and the file's names,
// addresses) and the few Latin texts of the design. The events are the
// catalogue's own texts, with their names written as the episodes spell them.
TEST_F(EveryWindowTest, JapaneseFaceShowsNoEnglishWordInAnyWindow) {
    if (!QtJapaneseInstalled()) GTEST_SKIP() << "no qtbase_ja.qm beside the Qt kit";
    const FaceTranslators face(*UiLanguage::FromCode("ja"));
    ASSERT_NO_FATAL_FAILURE(openEveryWindow());
    frmAbout about(platform, main->windowIcon(), main.get());

    const QRegularExpression names(QStringLiteral(
        "「[^」]*」|https?://\\S+|\\S+@\\S+|\\S*[/\\\\]\\S*|[\\w.-]+\\.(vqd|txt|TXT|bak)|"
        "\\b(Quorvane|StarData|OvrekSoft|Copyright|Ver|OK|Nothing|UTF-8|UTF-16|Shift-JIS|BOM|NUL|"
        "Option1|Option2|Alt|Ctrl|Esc|F2|MB)\\b"));
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             main.get(), main->DataList(), main->Editor(), &about}) {
        for (QString text : ShownTexts(*window, false)) {
            text.replace(names, QString());
            EXPECT_FALSE(word.match(text).hasMatch())
                << window->objectName().toStdString() << ": " << text.toStdString();
        }
    }
}
