#include "editor/frmEditor.h"

#include "ProgramInfo.h"
#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueReader.h"
#include "editor/CellDelegate.h"
#include "editor/EditorQuestions.h"
#include "editor/EventTableModel.h"
#include "editor/SaveBytes.h"
#include "editor/ShippedOffer.h"
#include "files/FileLocation.h"
#include "opendialog/OpenDialog.h"
#include "conversion/Converter.h"
#include "services/Platform.h"
#include "services/SettingsStore.h"
#include "widgets/Twips.h"
#include "widgets/Utf8.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>

using quorvane::FromLocalPath;
using quorvane::FromUtf8;
using quorvane::LocalPath;
using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;
using quorvane::ToUtf8;

namespace {

const QString kCaption = FromUtf8(quorvane::kProgramCaption);

// A first start's client size, in twips.
constexpr double kDefaultWidth = 12600;
constexpr double kDefaultHeight = 6000;

QString ReadFailure(quorvane::DocumentReadStatus status, const QString& fileName) {
    switch (status) {
        case quorvane::DocumentReadStatus::TooLarge:
            return frmEditor::tr("%1 は大きすぎるため編集できません。").arg(fileName);
        case quorvane::DocumentReadStatus::NoHeader:
            return frmEditor::tr("%1 の見出しの行を読めないため編集できません。").arg(fileName);
        default: return frmEditor::tr("%1 を読み込めませんでした。").arg(fileName);
    }
}

}  // namespace

