#include "datalist/frmDataList.h"

#include "catalogue/CatalogueDocument.h"
#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueReader.h"
#include "catalogue/TitleKey.h"
#include "files/FileLocation.h"
#include "opendialog/OpenDialog.h"
#include "widgets/Twips.h"
#include "ProgramInfo.h"
#include "conversion/Converter.h"
#include "services/Platform.h"
#include "widgets/ShownText.h"
#include "widgets/Utf8.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QStringListModel>
#include <QStyleFactory>

#include <optional>

namespace {

using quorvane::CatalogueFilter;
using quorvane::FromUtf8;
using quorvane::FromLocalPath;
using quorvane::LocalPath;

const QString kCaption = FromUtf8(quorvane::kProgramCaption);
const QString kCaptionPrefix = QStringLiteral("StarData - ");

// The list drops down below the box, as a plain drop-down list does. The
// popup kind some styles prefer measures every entry each time it opens,
// which a long catalogue makes slow.
class DropDownListStyle : public QProxyStyle {
public:
    DropDownListStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

frmDataList::frmDataList(quorvane::Platform& platform, quorvane::Converter& converter,
                         QWidget* owner)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_platform(platform),
      m_converter(converter),
      m_owner(owner) {
    setObjectName(QStringLiteral("frmDataList"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing this window must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(kCaptionPrefix + FromUtf8(quorvane::kCatalogueFileName));
    // The main window's font, and its design's scale, so the two read alike.
    setFont(quorvane::SharedWindowLook().font);
    quorvane::SetLayoutScale(this, quorvane::SharedWindowLook().scale);
    setFixedSize(quorvane::ScaledTwipsToPixels(3690, this), quorvane::ScaledTwipsToPixels(2055, this));
    createControls();
    Form_Load();
}

frmDataList::~frmDataList() = default;

const quorvane::EventRow& frmDataList::rowAt(int index) const {
    return m_rows[m_listOrder[static_cast<std::size_t>(index)]];
}

const clsStarData* frmDataList::currentRecord() const {
    if (m_current < 0) return nullptr;
    if (!m_handedOut) m_handedOut = quorvane::RecordOf(quorvane::EventRow(rowAt(m_current)));
    return &*m_handedOut;
}

void frmDataList::createControls() {
    using quorvane::TwipsRect;

    cmbTitle = new QComboBox(this);
    cmbTitle->setObjectName(QStringLiteral("cmbTitle"));
    cmbTitle->setGeometry(TwipsRect(960, 120, 2655, 300, this));
    // A long catalogue must not be measured entry by entry, neither for the
    // box's size nor for the list it drops down.
    cmbTitle->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* style = new DropDownListStyle;
    style->setParent(cmbTitle);
    cmbTitle->setStyle(style);
    auto* listView = new QListView(cmbTitle);
    listView->setUniformItemSizes(true);
    cmbTitle->setView(listView);
    m_titles = new QStringListModel(cmbTitle);
    cmbTitle->setModel(m_titles);

    auto newLabel = [this](const char* name, const QString& text, int top) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        // Headings come from the file: never read them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(TwipsRect(0, top, 855, 255, this));
        return label;
    };
    lblTitle = newLabel("lblTitle", tr("事象："), 120);
    lblDetail = newLabel("lblDetail", tr("詳細："), 1080);

    txtDetail = new QPlainTextEdit(this);
    txtDetail->setObjectName(QStringLiteral("txtDetail"));
    txtDetail->setGeometry(TwipsRect(960, 720, 2655, 855, this));
    txtDetail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDetail->setTabChangesFocus(true);

    lblSource = newLabel("lblSource", tr("出典："), 1680);

    txtSource = new QLineEdit(this);
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setGeometry(TwipsRect(960, 1680, 2655, 270, this));

    setTabOrder(cmbTitle, txtDetail);
    setTabOrder(txtDetail, txtSource);

    connect(cmbTitle, &QComboBox::activated, this, &frmDataList::cmbTitle_Click);
}

void frmDataList::Form_Load() {
    const std::string path = locateCatalogue();
    if (!path.empty()) loadCatalogue(path);
}

std::string frmDataList::locateCatalogue() {
    bool declined = false;
    std::string path = quorvane::FindOrAskCatalogue(m_platform, m_owner, &declined);
    if (declined) setWindowTitle(kCaptionPrefix + QStringLiteral("Nothing"));
    return path;
}

void frmDataList::loadCatalogue(const std::string& path) {
    quorvane::CatalogueLoad load;
    if (fillFrom(path, load) && !m_rows.empty()) {
        cmbTitle->setCurrentIndex(0);
        cmbTitle_Click(0);
    }
    const std::string fileName = quorvane::GetFileName(path);
    const std::string message =
        quorvane::CatalogueMessage(FromLocalPath(fileName).toStdString(), load);
    if (!message.empty()) {
        m_platform.showMessage(m_owner, FromUtf8(message), kCaption,
                                      quorvane::MessageIcon::Warning,
                                      quorvane::MessageButtons::Ok);
    }
}

void frmDataList::Reload(const std::string& path) {
    const std::string selected = m_current >= 0 ? quorvane::FoldTitle(rowAt(m_current).title) : std::string();
    m_current = -1;
    m_handedOut.reset();
    quorvane::CatalogueLoad load;
    if (!fillFrom(path, load) || m_rows.empty()) {
        txtDetail->clear();
        txtSource->clear();
        return;
    }
    int index = 0;
    if (!selected.empty()) {
        for (std::size_t i = 0; i < m_listOrder.size(); ++i) {
            if (quorvane::FoldTitle(m_rows[m_listOrder[i]].title) == selected) {
                index = static_cast<int>(i);
                break;
            }
        }
    }
    cmbTitle->setCurrentIndex(index);
    showRecord(index);
}

bool frmDataList::fillFrom(const std::string& path, quorvane::CatalogueLoad& load) {
    // The file is read whole and closed before anything is shown. It is read
    // as the editor reads it, so that the two windows show the same events.
    quorvane::DocumentLoad document = quorvane::ReadCatalogueDocument(path);
    load = std::move(document.reading);
    const std::string fileName = quorvane::GetFileName(path);
    m_rows.clear();
    m_listOrder.clear();
    m_titles->setStringList({});

    if (load.status != quorvane::FileReadStatus::Ok) {
        setWindowTitle(kCaptionPrefix + QStringLiteral("Nothing"));
        return false;
    }
    if (document.status != quorvane::DocumentReadStatus::NoHeader) {
        const auto& headings = document.document.headings;
        // The file's headings, closed as the face closes its own.
        const QString headingEnd = tr("：");
        lblTitle->setText(FromUtf8(headings[0]) + headingEnd);
        lblDetail->setText(FromUtf8(headings[1]) + headingEnd);
        lblSource->setText(FromUtf8(headings[3]) + headingEnd);
    }

    // The rows stay in file order, where they and their texts lie one
    // after another; only the list is sorted. Moving each row, or
    // converting each title, in list order would cost a cache miss.
    m_rows = std::move(document.document.rows);
    m_listOrder = quorvane::TitleOrder(
        m_rows.size(), [this](std::size_t i) { return std::string_view(m_rows[i].title); });
    std::vector<QString> fileOrderTitles;
    fileOrderTitles.reserve(m_rows.size());
    // An entry shows a line's worth; the row keeps the whole title.
    for (const quorvane::EventRow& row : m_rows)
        fileOrderTitles.push_back(quorvane::ShownText(row.title, quorvane::kShownLineLength));
    QStringList titles;
    titles.reserve(static_cast<qsizetype>(m_listOrder.size()));
    for (const std::size_t i : m_listOrder) titles.append(std::move(fileOrderTitles[i]));
    m_titles->setStringList(titles);
    setWindowTitle(kCaptionPrefix + FromLocalPath(fileName));
    return true;
}

void frmDataList::showRecord(int index) {
    m_current = index;
    m_handedOut.reset();
    const quorvane::EventRow& row = rowAt(index);
    txtDetail->setPlainText(quorvane::ShownText(row.detail, quorvane::kShownBoxLength));
    // As the record handed out reads it: only #NULL# is "Nothing".
    const bool null = row.source.empty() && row.emptySource == quorvane::EmptySource::Null;
    txtSource->setText(null ? QString::fromLatin1(clsStarData::kNullSource)
                            : quorvane::ShownText(row.source, quorvane::kShownLineLength));
    txtSource->setCursorPosition(0);
}

void frmDataList::cmbTitle_Click(int index) {
    if (index < 0 || index >= recordCount()) return;
    showRecord(index);
    quorvane::CarryDate(m_converter, rowAt(index).date);
}
