// The catalogue editor as the user meets it: opened with the pencil, edited
// in its cells, undone and redone, saved over the file with the previous one
// kept, and asked about when unsaved changes would be lost or when another
// program changed the file.
#include "integration/IntegrationFixture.h"

#include "../hostile/HostileSupport.h"
#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"
#include "saving/CatalogueSave.h"
#include "editor/EventTableModel.h"
#include "opendialog/OpenDialog.h"
#include "datalist/frmDataList.h"
#include "editor/frmEditor.h"
#include "catalogue/TitleKey.h"
#include "files/UserFolder.h"
#include "cli/EventListing.h"
#include "services/SettingsStore.h"
#include "support/ShiftJis.h"
#include "widgets/ShownText.h"
#include "widgets/Utf8.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTableView>
#include <QUndoStack>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;

// File order: the Earth date first, so a sort by title changes the order.
const std::string kRecords =
    "\"ファーストコンタクト\",\"人類とヴァルカン人の出会い\",#2063-04-05#,\"映画\"\r\n"
    "\"Encounter at Farpoint\",\"ピカード艦長の最初の任務\",41153.7,#NULL#\r\n";

class EditorTest : public IntegrationTest {
protected:
    void SetUp() override {
        IntegrationTest::SetUp();
        ASSERT_TRUE(userData.isValid());
        savedDataHome = quorvane::testing::UseUserDataFolder(userData.path());
    }
    void TearDown() override {
        IntegrationTest::TearDown();
        quorvane::testing::UseUserDataFolder(savedDataHome);
    }

    QString cataloguePath() const { return programFolder.filePath(QStringLiteral("StarTrek.vqd")); }

    frmEditor* pressEdit() {
        click(Ui(main).cmdEdit);
        frmEditor* editor = main->Editor();
        if (editor) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        }
        return editor;
    }

    static QModelIndex cell(const frmEditor* editor, int row, int column) {
        const auto* view = static_cast<const QSortFilterProxyModel*>(editor->grdEvents->model());
        return view->mapFromSource(editor->model()->index(row, column));
    }

    // Japanese arrives as the input method commits it; keys carry only ASCII.
    static void typeText(QWidget* field, const QString& text) {
        bool ascii = true;
        for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(field, text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field, &commit);
    }

    // F2 on the cell, the text typed over what it held, then `finish`.
    static QLineEdit* typeIntoCell(frmEditor* editor, int row, int column, const QString& text,
                                   Qt::Key finish = Qt::Key_Return) {
        const QModelIndex index = cell(editor, row, column);
        editor->grdEvents->setFocus();
        editor->grdEvents->setCurrentIndex(index);
        QTest::keyClick(editor->grdEvents, Qt::Key_F2);
        auto* line = qobject_cast<QLineEdit*>(editor->grdEvents->indexWidget(index));
        if (!line) return nullptr;
        line->selectAll();
        typeText(line, text);
        QTest::keyClick(line, finish);
        // The view takes a text in once the key's handling is over; a
        // refusal shows at once.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return !editor->grdEvents->indexWidget(index) || !editor->lblStatus->text().isEmpty();
        }));
        return line;
    }

    static QString text(const frmEditor* editor, int row, int column) {
        return editor->model()->index(row, column).data().toString();
    }

    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Another program writes the file in place, keeping its old time when
    // `sameTime` (as a copy with kept times or a coarse clock would).
    static void writeOutside(const QString& path, const QByteArray& contents, bool sameTime = false) {
        const QDateTime before = QFileInfo(path).lastModified();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contents), contents.size());
        if (sameTime) {
            ASSERT_TRUE(file.setFileTime(before, QFileDevice::FileModificationTime));
        }
    }

    // The window comes to the front again, after the user was elsewhere.
    void reactivate(frmEditor* editor) {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
        // The editor looks at the file once the activation is handled.
        QCoreApplication::processEvents();
    }

    static std::vector<std::string> details(const QString& path) {
        std::vector<std::string> result;
        for (const quorvane::EventRow& row :
             quorvane::ReadCatalogueDocument(quorvane::LocalPath(path)).document.rows)
            result.push_back(row.detail);
        return result;
    }

    QTemporaryDir userData;
    QString savedDataHome;
};

#ifndef _WIN32
// While alive, a file this process writes stops growing at `bytes`, as on a
// full disk: the write fails with "File too large" (the signal that would
// end the process is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_signal(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_signal)(int);
};
#endif

const std::string kEmissary = "\"Emissary\",\"シスコ司令官の着任\",46379.1,\"DS9\"\r\n";

