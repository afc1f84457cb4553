#include "editor/frmEditor.h"
#include "files/UserFolder.h"

#include "ProgramInfo.h"
#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueReader.h"
#include "files/FileLocation.h"
#include "catalogue/ShippedEvents.h"
#include "saving/CatalogueSave.h"
#include "editor/EventTableModel.h"
#include "opendialog/OpenDialog.h"
#include "conversion/Converter.h"
#include "settings/SettingsKeys.h"
#include "services/Platform.h"
#include "services/SettingsStore.h"
#include "widgets/Twips.h"
#include "widgets/Utf8.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <limits>

using quorvane::FromLocalPath;
using quorvane::FromUtf8;
using quorvane::LocalPath;
using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;
using quorvane::ToUtf8;

namespace {

const QString kCaption = FromUtf8(quorvane::kProgramCaption);
const QString kSection = QStringLiteral("Editor/");

// A first start's client size, in twips.
constexpr double kDefaultWidth = 12600;
constexpr double kDefaultHeight = 6000;

// The cell editor keeps a refused text open, with the reason shown, instead
// of dropping what the user typed.
class CellDelegate : public QStyledItemDelegate {
public:
    using Refusal = std::function<QString(const QModelIndex&, const QString&)>;
    CellDelegate(Refusal refusal, std::function<void(const QString&)> show, QObject* parent)
        : QStyledItemDelegate(parent), m_refusal(std::move(refusal)), m_show(std::move(show)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        // A line edit keeps 32767 characters by default: a longer cell would
        // be cut, and the cut saved, by merely opening and leaving it.
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(std::numeric_limits<int>::max());
        m_editor = editor;
        m_editing = index;
        m_show(QString());
        return editor;
    }

    bool isEditing() const { return m_editor != nullptr; }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == m_editor) m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Takes the open editor's text into the model; false when it is refused
    // (the editor stays open and the reason is shown).
    bool commitOpenEditor() {
        if (!m_editor) return true;
        QWidget* editor = m_editor;
        if (refused(editor)) return false;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Tab:
                case Qt::Key_Backtab:
                    if (auto* editor = qobject_cast<QWidget*>(object); editor && refused(editor))
                        return true;
                    break;
                default: break;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    bool refused(QWidget* editor) const {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line) return false;
        const QString reason = m_refusal(m_editing, line->text());
        line->setToolTip(reason);
        if (reason.isEmpty()) return false;
        m_show(reason);
        return true;
    }

    Refusal m_refusal;
    std::function<void(const QString&)> m_show;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editing;
};

QString ReadFailure(quorvane::DocumentReadStatus status, const QString& fileName) {
    switch (status) {
        case quorvane::DocumentReadStatus::TooLarge:
            return frmEditor::tr("%1 は大きすぎるため編集できません。").arg(fileName);
        case quorvane::DocumentReadStatus::NoHeader:
            return frmEditor::tr("%1 の見出しの行を読めないため編集できません。").arg(fileName);
        default: return frmEditor::tr("%1 を読み込めませんでした。").arg(fileName);
    }
}

// The question about a change another program made; Reload, Overwrite or Cancel.
QString OutsideChangeQuestion(const quorvane::DiskLook& look, const QString& fileName, bool unsaved) {
    const quorvane::DiskChange change = look.change;
    QString text;
    if (change == quorvane::DiskChange::Deleted)
        text = frmEditor::tr("%1 はほかのプログラムによって削除されました。\n\n"
                              "上書き保存すると、編集中の内容でファイルを作り直します。")
                   .arg(fileName);
    else if (change == quorvane::DiskChange::NotAFile && look.now.folder)
        text = frmEditor::tr("%1 はほかのプログラムによって同じ名前のフォルダーに置き換えられました。\n\n"
                              "フォルダーの場所には保存できません。")
                   .arg(fileName);
    else if (change == quorvane::DiskChange::NotAFile)
        text = frmEditor::tr("%1 はほかのプログラムによって、ファイルではないもの"
                              "（パイプ、デバイス、たどれないリンクなど）に置き換えられました。\n\n"
                              "上書き保存すると、それを編集中の内容のファイルで置き換えます"
                              "（その中へは書き込みません）。")
                   .arg(fileName);
    else
        text = frmEditor::tr("%1 はほかのプログラムによって変更されました。\n\n"
                              "再読み込みすると、変更後のファイルを表示します。")
                   .arg(fileName);
    if (change == quorvane::DiskChange::Changed) {
        if (unsaved) text += frmEditor::tr("この画面で保存していない変更は失われます。");
        text += frmEditor::tr("\n上書き保存すると、ほかのプログラムによる変更は %1.bak にだけ残ります。")
                    .arg(fileName);
    }
    return text + frmEditor::tr("\nキャンセルすると、何も書き込まず編集を続けます。");
}