frmEditor::frmEditor(quorvane::Platform& platform, quorvane::Converter& converter, QWidget* owner,
                     const std::string& path)
    : QWidget(nullptr, Qt::Window), m_platform(platform), m_converter(converter), m_owner(owner),
      m_path(path), m_questions(std::make_unique<EditorQuestions>(platform, owner)),
      m_save(std::make_unique<quorvane::SaveFlow>(*m_questions, platform.programFolder())) {
    setObjectName(QStringLiteral("frmEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing this window must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_save->offerUnfinishedSave(FromLocalPath(m_path));
    load();
    if (!m_model) return;
    m_questions->setParent(this);
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

CellDelegate* frmEditor::delegate() const { return static_cast<CellDelegate*>(grdEvents->itemDelegate()); }

bool frmEditor::load() {
    // The bytes are read once and kept as a hash, to know later whether the
    // file still holds them.
    const quorvane::FileStamp stamp = quorvane::StatFile(FromLocalPath(m_path));
    const quorvane::FileBytes file = quorvane::ReadCatalogueBytes(m_path);
    quorvane::DocumentLoad load;
    if (file.status == quorvane::FileReadStatus::Ok) load = quorvane::ParseCatalogueDocument(file.bytes);
    else if (file.status == quorvane::FileReadStatus::TooLarge) load.status = quorvane::DocumentReadStatus::TooLarge;
    else load.status = quorvane::DocumentReadStatus::Unreadable;
    if (load.status != quorvane::DocumentReadStatus::Ok) {
        const QString fileName = FromLocalPath(quorvane::GetFileName(m_path));
        QString text = file.status == quorvane::FileReadStatus::NotAFile
                           ? frmEditor::tr("%1 はファイルではない（フォルダー、パイプ、デバイスなど）ため編集できません。")
                                 .arg(fileName)
                           : ReadFailure(load.status, fileName);
        // The system's own words say what the user can do about it.
        if (file.systemError != 0) text += QStringLiteral("\n(") + qt_error_string(file.systemError) + u')';
        m_platform.showMessage(m_model ? static_cast<QWidget*>(this) : m_owner, text, kCaption,
                               MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    m_save->setRead(FromLocalPath(m_path), stamp, file.bytes);
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

void frmEditor::reloadFrom(const QString& path) {
    // The other program's copy is the one to show from now on.
    const std::string before = m_path;
    m_path = LocalPath(path);
    if (!reload()) m_path = before;
}

frmEditor::OutsideChange frmEditor::resolveOutsideChange(bool saving, quorvane::FileStamp* agreed,
                                                         quorvane::SavePurpose purpose) {
    const bool unsaved = isModified() || delegate()->isEditing();
    const quorvane::SaveFlow::Resolution resolution = m_save->resolveOutsideChange(saving, unsaved, purpose);
    if (agreed) *agreed = resolution.agreed;
    switch (resolution.outcome) {
        case quorvane::SaveFlow::Outcome::None: return OutsideChange::None;
        case quorvane::SaveFlow::Outcome::Overwrite: return OutsideChange::Overwrite;
        case quorvane::SaveFlow::Outcome::Reload: reloadFrom(resolution.path); break;
        case quorvane::SaveFlow::Outcome::Cancel:
            if (saving) lblStatus->setText(frmEditor::tr("保存しませんでした。"));
            break;
    }
    return OutsideChange::Keep;
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
    createGrid();

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
    createButtons();

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
    connectControls();
    if (m_model->rowCount() > 0) selectRow(0, EventTableModel::TitleColumn);
    grdEvents->setFocus();
}

void frmEditor::createGrid() {
    m_view = new EventFilterModel(this);
    m_view->setSourceModel(m_model);
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
    auto* cells = new CellDelegate(
        [this](const QModelIndex& index, const QString& text) {
            return m_model->refusal(m_view->mapToSource(index), text);
        },
        [this](const QString& reason) { showRefusal(reason); }, grdEvents);
    grdEvents->setItemDelegate(cells);
}

void frmEditor::createButtons() {
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
}

void frmEditor::connectControls() {
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
    const std::optional<ShippedOffer> offer =
        FindShippedOffer(m_platform.programFolder(), m_path, m_model->document());
    if (!offer) return;
    const auto remember = [&offer] { quorvane::OpenSettingsStore()->Write({{offer->key, offer->fingerprint}}); };
    if (offer->missing == 0) {
        remember();
        return;
    }

    QScopedValueRollback busy(m_busy, true);
    const QString question =
        tr("プログラムに付属のデータベースに、このファイルにない事象が %n 件あります。\n"
           "このファイルに追加しますか？ 今ある事象はそのまま残ります。\n\n"
           "「いいえ」を選ぶと、付属のデータベースが新しくなるまでたずねません。",
           nullptr, static_cast<int>(offer->missing));
    if (m_platform.showMessage(this, question, kCaption, MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        remember();
        return;
    }
    if (!appendEvents(offer->shipped)) return;
    remember();
}

bool frmEditor::appendEvents(const quorvane::CatalogueDocument& shipped) {
    quorvane::FileStamp agreed;
    if (resolveOutsideChange(true, &agreed, quorvane::SavePurpose::Append) == OutsideChange::Keep) return false;
    const auto fail = [this](const QString& reason) {
        m_platform.showMessage(
            this, tr("付属のデータベースの事象を追加できませんでした。このファイルは変更されていません。") + u'\n' + reason,
            kCaption, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    };
    const auto appended = AppendShippedEvents(m_path, shipped);
    if (const auto* reason = std::get_if<QString>(&appended)) return fail(*reason);
    const Appended& added = std::get<Appended>(appended);
    if (added.count == 0) return reload();
    const QString target = FromLocalPath(m_path);
    // The file is replaced only as it was when read here; anything another
    // program wrote meanwhile stays, and the offer comes again next time.
    const quorvane::SaveFlow::Written written =
        m_save->write(target, QByteArray(added.bytes.data(), static_cast<qsizetype>(added.bytes.size())), agreed,
                      false, quorvane::SavePurpose::Append);
    if (!written.result.ok) return fail(written.result.reason);
    reload();
    lblStatus->setText(tr("%n 件の事象を追加しました。", nullptr, added.count));
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

bool frmEditor::tellSaveFailed(const QString& reason) {
    m_platform.showMessage(this, tr("データベースを保存できませんでした。元のファイルは変更されていません。\n") + reason,
                           kCaption, MessageIcon::Warning, MessageButtons::Ok);
    lblStatus->setText(tr("保存しませんでした。"));
    return false;
}

bool frmEditor::Save() {
    if (!m_model) return false;
    if (!delegate()->commitOpenEditor()) return false;
    QScopedValueRollback busy(m_busy, true);
    const QString target = m_save->target(true);
    quorvane::FileStamp agreed;
    if (resolveOutsideChange(true, &agreed) == OutsideChange::Keep) return false;
    auto encoded = EncodeForSave(m_platform, this, m_model->document());
    if (const auto* refused = std::get_if<SaveRefused>(&encoded)) {
        lblStatus->setText(tr("保存しませんでした。"));
        if (refused->row >= 0) selectRow(refused->row, refused->column);
        return false;
    }
    const SaveBytes& saving = std::get<SaveBytes>(encoded);
    const std::string& bytes = saving.bytes;

    // What the readers refuse must not be written: nothing could open it again.
    if (const auto refusal =
            quorvane::SaveLimitRefusal(bytes.size(), m_model->document().rows.size()))
        return tellSaveFailed(FromUtf8(*refusal));

    const bool toUserCopy = target != FromLocalPath(m_path);
    const quorvane::SaveFlow::Written written = m_save->write(
        target, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), agreed, isModified());
    if (written.outcome != quorvane::SaveFlow::Outcome::None) {
        if (written.outcome == quorvane::SaveFlow::Outcome::Reload) reloadFrom(target);
        else lblStatus->setText(tr("保存しませんでした。"));
        return false;
    }
    if (!written.result.ok) return tellSaveFailed(written.result.reason);
    m_save->setWritten(target, bytes);
    m_model->setEncoding(saving.encoding);
    m_model->undoStack()->setClean();
    lblStatus->clear();
    if (toUserCopy) {
        m_path = LocalPath(target);
        showFile();
        m_platform.showMessage(
            this,
            tr("プログラムのフォルダー %1 には書き込めないため、データベースを次の場所に保存しました。\n"
                           "%2\n今後はこのファイルを読み込みます。")
                .arg(QDir::toNativeSeparators(m_platform.programFolder()), QDir::toNativeSeparators(target)),
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
    namespace keys = quorvane::settings;
    QStringList names;
    for (const keys::Key* key : {&keys::kEditorWidth, &keys::kEditorHeight, &keys::kEditorTop, &keys::kEditorLeft})
        names << quorvane::SettingsKey(*key);
    const quorvane::SettingsTexts stored = quorvane::OpenSettingsStore()->Read(names);
    const auto read = [&stored](const keys::Key& key, double fallback) {
        bool ok = false;
        const double twips = stored.value(quorvane::SettingsKey(key)).toDouble(&ok);
        return ok && std::isfinite(twips) ? twips : fallback;
    };
    const QSize size(quorvane::TwipsToPixels(std::max(read(keys::kEditorWidth, kDefaultWidth), 1500.0), this),
                     quorvane::TwipsToPixels(std::max(read(keys::kEditorHeight, kDefaultHeight), 1500.0), this));
    resize(size);
    const double top = read(keys::kEditorTop, std::nan(""));
    const double left = read(keys::kEditorLeft, std::nan(""));
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
    const auto add = [&texts, this](const quorvane::settings::Key& key, int pixels) {
        texts.insert(quorvane::SettingsKey(key),
                     QString::number(std::lround(quorvane::PixelsToTwips(pixels, this))));
    };
    const QPoint outer = frameGeometry().topLeft();
    add(quorvane::settings::kEditorTop, outer.y());
    add(quorvane::settings::kEditorLeft, outer.x());
    add(quorvane::settings::kEditorWidth, width());
    add(quorvane::settings::kEditorHeight, height());
    quorvane::OpenSettingsStore()->Write(texts);
}