TEST_F(EditorTest, EditUndoRedoAndSaveReachTheFileAndTheOpenDataList) {
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
    start();
    click(Ui(main).cmdData);
    frmDataList* list = main->DataList();
    ASSERT_TRUE(list);
    list->cmbTitle->setCurrentIndex(1);  // list order: the Latin title first
    list->cmbTitle->activated(1);
    ASSERT_EQ(list->cmbTitle->currentText(), "ファーストコンタクト");

    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    EXPECT_EQ(pressEdit(), editor) << "a second press brings the same editor forward";
    EXPECT_EQ(editor->model()->headerData(0, Qt::Horizontal).toString(), "事象");
    EXPECT_EQ(editor->model()->headerData(3, Qt::Horizontal).toString(), "出典");

    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "新しい説明"));
    EXPECT_EQ(text(editor, 0, EventTableModel::DetailColumn), "新しい説明");
    EXPECT_TRUE(editor->isWindowModified());

    editor->grdEvents->setFocus();
    QTest::keyClick(editor->grdEvents, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(editor, 0, EventTableModel::DetailColumn), "人類とヴァルカン人の出会い");
    EXPECT_FALSE(editor->isModified());
    QTest::keyClick(editor->grdEvents, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(editor, 0, EventTableModel::DetailColumn), "新しい説明");
    QTest::keyClick(editor->grdEvents, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor->grdEvents, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(editor, 0, EventTableModel::DetailColumn), "新しい説明");

    QTest::keyClick(editor->grdEvents, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(editor->isModified());
    EXPECT_TRUE(platform.messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(details(cataloguePath()),
              (std::vector<std::string>{"新しい説明", "ピカード艦長の最初の任務"}));
    EXPECT_EQ(bytes(cataloguePath() + ".bak"), original);
    // The list read the saved file and kept its selection.
    EXPECT_EQ(list->cmbTitle->currentText(), "ファーストコンタクト");
    EXPECT_EQ(list->txtDetail->toPlainText(), "新しい説明");
}

// Every file is read once, the same way, for the event list, the editor
// and quorvane-cli --events: the same events in the same order, and the
// same word about the file.
TEST_F(EditorTest, TheListTheEditorAndTheCliReadEachFileAlike) {
    const std::string heading = "\"T\",\"D\",\"Date\",\"S\"";
    const std::string b = "\"B\",\"b\",2,\"t\"";
    struct Case {
        const char* name;
        std::string bytes;  // UTF-8, written as Shift-JIS
        QStringList titles;
        bool told;  // the file has a problem to tell
    } cases[] = {
        {"a clean file", heading + "\r\n\"A\",\"a\",1,\"s\"\r\n" + b + "\r\n", {"A", "B"}, false},
        {"a record on the header's line is an event", heading + ",\"A\",\"a\",1,\"s\"\r\n" + b + "\r\n",
         {"A", "B"}, false},
        {"a header over two lines with a record on its last",
         "\"T\",\"D\"\r\n\"Date\",\"S\",\"A\",\"a\",1,\"s\"\r\n" + b + "\r\n", {"A", "B"}, false},
        {"a comma after the last record", heading + "\r\n\"A\",\"a\",1,\"s\"\r\n" + b + ",", {"A"}, true},
        {"blank lines at the very end are no mistake",
         heading + "\r\n\"A\",\"a\",1,\"s\"\r\n" + b + "\r\n\r\n\n", {"A", "B"}, false},
        {"a line of three items shifts the lines after it",
         heading + "\r\n\"Alpha\",\"a\",41000,\"A\"\r\n\"Broken\",\"x\",41001\r\n"
                   "\"Charlie\",\"c\",41002,\"C\"\r\n\"Delta\",\"d\",41003,\"D\"\r\n",
         {}, true},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeProgramFile(QStringLiteral("StarTrek.vqd"), quorvane::testing::ToShiftJis(c.bytes));
        platform.messages.clear();

        QPointer<frmDataList> list = new frmDataList(platform, *main, main.get());
        QStringList listed;
        for (int i = 0; i < list->cmbTitle->count(); ++i) {
            list->cmbTitle->setCurrentIndex(i);
            list->cmbTitle->activated(i);
            const clsStarData* record = list->currentRecord();
            ASSERT_TRUE(record);
            listed << quorvane::FromUtf8(record->Title() + "|" + record->Detail() + "|" +
                                         quorvane::DateCellText(quorvane::DateOf(*record)) + "|" +
                                         record->Source().text());
        }
        const QStringList listMessages = messageTexts();
        delete list.data();
        if (!c.titles.isEmpty()) {
            QStringList titles;
            for (const QString& entry : listed) titles << entry.section('|', 0, 0);
            EXPECT_EQ(titles, c.titles);
        }
        EXPECT_EQ(listMessages.size(), c.told ? 1 : 0) << listMessages.join('\n').toStdString();

        platform.messages.clear();
        QPointer<frmEditor> editor = new frmEditor(platform, *main, main.get(), quorvane::LocalPath(cataloguePath()));
        ASSERT_TRUE(editor->isLoaded());
        const auto& rows = editor->model()->document().rows;
        QStringList edited;
        for (const std::size_t i : quorvane::TitleOrder(rows.size(), [&rows](std::size_t r) {
                 return std::string_view(rows[r].title);
             })) {
            edited << quorvane::FromUtf8(rows[i].title + "|" + rows[i].detail + "|" +
                                         quorvane::DateCellText(rows[i].date) + "|" +
                                         quorvane::RecordOf(quorvane::EventRow(rows[i])).Source().text());
        }
        EXPECT_EQ(edited, listed);
        EXPECT_EQ(editor->lblFile->text().contains("読み込めなかった"), c.told);
        EXPECT_TRUE(platform.messages.isEmpty());
        delete editor.data();

        std::string json;
        std::vector<std::string> problems;
        quorvane::cli::ListEvents(quorvane::LocalPath(cataloguePath()), {}, quorvane::cli::ListingFormat::Json,
                                  json, problems);
        QStringList cli;
        for (const QJsonValue event : QJsonDocument::fromJson(QByteArray::fromStdString(json)).array()) {
            const QJsonObject o = event.toObject();
            cli << o["title"].toString() + "|" + o["detail"].toString() + "|" + o["date"].toString() +
                       "|" + o["source"].toString();
        }
        EXPECT_EQ(cli, listed);
        QStringList cliMessages;
        for (const std::string& problem : problems) cliMessages << quorvane::FromUtf8(problem);
        EXPECT_EQ(cliMessages, listMessages);
    }
}

// Longer than a line edit holds by default, in a character Shift-JIS holds.
std::string LongDetail() {
    std::string detail;
    for (int i = 0; i < 8000; ++i) detail += "航星日誌 ";
    return detail;
}

std::string LongRecords(const std::string& secondTitle) {
    return "\"ファーストコンタクト\",\"" + LongDetail() + "\",#2063-04-05#,\"映画\"\r\n\"" + secondTitle +
           "\",\"ピカード艦長の最初の任務\",41153.7,\"TNG\"\r\n";
}

TEST_F(EditorTest, ALongCellShowsALinesWorthAndEditsWhole) {
    writeCatalogue(LongRecords("Encounter at Farpoint"));
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    const QString whole = QString::fromStdString(LongDetail());
    const QModelIndex shownCell = cell(editor, 0, EventTableModel::DetailColumn);
    const QString shown = shownCell.data().toString();
    EXPECT_LE(shown.size(), quorvane::kShownLineLength);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("…")));
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_TRUE(shownCell.data(Qt::EditRole).toString() == whole);
    EXPECT_EQ(cell(editor, 1, EventTableModel::DetailColumn).data().toString(), "ピカード艦長の最初の任務");

    editor->grdEvents->setFocus();
    editor->grdEvents->setCurrentIndex(shownCell);
    QTest::keyClick(editor->grdEvents, Qt::Key_F2);
    auto* line = qobject_cast<QLineEdit*>(editor->grdEvents->indexWidget(shownCell));
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->text() == whole) << line->text().size() << " of " << whole.size();
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, "!");
    QTest::keyClick(line, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->grdEvents->indexWidget(shownCell); }));
    EXPECT_TRUE(editor->model()->index(0, EventTableModel::DetailColumn).data(Qt::EditRole).toString() ==
                whole + "!");
    // A word past what the cell shows is still found.
    QTest::keyClicks(editor->txtFilter, "!");
    EXPECT_EQ(editor->grdEvents->model()->rowCount(), 1);
}