QString CodePoint(const QString& character) {
    const QList<uint> points = character.toUcs4();
    return points.isEmpty() ? QString()
                            : QStringLiteral("U+%1").arg(points.first(), 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

frmEditor::frmEditor(quorvane::Platform& platform, quorvane::Converter& converter, QWidget* owner,
                     const std::string& path)
    : QWidget(nullptr, Qt::Window), m_platform(platform), m_converter(converter), m_owner(owner),
      m_path(path) {
    setObjectName(QStringLiteral("frmEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing this window must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    offerUnfinishedSave();
    load();
    if (!m_model) return;
    createControls();
    showFile();
    refreshConverted();
    restorePlacement();
    // Asked once the window is up, not while it is being built.
    QMetaObject::invokeMethod(this, &frmEditor::offerShippedEvents, Qt::QueuedConnection);
}

frmEditor::~frmEditor() {
    // The model and its undo stack are children, destroyed after this part
    // of the window: their last signals must not reach it.
    if (!m_model) return;
    m_model->undoStack()->disconnect(this);
    m_model->disconnect(this);
}

bool frmEditor::isModified() const { return m_model && !m_model->undoStack()->isClean(); }

bool frmEditor::load() {
    // The bytes are read once and kept as a hash, to know later whether the
    // file still holds them.
    quorvane::FileStamp stamp = quorvane::StatFile(FromLocalPath(m_path));
    const quorvane::FileBytes file = quorvane::ReadCatalogueBytes(m_path);
    quorvane::DocumentLoad load;
    if (file.status == quorvane::FileReadStatus::Ok) load = quorvane::ParseCatalogueDocument(file.bytes);
    else if (file.status == quorvane::FileReadStatus::TooLarge) load.status = quorvane::DocumentReadStatus::TooLarge;
    else load.status = quorvane::DocumentReadStatus::Unreadable;
    if (load.status != quorvane::DocumentReadStatus::Ok) {
        const QString fileName = FromLocalPath(quorvane::GetFileName(m_path));
        m_platform.showMessage(
            m_model ? static_cast<QWidget*>(this) : m_owner,
            file.status == quorvane::FileReadStatus::NotAFile
                ? frmEditor::tr("%1 はファイルではない（フォルダー、パイプ、デバイスなど）ため編集できません。")
                      .arg(fileName)
                : ReadFailure(load.status, fileName),
            kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    stamp.hash = quorvane::ContentHash(file.bytes);
    m_onDisk = stamp;
    m_userCopy.reset();
    saveTarget(true);
    m_unreadableLines = load.unreadableLines;
    if (m_model) m_model->replaceDocument(std::move(load.document));
    else m_model = new EventTableModel(std::move(load.document), this);
    return true;
}

bool frmEditor::reload() {
    if (!load()) return false;
    lblStatus->clear();
    showFile();
    refreshConverted();
    if (m_model->rowCount() > 0) selectRow(0, EventTableModel::TitleColumn);
    return true;
}

QString frmEditor::saveTarget(bool probe) {
    const QString path = FromLocalPath(m_path);
    const QFileInfo file(path);
    // Each face's catalogue has its own user copy.
    const std::string_view shippedName = file.fileName() == FromUtf8(quorvane::kEnglishCatalogueFileName)
                                             ? quorvane::kEnglishCatalogueFileName
                                             : quorvane::kCatalogueFileName;
    const QString userCopy = FromLocalPath(quorvane::UserCataloguePath(shippedName));
    if (!probe) return m_userCopy ? userCopy : path;
    // The program's own catalogue in a folder the user cannot write (an
    // installed program) is saved as the user's copy, which is read first
    // from then on. Any other file is saved where it is or not at all.
    const bool programCatalogue =
        file.absolutePath() == QFileInfo(m_platform.programFolder()).absoluteFilePath() &&
        file.fileName() == FromUtf8(shippedName) && path != userCopy;
    if (!programCatalogue || quorvane::CanWriteInFolder(file.absolutePath())) {
        m_userCopy.reset();
        return path;
    }
    if (!m_userCopy) m_userCopy = quorvane::StatFile(userCopy);
    return userCopy;
}

frmEditor::OutsideChange frmEditor::resolveOutsideChange(bool saving, quorvane::FileStamp* agreed) {
    // The file the save will replace is the one to watch.
    const QString path = saveTarget(false);
    quorvane::FileStamp& known = m_userCopy ? *m_userCopy : m_onDisk;
    const quorvane::DiskLook look = quorvane::LookAtDisk(known, path, saving);
    if (agreed) *agreed = look.now;
    if (look.change == quorvane::DiskChange::None) {
        // Touched, not changed: the next look need not read it again.
        known = look.now;
        return OutsideChange::None;
    }
    if (saving && m_overwriteAgreed && look.now == *m_overwriteAgreed) return OutsideChange::Overwrite;
    // The window is activated again when the question closes.
    if (!saving && m_askedAbout && look.now == *m_askedAbout) return OutsideChange::Keep;
    m_askedAbout = look.now;

    const bool unsaved =
        isModified() || static_cast<CellDelegate*>(grdEvents->itemDelegate())->isEditing();
    const MessageAnswer answer = m_platform.showMessage(
        this, OutsideChangeQuestion(look, QFileInfo(path).fileName(), unsaved), kCaption,
        MessageIcon::Warning, MessageButtons::ReloadOverwriteCancel);
    if (answer == MessageAnswer::Overwrite) {
        m_overwriteAgreed = look.now;
        return OutsideChange::Overwrite;
    }
    if (answer == MessageAnswer::Reload) {
        // The other program's copy is the one to show from now on.
        const std::string before = m_path;
        m_path = LocalPath(path);
        if (!reload()) m_path = before;
    }
    else if (saving) lblStatus->setText(frmEditor::tr("保存しませんでした。"));
    return OutsideChange::Keep;
}

void frmEditor::offerUnfinishedSave() {
    const QString path = FromLocalPath(m_path);
    const quorvane::UnfinishedSave unfinished = quorvane::FindUnfinishedSave(path);
    if (!unfinished.found) return;
    const QString name = FromLocalPath(quorvane::GetFileName(m_path));
    const QString cut = frmEditor::tr("%1 の前回の保存は途中で終わったため、内容が欠けている可能性があります。\n")
                            .arg(name);
    if (!unfinished.backupHoldsOld) {
        m_platform.showMessage(m_owner, cut + frmEditor::tr("保存前の内容は %1.bak にも残っていません。").arg(name),
                               kCaption, MessageIcon::Warning, MessageButtons::Ok);
        quorvane::ForgetUnfinishedSave(path);
        return;
    }
    if (m_platform.showMessage(m_owner,
                               cut + frmEditor::tr("保存前の内容が %1.bak に残っています。元に戻しますか？").arg(name),
                               kCaption, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const quorvane::SaveResult restored = quorvane::RestoreUnfinishedSave(path);
    if (!restored.ok)
        m_platform.showMessage(m_owner,
                               frmEditor::tr("%1.bak から元に戻せませんでした。\n").arg(name) + restored.reason,
                               kCaption, MessageIcon::Warning, MessageButtons::Ok);
}

void frmEditor::checkOutsideChange() {
    if (!m_model || m_busy || !isActiveWindow()) return;
    OutsideChange answer;
    {
        QScopedValueRollback busy(m_busy, true);
        answer = resolveOutsideChange(false);
    }
    if (answer == OutsideChange::Overwrite) Save();
}

void frmEditor::createControls() {
    lblFilter = new QLabel(tr("絞り込み(&F)："), this);
    lblFilter->setObjectName(QStringLiteral("lblFilter"));
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->setPlaceholderText(tr("事象と詳細から探します"));
    lblFilter->setBuddy(txtFilter);
    txtFilter->setAccessibleName(tr("絞り込み"));

    m_view = new EventFilterModel(this);
    m_view->setSourceModel(m_model);
    m_view->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_view->setSortLocaleAware(true);
    m_view->setDynamicSortFilter(true);

    grdEvents = new QTableView(this);
    grdEvents->setObjectName(QStringLiteral("grdEvents"));
    grdEvents->setAccessibleName(tr("事象の一覧"));
    grdEvents->setModel(m_view);
    grdEvents->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdEvents->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click carries the date; typing or F2 edits. A click on the
    // selected cell does not: its delayed editor would open after a double
    // click as well.
    grdEvents->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grdEvents->setWordWrap(false);
    grdEvents->verticalHeader()->setDefaultSectionSize(grdEvents->fontMetrics().height() + 8);
    // Rows stay in file order until a heading is clicked; a third click
    // gives the file order back.
    QHeaderView* heading = grdEvents->horizontalHeader();
    heading->setSortIndicatorClearable(true);
    heading->setSortIndicator(-1, Qt::AscendingOrder);
    grdEvents->setSortingEnabled(true);
    heading->setStretchLastSection(true);
    heading->resizeSection(EventTableModel::TitleColumn, quorvane::TwipsToPixels(2700, this));
    heading->resizeSection(EventTableModel::DetailColumn, quorvane::TwipsToPixels(3600, this));
    heading->resizeSection(EventTableModel::DateColumn, quorvane::TwipsToPixels(1200, this));
    heading->resizeSection(EventTableModel::SourceColumn, quorvane::TwipsToPixels(2100, this));
    auto* delegate = new CellDelegate(
        [this](const QModelIndex& index, const QString& text) {
            return m_model->refusal(m_view->mapToSource(index), text);
        },
        [this](const QString& reason) { showRefusal(reason); }, grdEvents);
    grdEvents->setItemDelegate(delegate);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setWordWrap(true);
    QPalette warning = lblStatus->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
    lblStatus->setPalette(warning);
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setTextFormat(Qt::PlainText);
    lblFile->setWordWrap(true);
    lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The path is cut to the label's width, which only its resize tells.
    lblFile->installEventFilter(this);

    const auto newButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    cmdAdd = newButton("cmdAdd", tr("追加(&A)"));
    cmdAdd->setToolTip(tr("選んだ行の後に新しい事象を加えます"));
    cmdDuplicate = newButton("cmdDuplicate", tr("複製(&C)"));
    cmdDuplicate->setToolTip(tr("選んだ行の写しを後に加えます"));
    cmdDelete = newButton("cmdDelete", tr("削除(&D)"));
    cmdDelete->setToolTip(tr("選んだ行を削除します"));
    cmdUndo = newButton("cmdUndo", tr("元に戻す(&U)"));
    cmdUndo->setToolTip(tr("元に戻す (Ctrl+Z)"));
    cmdRedo = newButton("cmdRedo", tr("やり直し(&R)"));
    cmdRedo->setToolTip(tr("やり直し (Ctrl+Y)"));
    cmdCarry = newButton("cmdCarry", tr("日付を主画面へ(&M)"));
    cmdCarry->setToolTip(tr("選んだ事象の日付を変換画面に入れます (行のダブルクリックでも)"));
    cmdSave = newButton("cmdSave", tr("保存(&S)"));
    cmdSave->setToolTip(tr("保存 (Ctrl+S)"));
    cmdClose = newButton("cmdClose", tr("閉じる(&X)"));

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(lblFilter);
    filterRow->addWidget(txtFilter, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdAdd, cmdDuplicate, cmdDelete}) buttons->addWidget(button);
    buttons->addSpacing(quorvane::TwipsToPixels(180, this));
    for (QPushButton* button : {cmdUndo, cmdRedo}) buttons->addWidget(button);
    buttons->addSpacing(quorvane::TwipsToPixels(180, this));
    buttons->addWidget(cmdCarry);
    buttons->addStretch(1);
    for (QPushButton* button : {cmdSave, cmdClose}) buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(grdEvents, 1);
    layout->addWidget(lblStatus);
    layout->addWidget(lblFile);
    layout->addLayout(buttons);

    setTabOrder(txtFilter, grdEvents);
    QWidget* previous = grdEvents;
    for (QPushButton* button :
         {cmdAdd, cmdDuplicate, cmdDelete, cmdUndo, cmdRedo, cmdCarry, cmdSave, cmdClose}) {
        setTabOrder(previous, button);
        previous = button;
    }

    // Window-wide keys; inside a cell editor its own undo comes first.
    QUndoStack* undo = m_model->undoStack();
    const auto addShortcut = [this](const QList<QKeySequence>& keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_Z)}, [undo] { undo->undo(); });
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                [undo] { undo->redo(); });
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { cmdSave_Click(); });

    cmdUndo->setEnabled(false);
    cmdRedo->setEnabled(false);
    connect(undo, &QUndoStack::canUndoChanged, cmdUndo, &QWidget::setEnabled);
    connect(undo, &QUndoStack::canRedoChanged, cmdRedo, &QWidget::setEnabled);
    connect(undo, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(undo, &QUndoStack::indexChanged, this, [this] { lblStatus->clear(); });
    connect(cmdUndo, &QPushButton::clicked, undo, &QUndoStack::undo);
    connect(cmdRedo, &QPushButton::clicked, undo, &QUndoStack::redo);
    connect(cmdAdd, &QPushButton::clicked, this, &frmEditor::cmdAdd_Click);
    connect(cmdDuplicate, &QPushButton::clicked, this, &frmEditor::cmdDuplicate_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmEditor::cmdDelete_Click);
    connect(cmdCarry, &QPushButton::clicked, this, &frmEditor::cmdCarry_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmEditor::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(txtFilter, &QLineEdit::textChanged, this, &frmEditor::txtFilter_Change);
    connect(grdEvents, &QTableView::doubleClicked, this, &frmEditor::grdEvents_DoubleClick);
    connect(m_model, &EventTableModel::cellRefused, this,
            [this](const QModelIndex&, const QString& reason) { showRefusal(reason); });

    if (m_model->rowCount() > 0) selectRow(0, EventTableModel::TitleColumn);
    grdEvents->setFocus();
}

void frmEditor::showFile() {
    const QString fileName = FromLocalPath(quorvane::GetFileName(m_path));
    setWindowTitle(tr("データベースの編集 - ") + fileName + QStringLiteral("[*]"));
    const QString path = QDir::toNativeSeparators(FromLocalPath(m_path));
    const QString prefix = frmEditor::tr("ファイル：");
    // The file's name stays in sight however long the folders are; the tool
    // tip holds the whole path.
    const QFontMetrics metrics(lblFile->font());
    const int room = lblFile->contentsRect().width() - metrics.horizontalAdvance(prefix);
    QString text = prefix + metrics.elidedText(path, Qt::ElideMiddle, std::max(room, 0));
    lblFile->setToolTip(path);
    if (m_unreadableLines > 0)
        text += tr("\n読み込めなかった %1 行はそのまま残し、保存しても元の位置に書き戻します。")
                    .arg(m_unreadableLines);
    lblFile->setText(text);
}

bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblFile && event->type() == QEvent::Resize) showFile();
    return QWidget::eventFilter(watched, event);
}

void frmEditor::offerShippedEvents() {
    // Only a user's copy stands in for the program's own catalogue, and only
    // a copy as it is on disk can take lines at its end.
    if (!m_model || m_busy || isModified()) return;
    // Each face's catalogue has its own user copy and its own shipped file.
    const std::string_view name =
        QFileInfo(FromLocalPath(m_path)).fileName() == FromUtf8(quorvane::kEnglishCatalogueFileName)
            ? quorvane::kEnglishCatalogueFileName
            : quorvane::kCatalogueFileName;
    const std::string userCopy = quorvane::UserCataloguePath(name);
    if (userCopy.empty() || m_path != userCopy) return;
    const std::string shippedPath =
        quorvane::ShippedCataloguePath(LocalPath(m_platform.programFolder()), name);
    const quorvane::FileBytes shippedFile = quorvane::ReadCatalogueBytes(shippedPath);
    if (shippedFile.status != quorvane::FileReadStatus::Ok) return;
    const quorvane::DocumentLoad shipped = quorvane::ParseCatalogueDocument(shippedFile.bytes);
    if (shipped.status != quorvane::DocumentReadStatus::Ok) return;

    const QString key = FromUtf8(quorvane::settings::kOfferedEvents.section) + u'/' +
                        FromUtf8(quorvane::settings::kOfferedEvents.name);
    const QString fingerprint = FromUtf8(quorvane::CatalogueFingerprint(shippedFile.bytes));
    if (quorvane::OpenSettingsStore()->Read({key}).value(key) == fingerprint) return;
    const std::vector<quorvane::EventRow> missing = quorvane::MissingEvents(m_model->document(), shipped.document);
    if (!quorvane::CanAppendEvents(m_model->document())) return;
    const auto remember = [&key, &fingerprint] { quorvane::OpenSettingsStore()->Write({{key, fingerprint}}); };
    if (missing.empty()) {
        remember();
        return;
    }

    QScopedValueRollback busy(m_busy, true);
    const int count = static_cast<int>(missing.size());
    const QString question =
        tr("プログラムに付属のデータベースに、このファイルにない事象が %n 件あります。\n"
           "このファイルに追加しますか？ 今ある事象はそのまま残ります。\n\n"
           "「いいえ」を選ぶと、付属のデータベースが新しくなるまでたずねません。",
           nullptr, count);
    if (m_platform.showMessage(this, question, kCaption, MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        remember();
        return;
    }
    if (!appendEvents(missing)) return;
    remember();
    lblStatus->setText(tr("%n 件の事象を追加しました。", nullptr, count));
}

bool frmEditor::appendEvents(const std::vector<quorvane::EventRow>& rows) {
    quorvane::FileStamp agreed;
    if (resolveOutsideChange(true, &agreed) == OutsideChange::Keep) return false;
    const QString notAdded =
        tr("付属のデータベースの事象を追加できませんでした。このファイルは変更されていません。");
    const quorvane::FileBytes file = quorvane::ReadCatalogueBytes(m_path);
    if (file.status != quorvane::FileReadStatus::Ok) {
        m_platform.showMessage(this, notAdded, kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    // The user's lines are the bytes they were: the new ones only follow.
    const auto appended = quorvane::AppendEvents(file.bytes, rows);
    if (const auto* failure = std::get_if<quorvane::EncodingFailure>(&appended)) {
        QString text = notAdded;
        if (!failure->character.empty())
            text += u'\n' + tr("文字「%1」(%2) は %3 のファイルに書けません。")
                                .arg(FromUtf8(failure->character), CodePoint(FromUtf8(failure->character)),
                                     FromUtf8(quorvane::EncodingName(m_model->document().encoding)));
        m_platform.showMessage(this, text, kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    const std::string& bytes = std::get<std::string>(appended);
    const QString target = FromLocalPath(m_path);
    // The file is replaced only as it was when read here; anything another
    // program wrote meanwhile stays, and the offer comes again next time.
    const quorvane::SaveResult saved =
        quorvane::ReplaceWithBackup(target, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), agreed);
    if (!saved.ok) {
        m_platform.showMessage(this, notAdded + u'\n' + saved.reason, kCaption, MessageIcon::Warning,
                               MessageButtons::Ok);
        return false;
    }
    reload();
    emit catalogueSaved(target);
    return true;
}

void frmEditor::showRefusal(const QString& reason) { lblStatus->setText(reason); }

void frmEditor::refreshConverted() { m_model->setConverterOptions(m_converter.Options()); }

bool frmEditor::event(QEvent* event) {
    // Once per activation, not at every focus change inside the window; the
    // look waits until the activation is over, as a question takes the focus.
    if (event->type() == QEvent::WindowActivate && m_model)
        QMetaObject::invokeMethod(this, &frmEditor::checkOutsideChange, Qt::QueuedConnection);
    return QWidget::event(event);
}

void frmEditor::changeEvent(QEvent* event) {
    // The main window's options may have changed while it had the focus.
    if (event->type() == QEvent::ActivationChange && m_model && isActiveWindow()) refreshConverted();
    QWidget::changeEvent(event);
}

int frmEditor::currentRow() const {
    const QModelIndex current = m_view->mapToSource(grdEvents->currentIndex());
    return current.isValid() ? current.row() : -1;
}

void frmEditor::selectRow(int documentRow, int column) {
    QModelIndex index = m_view->mapFromSource(m_model->index(documentRow, column));
    if (!index.isValid() && !txtFilter->text().isEmpty()) {
        // A row the filter hides cannot be shown or edited.
        txtFilter->clear();
        index = m_view->mapFromSource(m_model->index(documentRow, column));
    }
    if (!index.isValid()) return;
    grdEvents->setCurrentIndex(index);
    grdEvents->scrollTo(index);
}

void frmEditor::cmdAdd_Click() {
    const int current = currentRow();
    const QDate today = m_platform.today();
    quorvane::EventRow row;
    row.title = m_model->uniqueTitle(ToUtf8(tr("新しい事象")));
    row.detail = ToUtf8(tr("詳細"));
    quorvane::DateValue date;
    date.year = today.year();
    date.month = today.month();
    date.day = today.day();
    row.date = date;
    const int at = m_model->addEvent(current < 0 ? m_model->rowCount() : current + 1, row);
    selectRow(at, EventTableModel::TitleColumn);
    grdEvents->setFocus();
    grdEvents->edit(grdEvents->currentIndex());
}

void frmEditor::cmdDuplicate_Click() {
    const int current = currentRow();
    if (current < 0) return;
    selectRow(m_model->duplicateEvent(current), EventTableModel::TitleColumn);
    grdEvents->setFocus();
}

void frmEditor::cmdDelete_Click() {
    const int current = currentRow();
    if (current < 0) return;
    m_model->deleteEvent(current);
    if (m_model->rowCount() > 0)
        selectRow(std::min(current, m_model->rowCount() - 1), EventTableModel::TitleColumn);
    grdEvents->setFocus();
}

void frmEditor::cmdCarry_Click() {
    if (const int current = currentRow(); current >= 0) CarryDate(current);
}

void frmEditor::grdEvents_DoubleClick(const QModelIndex& index) {
    const QModelIndex source = m_view->mapToSource(index);
    if (source.isValid()) CarryDate(source.row());
}

void frmEditor::CarryDate(int documentRow) {
    const quorvane::EventRow& row = m_model->document().rows[static_cast<std::size_t>(documentRow)];
    quorvane::CarryDate(m_converter, row.date);
}

void frmEditor::cmdSave_Click() { Save(); }

void frmEditor::txtFilter_Change(const QString& text) { m_view->setFilterText(text); }

bool frmEditor::Save() {
    if (!m_model) return false;
    if (!static_cast<CellDelegate*>(grdEvents->itemDelegate())->commitOpenEditor()) return false;
    QScopedValueRollback busy(m_busy, true);
    const QString target = saveTarget(true);
    quorvane::FileStamp agreed;
    if (resolveOutsideChange(true, &agreed) == OutsideChange::Keep) return false;

    const quorvane::CatalogueDocument& document = m_model->document();
    if (const auto line = quorvane::LineInAnotherEncoding(document)) {
        const QString question =
            tr("読み込めなかった %1 行目は %2 の文字として正しくありません。\n"
                           "この行は読み込んだときのまま書き戻すため、保存したファイルには"
                           "別の文字コードの行が混ざります。\n保存しますか？")
                .arg(*line)
                .arg(FromUtf8(quorvane::EncodingName(document.keptEncoding)));
        if (m_platform.showMessage(this, question, kCaption, MessageIcon::Warning,
                                   MessageButtons::YesNo) != MessageAnswer::Yes) {
            lblStatus->setText(tr("保存しませんでした。"));
            return false;
        }
    }
    // Where a refused character stands, as the user finds it in the grid.
    const auto place = [&](const quorvane::EncodingFailure& failure) {
        const std::size_t rowCount = document.rows.size();
        if (failure.column < 0)
            return failure.row < rowCount
                       ? tr("%1 件目の事象の前にある読み込めなかった行").arg(failure.row + 1)
                       : tr("最後の読み込めなかった行");
        if (failure.row >= rowCount) return tr("見出しの行");
        return tr("%1 件目の事象「%2」の「%3」欄（%4 列目）")
            .arg(failure.row + 1)
            .arg(FromUtf8(document.rows[failure.row].title),
                 FromUtf8(document.headings[static_cast<std::size_t>(failure.column)]))
            .arg(failure.column + 1);
    };
    const auto refuse = [&](const quorvane::EncodingFailure& failure, const QString& reason) {
        m_platform.showMessage(this, reason, kCaption, MessageIcon::Warning, MessageButtons::Ok);
        lblStatus->setText(tr("保存しませんでした。"));
        if (failure.column >= 0 && failure.row < document.rows.size())
            selectRow(static_cast<int>(failure.row), failure.column);
        return false;
    };
    const auto formatRefusal = [&](const quorvane::EncodingFailure& failure) {
        const QString character = FromUtf8(failure.character);
        return tr("%1に「%2」(%3) があります。\n%4。このままでは保存できません。")
            .arg(place(failure), character, CodePoint(character),
                 FromUtf8(quorvane::UnwritableReason(failure.character)));
    };

    quorvane::TextEncoding encoding = document.encoding;
    auto encoded = quorvane::EncodeCatalogueDocument(document);
    if (const auto* failure = std::get_if<quorvane::EncodingFailure>(&encoded)) {
        const QString character = FromUtf8(failure->character);
        // No encoding holds what the format cannot: offering UTF-8 would
        // only fail again.
        if (failure->formatCannotHold) return refuse(*failure, formatRefusal(*failure));
        if (encoding != quorvane::TextEncoding::ShiftJis)
            return refuse(*failure, tr("%1にある文字「%2」(%3) は %4 で保存できません。")
                                        .arg(place(*failure), character, CodePoint(character),
                                             FromUtf8(quorvane::EncodingName(encoding))));
        const QString question =
            tr("%1にある文字「%2」(%3) は Shift-JIS で保存できません。\n"
                           "UTF-8 (BOM 付き) のファイルとして保存しますか？")
                .arg(place(*failure), character, CodePoint(character));
        if (m_platform.showMessage(this, question, kCaption, MessageIcon::Question,
                                   MessageButtons::YesNo) != MessageAnswer::Yes) {
            lblStatus->setText(tr("保存しませんでした。"));
            return false;
        }
        quorvane::CatalogueDocument asUtf8 = document;
        asUtf8.encoding = quorvane::TextEncoding::Utf8;
        encoded = quorvane::EncodeCatalogueDocument(asUtf8);
        if (const auto* again = std::get_if<quorvane::EncodingFailure>(&encoded)) {
            const QString other = FromUtf8(again->character);
            return refuse(*again, again->formatCannotHold
                                      ? formatRefusal(*again)
                                      : tr("%1にある文字「%2」(%3) は UTF-8 でも保存できません。")
                                            .arg(place(*again), other, CodePoint(other)));
        }
        encoding = quorvane::TextEncoding::Utf8;
    }
    const std::string& bytes = std::get<std::string>(encoded);

    // What the readers refuse must not be written: nothing could open it again.
    const auto refuseLimit = [&](const QString& reason) {
        m_platform.showMessage(this, frmEditor::tr("データベースを保存できませんでした。元のファイルは変更されていません。\n") + reason,
                               kCaption, MessageIcon::Warning, MessageButtons::Ok);
        lblStatus->setText(frmEditor::tr("保存しませんでした。"));
        return false;
    };
    if (const auto refusal = quorvane::SaveLimitRefusal(bytes.size(), document.rows.size()))
        return refuseLimit(FromUtf8(*refusal));

    const QString programFolder = m_platform.programFolder();
    const bool toUserCopy = target != FromLocalPath(m_path);
    if (toUserCopy && !QDir().mkpath(FromLocalPath(quorvane::UserCatalogueFolder()))) {
        m_platform.showMessage(
            this,
            frmEditor::tr("データベースを保存できませんでした。元のファイルは変更されていません。\n"
                           "フォルダー %1 を作れませんでした。")
                .arg(QDir::toNativeSeparators(FromLocalPath(quorvane::UserCatalogueFolder()))),
            kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }

    // A change found during the save itself is asked about like any other;
    // a program that never stops writing is not raced for ever.
    quorvane::SaveResult saved;
    for (int attempt = 0;; ++attempt) {
        saved = quorvane::ReplaceWithBackup(target, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                            agreed);
        if (!saved.changedOutside) break;
        if (attempt == 3) {
            saved.reason = frmEditor::tr("ほかのプログラムが %1 に書き込み続けています。")
                               .arg(QFileInfo(target).fileName());
            break;
        }
        if (resolveOutsideChange(true, &agreed) == OutsideChange::Keep) return false;
    }
    if (!saved.ok) {
        m_platform.showMessage(
            this,
            tr("データベースを保存できませんでした。元のファイルは変更されていません。\n") +
                saved.reason,
            kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    // Size and time come after the write: a change slipping in right after it
    // is missed by an activation, but a save compares the contents.
    m_onDisk = quorvane::StatFile(target);
    m_onDisk.hash = quorvane::ContentHash(bytes);
    m_askedAbout.reset();
    m_overwriteAgreed.reset();
    m_userCopy.reset();
    m_model->setEncoding(encoding);
    m_model->undoStack()->setClean();
    lblStatus->clear();
    if (toUserCopy) {
        m_path = LocalPath(target);
        showFile();
        m_platform.showMessage(
            this,
            tr("プログラムのフォルダー %1 には書き込めないため、データベースを次の場所に保存しました。\n"
                           "%2\n今後はこのファイルを読み込みます。")
                .arg(QDir::toNativeSeparators(programFolder), QDir::toNativeSeparators(target)),
            kCaption, MessageIcon::Information, MessageButtons::Ok);
    }
    emit catalogueSaved(target);
    return true;
}

bool frmEditor::QueryClose() {
    if (!isModified()) return true;
    const MessageAnswer answer = m_platform.showMessage(
        this,
        tr("%1 は変更されています。保存しますか？")
            .arg(FromLocalPath(quorvane::GetFileName(m_path))),
        kCaption, MessageIcon::Question, MessageButtons::SaveDiscardCancel);
    if (answer == MessageAnswer::Save) return Save();
    return answer == MessageAnswer::Discard;
}

void frmEditor::closeEvent(QCloseEvent* event) {
    if (!QueryClose()) {
        event->ignore();
        return;
    }
    if (m_model) savePlacement();
    event->accept();
}

void frmEditor::restorePlacement() {
    QStringList keys;
    for (const char* key : {"Width", "Height", "Top", "Left"}) keys << kSection + QLatin1String(key);
    const quorvane::SettingsTexts stored = quorvane::OpenSettingsStore()->Read(keys);
    const auto read = [&stored](const char* key, double fallback) {
        bool ok = false;
        const double twips = stored.value(kSection + QLatin1String(key)).toDouble(&ok);
        return ok && std::isfinite(twips) ? twips : fallback;
    };
    const QSize size(quorvane::TwipsToPixels(std::max(read("Width", kDefaultWidth), 1500.0), this),
                     quorvane::TwipsToPixels(std::max(read("Height", kDefaultHeight), 1500.0), this));
    resize(size);
    const double top = read("Top", std::nan(""));
    const double left = read("Left", std::nan(""));
    QPoint wanted;
    if (std::isnan(top) || std::isnan(left)) {
        if (!m_owner) return;
        wanted = m_owner->frameGeometry().topLeft() + QPoint(40, 40);
    } else {
        wanted = QPoint(quorvane::TwipsToPixels(left, this), quorvane::TwipsToPixels(top, this));
    }
    // A position remembered from a screen that is gone comes back onto one.
    move(quorvane::ReachablePosition(*this, wanted));
}

void frmEditor::savePlacement() const {
    // Top and Left of the outer window, as the main window keeps them; Width
    // and Height of the client area, which is what a restore can set.
    quorvane::SettingsTexts texts;
    const auto add = [&texts, this](const char* key, int pixels) {
        texts.insert(kSection + QLatin1String(key),
                     QString::number(std::lround(quorvane::PixelsToTwips(pixels, this))));
    };
    const QPoint outer = frameGeometry().topLeft();
    add("Top", outer.y());
    add("Left", outer.x());
    add("Width", width());
    add("Height", height());
    quorvane::OpenSettingsStore()->Write(texts);
}