TEST_F(EditorTest, ASaveAfterPassingThroughALongCellWritesItIntact) {
    writeCatalogue(LongRecords("Encounter at Farpoint"));
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    // Through the long cell's editor with Tab, as a user moving along the row.
    const QModelIndex longCell = cell(editor, 0, EventTableModel::DetailColumn);
    editor->grdEvents->setFocus();
    editor->grdEvents->setCurrentIndex(longCell);
    QTest::keyClick(editor->grdEvents, Qt::Key_F2);
    auto* line = qobject_cast<QLineEdit*>(editor->grdEvents->indexWidget(longCell));
    ASSERT_TRUE(line);
    QTest::keyClick(line, Qt::Key_Tab);
    QWidget* next = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        next = editor->grdEvents->indexWidget(cell(editor, 0, EventTableModel::DateColumn));
        return next != nullptr;
    }));
    QTest::keyClick(next, Qt::Key_Escape);

    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::TitleColumn, "Farpoint"));
    QTest::keyClick(editor->grdEvents, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(platform.messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_FALSE(editor->isModified());
    const QByteArray saved = bytes(cataloguePath());
    EXPECT_TRUE(saved == QByteArray::fromStdString(quorvane::testing::ToShiftJis(
                             quorvane::testing::kCatalogueHeading + LongRecords("Farpoint"))))
        << saved.size() << " bytes";
}

TEST_F(EditorTest, ARefusedTextStaysInItsCellWithTheReason) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    const quorvane::CatalogueDocument before = editor->model()->document();

    struct Refused {
        int column;
        QString text;
    };
    for (const Refused& refused : {Refused{EventTableModel::DateColumn, "2063-13-45"},
                                   Refused{EventTableModel::DateColumn, "四万"},
                                   Refused{EventTableModel::TitleColumn, "encounter at FARPOINT"},
                                   Refused{EventTableModel::DetailColumn, "\"引用\""}}) {
        SCOPED_TRACE(refused.text.toStdString());
        const auto reason = quorvane::CellRefusal(before, 0, refused.column, refused.text.toStdString());
        ASSERT_TRUE(reason);
        const QPointer<QLineEdit> line = typeIntoCell(editor, 0, refused.column, refused.text);
        // Still open, with what the user typed and why it cannot stand.
        ASSERT_TRUE(line);
        ASSERT_EQ(editor->grdEvents->indexWidget(cell(editor, 0, refused.column)), line.data());
        EXPECT_EQ(line->text(), refused.text);
        EXPECT_EQ(editor->lblStatus->text(), quorvane::FromUtf8(*reason));
        QTest::keyClick(line, Qt::Key_Escape);
    }
    EXPECT_EQ(editor->model()->document().rows, before.rows);
    EXPECT_EQ(editor->model()->undoStack()->count(), 0);

    // A stardate and an Earth date both stand.
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DateColumn, "41000"));
    EXPECT_EQ(text(editor, 0, EventTableModel::DateColumn), "41000");
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::DateColumn, "2364-02-26"));
    EXPECT_EQ(text(editor, 1, EventTableModel::DateColumn), "2364-02-26");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(EditorTest, UnsavedChangesAreAskedAboutWhenTheEditorOrTheMainWindowCloses) {
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
    start();
    QPointer<frmEditor> editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::TitleColumn, "Farpoint"));

    // The editor's own close: Cancel keeps it.
    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    click(editor->cmdClose);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.last().buttons, MessageButtons::SaveDiscardCancel);
    EXPECT_TRUE(editor && editor->isVisible());

    // The main window's close: Cancel keeps both windows and writes nothing.
    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(editor && editor->isVisible());
    EXPECT_FALSE(QFile::exists(quorvane::SettingsFilePath())) << "no settings saved yet";
    EXPECT_EQ(bytes(cataloguePath()), original);

    // Discard closes without writing; the main window goes on closing.
    platform.messageAnswers.enqueue(MessageAnswer::Discard);
    EXPECT_TRUE(main->close());
    flushDeletes();
    EXPECT_FALSE(editor);
    EXPECT_EQ(bytes(cataloguePath()), original);
    EXPECT_FALSE(QFile::exists(cataloguePath() + ".bak"));
    const quorvane::SettingsTexts stored = quorvane::OpenSettingsStore()->Read(
        {QStringLiteral("Window/Top"), QStringLiteral("Editor/Width")});
    EXPECT_TRUE(stored.contains(QStringLiteral("Window/Top")));
    EXPECT_TRUE(stored.contains(QStringLiteral("Editor/Width")));

    // Save writes, then closes.
    start();
    editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::TitleColumn, "Farpoint"));
    platform.messageAnswers.enqueue(MessageAnswer::Save);
    click(editor->cmdClose);
    flushDeletes();
    EXPECT_FALSE(editor);
    const auto records = quorvane::ReadCatalogueDocument(quorvane::LocalPath(cataloguePath())).document.rows;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].title, "Farpoint");
}

TEST_F(EditorTest, SortAndFilterChangeTheViewButNotTheFileOrder) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    QTableView* grid = editor->grdEvents;
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "ファーストコンタクト") << "file order first";

    QHeaderView* heading = grid->horizontalHeader();
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                      QPoint(heading->sectionViewportPosition(EventTableModel::TitleColumn) + 5,
                             heading->height() / 2));
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "Encounter at Farpoint");

    // Titles and details, whatever the letter case.
    QTest::keyClicks(editor->txtFilter, "FARPOINT");
    EXPECT_EQ(grid->model()->rowCount(), 1);
    editor->txtFilter->clear();
    typeText(editor->txtFilter, "ヴァルカン");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "ファーストコンタクト");
    editor->txtFilter->clear();

    editor->model()->setData(editor->model()->index(1, EventTableModel::SourceColumn), "TNG");
    ASSERT_TRUE(editor->Save());
    const auto records = quorvane::ReadCatalogueDocument(quorvane::LocalPath(cataloguePath())).document.rows;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].title, "ファーストコンタクト");
    EXPECT_EQ(records[1].source, "TNG");
}

TEST_F(EditorTest, DoubleClickCarriesTheDateAndTheOtherCalendarFollowsTheOptions) {
    writeCatalogue(kRecords);
    start();
    Ui(main).optYD->click();
    // The main window's own answer for the stardate of row 1, before and
    // after the reset number changes.
    const auto mainWindowEarthDate = [this] {
        Ui(main).txtStarDate->setText("41153.7");
        click(Ui(main).cmdCEarhDate);
        return Ui(main).txtYear->text() + "-" + Ui(main).txtMonth->text().rightJustified(2, '0') +
               "-" + Ui(main).txtDate->text().rightJustified(2, '0');
    };
    const QString plain = mainWindowEarthDate();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    EXPECT_EQ(text(editor, 1, EventTableModel::ConvertedColumn), plain);

    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    Ui(main).chkReset->setChecked(true);
    Ui(main).txtReset->setText("1000");
    const QString windowed = mainWindowEarthDate();
    ASSERT_NE(windowed, plain);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    EXPECT_EQ(text(editor, 1, EventTableModel::ConvertedColumn), windowed);

    // Press, release and the second press of a double click.
    QWidget* cells = editor->grdEvents->viewport();
    const QPoint row = editor->grdEvents->visualRect(cell(editor, 0, EventTableModel::DateColumn)).center();
    QTest::mouseClick(cells, Qt::LeftButton, {}, row);
    QTest::mouseDClick(cells, Qt::LeftButton, {}, row);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, row);
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_EQ(Ui(main).txtYear->text(), "2063");
    EXPECT_EQ(Ui(main).txtMonth->text(), "4");
    EXPECT_EQ(Ui(main).txtDate->text(), "5");
    EXPECT_EQ(main->focusWidget(), Ui(main).txtYear);
    EXPECT_FALSE(editor->grdEvents->indexWidget(cell(editor, 0, EventTableModel::DateColumn)))
        << "a double click carries, it does not edit";
}

TEST_F(EditorTest, ACharacterShiftJisCannotHoldIsNamedAndUtf8Offered) {
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    // Typing cannot enter a character beyond the basic plane; pasting can.
    ASSERT_TRUE(editor->model()->setData(editor->model()->index(1, EventTableModel::DetailColumn),
                                         QStringLiteral("長寿と繁栄を🖖")));

    platform.messageAnswers.enqueue(MessageAnswer::No);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    const auto& question = platform.messages.first();
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(question.text.contains("🖖"));
    EXPECT_TRUE(question.text.contains("2 件目"));
    EXPECT_TRUE(question.text.contains("UTF-8"));
    EXPECT_EQ(bytes(cataloguePath()), original) << "nothing replaced by ?";
    EXPECT_TRUE(editor->isModified());

    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(editor->Save());
    const QByteArray saved = bytes(cataloguePath());
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(details(cataloguePath())[1], "長寿と繁栄を🖖");
}

// The reader takes a double quote inside a bare item; no item written back
// can hold one. The save names the place and that reason, and offers no
// other encoding, which could not help.
TEST_F(EditorTest, ADoubleQuoteInABareItemIsRefusedWithItsPlaceAndTheReason) {
    writeCatalogue(kRecords + "Q\"uote,\"引用符\",41000,\"出典\"\r\n");
    const QByteArray original = bytes(cataloguePath());
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_EQ(editor->model()->rowCount(), 3);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));

    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    const auto& message = platform.messages.first();
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_TRUE(message.text.contains("3 件目の事象「Q\"uote」の「事象」欄（1 列目）")) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains("この形式では項目の中に「\"」を書けません")) << message.text.toStdString();
    EXPECT_FALSE(message.text.contains("Shift-JIS")) << message.text.toStdString();
    EXPECT_FALSE(message.text.contains("UTF-8")) << message.text.toStdString();
    EXPECT_EQ(bytes(cataloguePath()), original);
    EXPECT_TRUE(editor->isModified());
    EXPECT_EQ(editor->grdEvents->currentIndex(), cell(editor, 2, EventTableModel::TitleColumn))
        << "the user is taken to the cell";
}

// A line kept as it was read, in another encoding than the file, would make
// a file of two encodings: the save says so first, and No keeps the file.
TEST_F(EditorTest, AKeptLineInAnotherEncodingIsToldBeforeTheSave) {
    const std::string utf8Line = "\"A\",\"あ\",41000,\"TOS\"\r\n";
    quorvane::testing::WriteTestFile(
        cataloguePath(), quorvane::testing::ToShiftJis(quorvane::testing::kCatalogueHeading + kRecords) + utf8Line);
    const QByteArray original = bytes(cataloguePath());
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));

    platform.messageAnswers.enqueue(MessageAnswer::No);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.messages.first().text.contains("4 行目")) << platform.messages.first().text.toStdString();
    EXPECT_TRUE(platform.messages.first().text.contains("Shift-JIS"));
    EXPECT_EQ(bytes(cataloguePath()), original);

    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    EXPECT_TRUE(editor->Save());
    const QByteArray saved = bytes(cataloguePath());
    EXPECT_TRUE(saved.endsWith(QByteArray::fromStdString(utf8Line)));
    EXPECT_EQ(details(cataloguePath())[0], "人類とヴァルカン人の出会い");
}

TEST_F(EditorTest, AFailedSaveLeavesTheOldFileByteForByteAndSaysWhy) {
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
#ifdef _WIN32
    // The previous version cannot be kept: another program holds the old
    // backup open, as Windows lets it. (Wine, unlike Windows, moves a folder
    // onto a file.)
    writeProgramFile(QStringLiteral("StarTrek.vqd.bak"), "old backup");
    const std::wstring held = QDir::toNativeSeparators(cataloguePath() + ".bak").toStdWString();
    const HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto release = qScopeGuard([holder] { CloseHandle(holder); });
#else
    // The previous version cannot be kept: a folder sits where it would go.
    ASSERT_TRUE(QDir(programFolder.path()).mkdir(QStringLiteral("StarTrek.vqd.bak")));
#endif
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().icon, MessageIcon::Warning);
    EXPECT_TRUE(platform.messages.first().text.contains("元のファイルは変更されていません"));
    EXPECT_EQ(bytes(cataloguePath()), original);
    EXPECT_TRUE(editor->isModified());
}

TEST_F(EditorTest, TheBackupIsAFileOfItsOwnWithTheCataloguesPermissions) {
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
    const QFileDevice::Permissions privateMode = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(cataloguePath(), privateMode));
    // A link where the backup goes must not lead the save to another file.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString unrelated = elsewhere.filePath("notes.txt");
    const QByteArray notes = "someone else's notes\n";
    {
        QFile file(unrelated);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(notes);
    }
    std::error_code error;
    std::filesystem::create_symlink(unrelated.toStdString(), (cataloguePath() + ".bak").toStdString(), error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));
    EXPECT_TRUE(editor->Save()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(bytes(unrelated), notes);
    EXPECT_FALSE(QFileInfo(cataloguePath() + ".bak").isSymLink());
    EXPECT_EQ(bytes(cataloguePath() + ".bak"), original);
    // Owner, group and others; the "user" bits only repeat the owner's for us.
    const auto bits = [](QFileDevice::Permissions mode) { return mode.toInt() & 0x7077; };
    EXPECT_EQ(bits(QFile::permissions(cataloguePath() + ".bak")), bits(privateMode));
}

TEST_F(EditorTest, AHardLinkedCatalogueIsSavedUnderBothNames) {
    writeCatalogue(kRecords);
    const QString other = programFolder.filePath("linked.vqd");
    std::error_code error;
    std::filesystem::create_hard_link(cataloguePath().toStdString(), other.toStdString(), error);
    if (error) GTEST_SKIP() << "no hard links here: " << error.message();
    const QByteArray original = bytes(cataloguePath());
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));
    EXPECT_TRUE(editor->Save()) << messageTexts().join('\n').toStdString();
    EXPECT_NE(bytes(cataloguePath()), original);
    EXPECT_EQ(bytes(other), bytes(cataloguePath()));
    EXPECT_EQ(bytes(cataloguePath() + ".bak"), original);
}

TEST_F(EditorTest, AFileInAFolderTheUserCannotWriteIsLeftAsItWasAndNoCopyMade) {
    if (!quorvane::hostile::kModeBits) GTEST_SKIP() << quorvane::hostile::kNoModeBits;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString chosen = quorvane::testing::WriteCatalogue(elsewhere.filePath("mine.vqd"), kRecords);
    const QByteArray original = bytes(chosen);
    quorvane::hostile::OpenToEveryone(elsewhere.path());
    start();
    {
        quorvane::hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
        platform.messageAnswers.enqueue(MessageAnswer::Yes);
        platform.dialogAnswers.enqueue(chosen);
        frmEditor* editor = pressEdit();
        ASSERT_TRUE(editor);
        ASSERT_EQ(editor->path(), quorvane::LocalPath(chosen));
        ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));
        EXPECT_FALSE(editor->Save());
        EXPECT_EQ(platform.messages.last().icon, MessageIcon::Warning);
        EXPECT_TRUE(platform.messages.last().text.contains("元のファイルは変更されていません"));
        EXPECT_TRUE(editor->isModified());
    }
    EXPECT_EQ(bytes(chosen), original);
    EXPECT_FALSE(QFile::exists(quorvane::FromLocalPath(quorvane::UserCataloguePath())))
        << "only the program's own catalogue has a user copy";
}

TEST_F(EditorTest, AReadOnlyProgramFolderSavesTheUserCopyWhichIsReadFromThenOn) {
    if (!quorvane::hostile::kModeBits) GTEST_SKIP() << quorvane::hostile::kNoModeBits;
    writeCatalogue(kRecords);
    const QByteArray original = bytes(cataloguePath());
    quorvane::hostile::OpenToEveryone(programFolder.path());
    ASSERT_TRUE(QFile::setPermissions(programFolder.path(),
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    // The user's data folder is theirs to write.
    ASSERT_TRUE(QFile::setPermissions(userData.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ExeOwner | QFile::ReadOther |
                                                           QFile::WriteOther | QFile::ExeOther));
    const QString userCopy = quorvane::FromLocalPath(quorvane::UserCataloguePath());
    ASSERT_TRUE(userCopy.startsWith(userData.path()));
    start();
    {
        quorvane::hostile::WithoutPrivileges nobody;
        if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
        QPointer<frmEditor> editor = pressEdit();
        ASSERT_TRUE(editor);
        ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "利用者の写し"));
        EXPECT_TRUE(editor->Save());
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_EQ(platform.messages.first().icon, MessageIcon::Information);
        EXPECT_TRUE(platform.messages.first().text.contains(userCopy));
        EXPECT_EQ(editor->path(), quorvane::LocalPath(userCopy));
        EXPECT_EQ(details(userCopy)[0], "利用者の写し");

        // From then on the program reads the user's copy.
        click(editor->cmdClose);
        flushDeletes();
        ASSERT_FALSE(editor);
        editor = pressEdit();
        ASSERT_TRUE(editor);
        EXPECT_EQ(editor->path(), quorvane::LocalPath(userCopy));
        click(Ui(main).cmdData);
        ASSERT_TRUE(main->DataList());
        EXPECT_EQ(main->DataList()->recordCount(), 2);
        main->DataList()->cmbTitle->setCurrentIndex(1);
        main->DataList()->cmbTitle->activated(1);
        EXPECT_EQ(main->DataList()->txtDetail->toPlainText(), "利用者の写し");
    }
    EXPECT_EQ(bytes(cataloguePath()), original);
    QFile::setPermissions(programFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The user's copy stands in for the program's own catalogue. What a newer
// program ships and the copy lacks is offered once for each version of the
// shipped file, and added after the user's own lines, which stay as written.
TEST_F(EditorTest, ShippedEventsTheUserCopyLacksAreOfferedOncePerVersion) {
    writeCatalogue(kRecords + "\"Emissary\",\"シスコ司令官の着任\",46379.1,\"DS9\"\r\n");
    const QString userCopy = quorvane::FromLocalPath(quorvane::UserCataloguePath());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(userCopy).path()));
    // Not the form a save writes: blanks around the items, a source left out.
    const std::string own = quorvane::testing::ToShiftJis(
        quorvane::testing::kCatalogueHeading +
        " \"ファーストコンタクト\" , \"自分の説明\",  #2063-04-05# ,\"映画\"\r\n"
        "\"わたしの事象\",\"自作\",50000,\r\n");
    quorvane::testing::WriteTestFile(userCopy, own);
    const QByteArray ownBytes = QByteArray::fromStdString(own);
    start();
    const auto reopen = [this] {
        if (frmEditor* open = main->Editor()) click(open->cmdClose);
        flushDeletes();
        frmEditor* editor = pressEdit();
        QCoreApplication::processEvents();  // the offer is made once the window is up
        return editor;
    };

    platform.messageAnswers.enqueue(MessageAnswer::No);
    frmEditor* editor = reopen();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->path(), quorvane::LocalPath(userCopy));
    EXPECT_EQ(editor->lblFile->toolTip(), QDir::toNativeSeparators(userCopy));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !platform.messages.isEmpty(); }));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.messages[0].text.contains("2 件")) << platform.messages[0].text.toStdString();
    EXPECT_EQ(bytes(userCopy), ownBytes);

    // No is remembered for this version of the shipped file.
    ASSERT_TRUE(reopen());
    EXPECT_EQ(platform.messages.size(), 1) << messageTexts().join('\n').toStdString();

    // A newer one asks again; Yes adds its events after the user's lines.
    writeCatalogue(kRecords + "\"Emissary\",\"シスコ司令官の着任\",46379.1,\"DS9\"\r\n"
                              "\"Caretaker\",\"ヴォイジャーの出航\",48315.6,\"VOY\"\r\n");
    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    editor = reopen();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(QTest::qWaitFor([editor] { return editor->model()->rowCount() == 5; }));
    ASSERT_EQ(platform.messages.size(), 2) << messageTexts().join('\n').toStdString();
    EXPECT_TRUE(platform.messages[1].text.contains("3 件"));
    const QByteArray now = bytes(userCopy);
    EXPECT_EQ(now.left(ownBytes.size()), ownBytes);
    EXPECT_EQ(bytes(userCopy + ".bak"), ownBytes);
    EXPECT_EQ(details(userCopy), (std::vector<std::string>{"自分の説明", "自作", "ピカード艦長の最初の任務",
                                                           "シスコ司令官の着任", "ヴォイジャーの出航"}));
    EXPECT_FALSE(editor->isModified());

    ASSERT_TRUE(reopen());
    EXPECT_EQ(platform.messages.size(), 2) << messageTexts().join('\n').toStdString();
}

TEST_F(EditorTest, ASaveAfterAnotherProgramChangedTheFileAsksAndOverwritesOnlyWhenTold) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::SourceColumn, "劇場版"));
    // The other program's change keeps size and time: only the contents tell.
    QByteArray theirs = bytes(cataloguePath());
    const qsizetype at = theirs.indexOf("41153.7");
    ASSERT_GE(at, 0);
    theirs.replace(at, 7, "41153.8");
    writeOutside(cataloguePath(), theirs, true);

    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::ReloadOverwriteCancel);
    EXPECT_TRUE(platform.messages[0].text.contains("StarTrek.vqd"));
    EXPECT_TRUE(platform.messages[0].text.contains("保存していない変更は失われます"));
    EXPECT_EQ(bytes(cataloguePath()), theirs);
    EXPECT_FALSE(QFile::exists(cataloguePath() + ".bak"));
    EXPECT_TRUE(editor->isModified());

    // Overwrite writes the editor's version; the other one is the backup.
    platform.messageAnswers.enqueue(MessageAnswer::Overwrite);
    EXPECT_TRUE(editor->Save());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(bytes(cataloguePath() + ".bak"), theirs);
    const auto records = quorvane::ReadCatalogueDocument(quorvane::LocalPath(cataloguePath())).document.rows;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].source, "劇場版");
    EXPECT_FALSE(bytes(cataloguePath()).contains("41153.8"));

    // The editor's own save is no outside change.
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::SourceColumn, "TNG"));
    EXPECT_TRUE(editor->Save());
    EXPECT_EQ(platform.messages.size(), 2) << messageTexts().join('\n').toStdString();
}

TEST_F(EditorTest, ReloadShowsWhatTheOtherProgramWroteAndWritesNothing) {
    writeCatalogue(kRecords);
    start();
    click(Ui(main).cmdData);
    frmDataList* list = main->DataList();
    ASSERT_TRUE(list);
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "新しい説明"));
    quorvane::testing::WriteCatalogue(
        cataloguePath(), kRecords + "\"Emissary\",\"シスコ司令官の着任\",46379.1,\"DS9\"\r\n");
    const QByteArray theirs = bytes(cataloguePath());

    platform.messageAnswers.enqueue(MessageAnswer::Reload);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(bytes(cataloguePath()), theirs);
    EXPECT_FALSE(QFile::exists(cataloguePath() + ".bak"));
    ASSERT_EQ(editor->model()->rowCount(), 3);
    EXPECT_EQ(text(editor, 0, EventTableModel::DetailColumn), "人類とヴァルカン人の出会い");
    EXPECT_EQ(text(editor, 2, EventTableModel::TitleColumn), "Emissary");
    EXPECT_FALSE(editor->isModified());
    EXPECT_FALSE(editor->cmdUndo->isEnabled()) << "the discarded edit cannot come back over the file";

    // From then on the reloaded file is the one the editor knows.
    ASSERT_TRUE(typeIntoCell(editor, 2, EventTableModel::SourceColumn, "ディープ・スペース・ナイン"));
    EXPECT_TRUE(editor->Save());
    EXPECT_EQ(platform.messages.size(), 1) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(list->recordCount(), 3) << "the event list read the saved file";
}

TEST_F(EditorTest, ActivationAsksOnceAboutAnOutsideChangeAndADeletedFileCanBeWrittenAgain) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    quorvane::testing::WriteCatalogue(cataloguePath(), kRecords.substr(0, kRecords.find("\r\n") + 2));
    const QByteArray theirs = bytes(cataloguePath());

    reactivate(editor);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::ReloadOverwriteCancel);
    EXPECT_FALSE(platform.messages[0].text.contains("保存していない変更")) << "there are none";
    // Cancelled; the same change is not asked about at every return.
    reactivate(editor);
    reactivate(editor);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(bytes(cataloguePath()), theirs);
    EXPECT_EQ(editor->model()->rowCount(), 2);

    // Deleted meanwhile: said so, and overwriting writes the file again.
    ASSERT_TRUE(QFile::remove(cataloguePath()));
    platform.messageAnswers.enqueue(MessageAnswer::Overwrite);
    reactivate(editor);
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.contains("削除"));
    ASSERT_EQ(details(cataloguePath()),
              (std::vector<std::string>{"人類とヴァルカン人の出会い", "ピカード艦長の最初の任務"}));
    reactivate(editor);
    EXPECT_EQ(platform.messages.size(), 2) << messageTexts().join('\n').toStdString();
}

TEST_F(EditorTest, ACatalogueDeletedAfterASaveIsAskedAboutAtActivationAndAtSave) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "新しい説明"));
    ASSERT_TRUE(editor->Save());
    ASSERT_TRUE(QFile::remove(cataloguePath()));

    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    reactivate(editor);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("削除"));
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::DetailColumn, "もう一つ"));
    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.contains("削除"));
    EXPECT_FALSE(QFile::exists(cataloguePath())) << "a deleted copy stays deleted unless the user says";

#ifndef _WIN32
    // A link that leads round in a circle is asked about too, not mistaken
    // for a deleted file or a permission problem.
    ASSERT_EQ(::symlink("StarTrek.vqd", cataloguePath().toLocal8Bit().constData()), 0);
    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 3);
    EXPECT_TRUE(platform.messages[2].text.contains("たどれないリンク")) << platform.messages[2].text.toStdString();
#endif
}

TEST_F(EditorTest, AUserCopyAnotherProgramMadeIsAskedAboutBeforeTheSaveReplacesIt) {
    if (!quorvane::hostile::kModeBits) GTEST_SKIP() << quorvane::hostile::kNoModeBits;
    writeCatalogue(kRecords);
    quorvane::hostile::OpenToEveryone(programFolder.path());
    ASSERT_TRUE(QFile::setPermissions(programFolder.path(),
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const auto unlock = qScopeGuard([this] {
        QFile::setPermissions(programFolder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    ASSERT_TRUE(QFile::setPermissions(userData.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ExeOwner | QFile::ReadOther |
                                                           QFile::WriteOther | QFile::ExeOther));
    const QString userCopy = quorvane::FromLocalPath(quorvane::UserCataloguePath());
    start();
    quorvane::hostile::WithoutPrivileges nobody;
    if (!nobody.active()) GTEST_SKIP() << nobody.whyNot();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_EQ(editor->path(), quorvane::LocalPath(cataloguePath()));
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "利用者の写し"));
    // Another Quorvane saves its own events as the user's copy meanwhile.
    ASSERT_TRUE(QDir().mkpath(quorvane::FromLocalPath(quorvane::UserCatalogueFolder())));
    quorvane::testing::WriteCatalogue(userCopy, kRecords + kEmissary);
    const QByteArray theirs = bytes(userCopy);

    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::ReloadOverwriteCancel);
    EXPECT_EQ(bytes(userCopy), theirs);

    platform.messageAnswers.enqueue(MessageAnswer::Overwrite);
    EXPECT_TRUE(editor->Save());
    EXPECT_EQ(bytes(userCopy + ".bak"), theirs);
    EXPECT_EQ(details(userCopy)[0], "利用者の写し");
}

TEST_F(EditorTest, AWriteByAnotherProgramDuringTheSaveIsAskedAboutAndKept) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "新しい説明"));
    const QByteArray theirs = QByteArray::fromStdString(
        quorvane::testing::ToShiftJis(quorvane::testing::kCatalogueHeading + kRecords + kEmissary));
    // Between the backup and the replace, the last moment anything can slip in.
    quorvane::SetBeforeReplaceHook([&] { writeOutside(cataloguePath(), theirs); });
    const auto unhook = qScopeGuard([] { quorvane::SetBeforeReplaceHook({}); });

    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::ReloadOverwriteCancel);
    EXPECT_EQ(bytes(cataloguePath()), theirs);
    EXPECT_FALSE(QFile::exists(cataloguePath() + ".bak")) << "the backup made for the save is withdrawn";
    EXPECT_TRUE(editor->isModified());

#ifndef _WIN32
    // Another Quorvane in the middle of its own save holds the file's lock.
    quorvane::SetBeforeReplaceHook({});
    const int held = ::open(cataloguePath().toLocal8Bit().constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    const auto release = qScopeGuard([held] { ::close(held); });
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    platform.messageAnswers.enqueue(MessageAnswer::Overwrite);
    EXPECT_FALSE(editor->Save());
    EXPECT_TRUE(platform.messages.last().text.contains("保存しているところ"))
        << platform.messages.last().text.toStdString();
    EXPECT_EQ(bytes(cataloguePath()), theirs);
#endif
}

#ifndef _WIN32
// Another program puts a pipe, then a link to an endless device, where the
// catalogue was. The editor asks and writes into neither; a hang here ends
// in the test's time limit.
TEST_F(EditorTest, APipeOrADeviceInPlaceOfTheCatalogueIsAskedAboutAndNeverWrittenThrough) {
    writeCatalogue(kRecords);
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::DetailColumn, "新しい説明"));
    const QByteArray path = cataloguePath().toLocal8Bit();
    ASSERT_TRUE(QFile::remove(cataloguePath()));
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);

    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    reactivate(editor);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("ファイルではないもの"));
    platform.messageAnswers.enqueue(MessageAnswer::Cancel);
    EXPECT_FALSE(editor->Save());
    EXPECT_EQ(platform.messages.size(), 2);

    ASSERT_EQ(::unlink(path.constData()), 0);
    ASSERT_EQ(::symlink("/dev/zero", path.constData()), 0);
    platform.messageAnswers.enqueue(MessageAnswer::Overwrite);
    EXPECT_TRUE(editor->Save()) << messageTexts().join('\n').toStdString();
    EXPECT_TRUE(platform.messages.last().text.contains("ファイルではないもの"));
    // The link is replaced by the file; nothing went into the device.
    EXPECT_FALSE(QFileInfo(cataloguePath()).isSymLink());
    EXPECT_EQ(details(cataloguePath())[0], "新しい説明");
}

TEST_F(EditorTest, ASaveThatDoesNotFitSaysWhyInTheSystemsWords) {
    writeCatalogue(LongRecords("Encounter at Farpoint"));
    const QByteArray original = bytes(cataloguePath());
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::TitleColumn, "Farpoint"));
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(editor->Save());
    }
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(qt_error_string(EFBIG)))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(bytes(cataloguePath()), original);
}

// Killed in the middle of rewriting a hard-linked catalogue in place: here
// the disk fills up there, and the old contents cannot go back either, which
// leaves the file as a kill would.
TEST_F(EditorTest, ASaveCutShortInPlaceIsOfferedBackAtTheNextOpening) {
    writeCatalogue(LongRecords("Encounter at Farpoint"));
    const QString other = programFolder.filePath("linked.vqd");
    ASSERT_EQ(::link(cataloguePath().toLocal8Bit().constData(), other.toLocal8Bit().constData()), 0);
    const QByteArray original = bytes(cataloguePath());
    start();
    QPointer<frmEditor> editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 1, EventTableModel::TitleColumn, "Farpoint"));
    {
        std::optional<FileSizeLimit> full;
        quorvane::SetBeforeReplaceHook([&] { full.emplace(4096); });
        const auto unhook = qScopeGuard([] { quorvane::SetBeforeReplaceHook({}); });
        EXPECT_FALSE(editor->Save());
    }
    ASSERT_LT(bytes(cataloguePath()).size(), original.size());
    ASSERT_EQ(bytes(cataloguePath() + ".bak"), original);
    platform.messageAnswers.enqueue(MessageAnswer::Discard);
    click(editor->cmdClose);
    flushDeletes();
    ASSERT_FALSE(editor);

    platform.messageAnswers.enqueue(MessageAnswer::Yes);
    editor = pressEdit();
    ASSERT_TRUE(editor);
    EXPECT_EQ(platform.messages.last().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.messages.last().text.contains("StarTrek.vqd.bak"));
    EXPECT_EQ(bytes(cataloguePath()), original);
    EXPECT_EQ(bytes(other), original) << "restored in place, for every name";
    EXPECT_EQ(text(editor, 1, EventTableModel::TitleColumn), "Encounter at Farpoint");
}
#endif

TEST_F(EditorTest, ASaveThatNoReaderCouldOpenAgainIsRefusedNamingTheLimit) {
    // One byte short of the limit; a longer title takes it past.
    const std::string heading = quorvane::testing::ToShiftJis(quorvane::testing::kCatalogueHeading);
    const std::string opening = "\"A\",\"";
    const std::string end = "\",41000,\"s\"\r\n";
    const std::size_t fill = quorvane::kMaxCatalogueBytes - heading.size() - opening.size() - end.size();
    quorvane::testing::WriteTestFile(cataloguePath(), heading + opening + std::string(fill, 'x') + end);
    ASSERT_EQ(QFileInfo(cataloguePath()).size(), qint64(quorvane::kMaxCatalogueBytes));
    start();
    frmEditor* editor = pressEdit();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(typeIntoCell(editor, 0, EventTableModel::TitleColumn, "AB"));
    EXPECT_FALSE(editor->Save());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("64 MB")) << platform.messages[0].text.toStdString();
    EXPECT_EQ(QFileInfo(cataloguePath()).size(), qint64(quorvane::kMaxCatalogueBytes));
    EXPECT_FALSE(QFile::exists(cataloguePath() + ".bak"));
}

}  // namespace
