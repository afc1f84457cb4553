#include "mainwindow/frmMain.h"

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "files/FileBytes.h"
#include "files/FileLocation.h"
#include "opendialog/OpenDialog.h"
#include "datalist/frmDataList.h"
#include "editor/frmEditor.h"
#include "conversion/StardateArithmetic.h"
#include "language/UiLanguage.h"
#include "widgets/MissingFileQuestion.h"
#include "widgets/Twips.h"
#include "widgets/TypedLimitLineEdit.h"
#include "widgets/Utf8.h"
#include "mainwindow/WindowSettings.h"
#include "services/Platform.h"
#include "services/ShellOpen.h"
#include "services/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QGroupBox>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>
#include <string>

using quorvane::FilterText;
using quorvane::FromUtf8;
using quorvane::FromLocalPath;
using quorvane::LocalPath;
using quorvane::TypedLimitLineEdit;

// The button pictures are XPM, which is C source: compiled in, they are built
// by Qt's own XPM reader without QImageReader's scan of the image plug-ins.
namespace pictures {
#include "resources/pictures/cross.xpm"
#include "resources/pictures/helpbook.xpm"
#include "resources/pictures/infoballoon.xpm"
#include "resources/pictures/pencil.xpm"
}  // namespace pictures

namespace {

const QString kCaption = FromUtf8(quorvane::kProgramCaption);
const QString kEarthFrame = QStringLiteral("fraEarthDate");
const QString kStarFrame = QStringLiteral("fraStarDate");

// Client area of the window, in twips.
constexpr int kClientWidth = 5550;
constexpr int kClientHeight = 2475;

// The most the design is ever scaled by for a large desktop font.
constexpr double kLargestScale = 4.0;

// Gap between the main window and the event list below it, in twips.
constexpr float kDataListGap = 100.0f;

// Raised while a conversion writes its results, so that those writes never
// start the opposite conversion, wherever the focus is.
class QuietWrites {
public:
    explicit QuietWrites(int& counter) : m_counter(counter) { ++m_counter; }
    ~QuietWrites() { --m_counter; }
    QuietWrites(const QuietWrites&) = delete;
    QuietWrites& operator=(const QuietWrites&) = delete;

private:
    int& m_counter;
};

std::string Utf8(const QLineEdit* field) { return field->text().toStdString(); }

template <typename Control>
Control* Place(Control* control, const char* name, double left, double top, double width,
               double height) {
    control->setObjectName(QLatin1String(name));
    quorvane::PlaceInTwips(control, left, top, width, height);
    return control;
}

TypedLimitLineEdit* NewField(QWidget* container, const char* name, int typedLimit, double left,
                             double top, double width, double height) {
    auto* field = Place(new TypedLimitLineEdit(container), name, left, top, width, height);
    field->setTypedLimit(typedLimit);
    return field;
}

QPushButton* NewPictureButton(QWidget* container, const char* name, const char* const picture[],
                              const QString& toolTip, double left, double top) {
    auto* button = Place(new QPushButton(container), name, left, top, 375, 375);
    const QPixmap pixmap(picture);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
    button->setToolTip(toolTip);
    return button;
}

// The window icon's PNGs, decoded only when something asks for a picture:
// the window system may never do, and decoding all four (the 256-pixel one
// above all) would hold up the first frame. Until then only the sizes are
// known; after that every question goes to an ordinary file icon.
class IconOnDemand : public QIconEngine {
public:
    explicit IconOnDemand(QList<QPair<QString, QSize>> files) : m_files(std::move(files)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // At scale 1 QIcon hands the size straight to its engine.
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_files.isEmpty() && icon().isNull(); }
    void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override {
        icon().addPixmap(pixmap, mode, state);
    }
    void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode,
                 QIcon::State state) override {
        icon().addFile(fileName, size, mode, state);
    }
    QIconEngine* clone() const override { return new IconOnDemand(*this); }

private:
    IconOnDemand(const IconOnDemand&) = default;

    QIcon& icon() {
        for (const auto& [file, size] : std::as_const(m_files)) m_icon.addFile(file, size);
        m_files.clear();
        return m_icon;
    }

    QList<QPair<QString, QSize>> m_files;
    QIcon m_icon;
};

// Room the style leaves for a button's or check box's caption.
QSize CaptionRoom(const QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button).size();
}

}  // namespace

frmMain::frmMain(quorvane::Platform& platform, QWidget* parent)
    : QWidget(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kCaption);
    // Fixed border: close and minimize only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QList<QPair<QString, QSize>> iconFiles;
    for (int size : {16, 32, 48, 256})
        iconFiles.append({QStringLiteral(":/icons/quorvane-%1.png").arg(size), QSize(size, size)});
    setWindowIcon(QIcon(new IconOnDemand(std::move(iconFiles))));

    setFont(quorvane::DesktopFontWithJapaneseForms());
    createControls();
    setTabChain();
    setAccessibleNames();
    fitLayoutToCaptions();
    connectHandlers();
    txtYear->setFocus();
}

frmMain::~frmMain() {
    // The event list and the editor write into this window's fields; they
    // must not outlive them.
    delete m_editor.data();
    delete m_dataList.data();
}

frmDataList* frmMain::DataList() const { return m_dataList.data(); }

frmEditor* frmMain::Editor() const { return m_editor.data(); }

void frmMain::Form_Load() {
    quorvane::RestoreWindowSettings(*this);
    txtYear->setFocus();
}

void frmMain::Form_Unload() {
    if (m_dataList) m_dataList->close();
    // The close goes on whatever happens to the settings; the user is told,
    // since the next start will not have them.
    if (const quorvane::SettingsWrite saved = quorvane::SaveWindowSettings(*this); !saved) {
        const QString where = quorvane::SettingsFilePath();
        const QString why = quorvane::DescribeSettingsProblem(saved);
        qWarning("Quorvane: could not save the settings to %s: %s", qUtf8Printable(where), qUtf8Printable(why));
        m_platform.showMessage(this, tr("設定を保存できませんでした。\n%1\n%2").arg(where, why),
                               kCaption, quorvane::MessageIcon::Warning,
                               quorvane::MessageButtons::Ok);
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Unsaved edits are asked about first; a cancel keeps everything open and
    // the settings unwritten.
    if (m_editor && !m_editor->close()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::createControls() {
    fraEarthDate = Place(new QGroupBox(tr("地球暦(西暦)"), this), "fraEarthDate",
                         120, 120, 2415, 1575);
    txtYear = NewField(fraEarthDate, "txtYear", 4, 240, 360, 975, 270);
    lblYear = Place(new QLabel(tr("年"), fraEarthDate), "lblYear", 1275, 405, 375, 255);
    cmdToday = Place(new QPushButton(tr("今日"), fraEarthDate), "cmdToday", 1680, 360,
                     615, 255);
    // The captions are wider than the buttons: only the circles show.
    optMD = Place(new QRadioButton(QStringLiteral("Option1"), fraEarthDate), "optMD", 360, 720,
                  255, 255);
    optMD->setChecked(true);
    txtMonth = NewField(fraEarthDate, "txtMonth", 2, 720, 720, 375, 270);
    lblMonth = Place(new QLabel(tr("月"), fraEarthDate), "lblMonth", 1170, 765, 255, 255);
    txtDate = NewField(fraEarthDate, "txtDate", 2, 1560, 720, 375, 270);
    lblDate = Place(new QLabel(tr("日"), fraEarthDate), "lblDate", 2010, 765, 255, 255);
    optYD = Place(new QRadioButton(QStringLiteral("Option2"), fraEarthDate), "optYD", 360, 1080,
                  255, 255);
    txtYearDate = NewField(fraEarthDate, "txtYearDate", 3, 720, 1080, 375, 270);
    txtYearDate->setEnabled(false);
    lblYearDate = Place(new QLabel(tr("日(年間通算)"), fraEarthDate), "lblYearDate",
                        1200, 1140, 1095, 255);
    lblYearDate->setEnabled(false);

    fraStarDate = Place(new QGroupBox(tr("宇宙暦(Quorvane)"), this), "fraStarDate",
                        3360, 120, 2055, 1575);
    txtStarDate = NewField(fraStarDate, "txtStarDate", 0, 360, 360, 1455, 270);
    chkReset = Place(new QCheckBox(tr("リセットする"), fraStarDate), "chkReset", 120,
                     840, 1215, 255);
    chkReset->setToolTip(tr("宇宙暦が指定した値を超えた時、調整するかどうか"));
    chkReset->setChecked(true);
    txtReset = NewField(fraStarDate, "txtReset", 0, 360, 1200, 1455, 270);
    txtReset->setText(QStringLiteral("100000"));

    cmdCEarhDate = Place(new QPushButton(QStringLiteral("←"), this), "cmdCEarhDate", 2760, 240,
                         375, 615);
    cmdCEarhDate->setToolTip(tr("地球暦 ← 宇宙暦"));
    cmdCStarDate = Place(new QPushButton(QStringLiteral("→"), this), "cmdCStarDate", 2760, 1080,
                         375, 615);
    cmdCStarDate->setToolTip(tr("地球暦 → 宇宙暦"));

    chkRealTime = Place(new QCheckBox(tr("リアルタイム変更 (&R)"), this), "chkRealTime",
                        120, 1800, 1935, 255);
    chkRealTime->setToolTip(tr("ﾃｷｽﾄﾎﾞｯｸｽへの入力と同時に変更するかどうか"));
    chkBase90 = Place(new QCheckBox(tr("1990 - 2010 年を基準に (&9)"), this),
                      "chkBase90", 120, 2160, 2535, 255);
    chkBase90->setToolTip(tr("西暦を 2000年前後で表示するかどうか"));

    cmdEdit = NewPictureButton(this, "cmdEdit", pictures::pencil,
                               tr("データベースの編集"), 2880, 1920);
    cmdData = NewPictureButton(this, "cmdData", pictures::cross,
                               tr("西暦/宇宙暦データの表示"), 3240, 1920);
    cmdHelp = NewPictureButton(this, "cmdHelp", pictures::helpbook,
                               tr("ヘルプ"), 3720, 1920);
    cmdAbout = NewPictureButton(this, "cmdAbout", pictures::infoballoon,
                                tr("ﾊﾞｰｼﾞｮﾝ情報"), 4080, 1920);
    cmdExit = Place(new QPushButton(tr("終了(&X)"), this), "cmdExit", 4560, 1920, 855,
                    375);

    // Only ever shown as a pop-up on a frame's surface.
    mnuRight = new QMenu(tr("右クリックメニュー"), this);
    mnuRight->setObjectName(QStringLiteral("mnuRight"));
    mnuRightClearSD = mnuRight->addAction(tr("クリア"));
    mnuRightClearSD->setObjectName(QStringLiteral("mnuRightClearSD"));
    mnuRightClearED = mnuRight->addAction(tr("クリア"));
    mnuRightClearED->setObjectName(QStringLiteral("mnuRightClearED"));
}

void frmMain::setTabChain() {
    // Frames and labels take no focus, so the chain starts at txtYear.
    const QList<QWidget*> chain = {txtYear,     txtMonth,  txtDate,      txtYearDate, cmdToday,
                                   cmdCStarDate, txtStarDate, cmdCEarhDate, chkReset,  txtReset,
                                   chkRealTime, chkBase90, cmdHelp,      cmdAbout,    cmdExit,
                                   optMD,       optYD,     cmdData,      cmdEdit};
    for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void frmMain::setAccessibleNames() {
    const auto name = [](QWidget* control, QLabel* label) {
        control->setAccessibleName(label->text());
        label->setBuddy(control);
    };
    name(txtYear, lblYear);
    name(txtMonth, lblMonth);
    name(txtDate, lblDate);
    name(txtYearDate, lblYearDate);
    // The visible month and day labels may be cut to a letter in a face;
    // a screen reader hears whole words.
    txtMonth->setAccessibleName(tr("月", "screen reader"));
    txtDate->setAccessibleName(tr("日", "screen reader"));
    txtStarDate->setAccessibleName(fraStarDate->title());
    txtReset->setAccessibleName(chkReset->text());
    // The option buttons' own captions are hidden and say nothing; name them
    // after the fields they switch to.
    optMD->setAccessibleName(tr("月日", "screen reader"));
    optYD->setAccessibleName(lblYearDate->text());
    for (QPushButton* picture : {cmdEdit, cmdData, cmdHelp, cmdAbout})
        picture->setAccessibleName(picture->toolTip());
}

void frmMain::fitLayoutToCaptions() {
    // The design is fixed in twips and was drawn for a small font. Rather
    // than shrink the desktop's font until the captions fit, the whole
    // design grows by one factor until they do; with a font that already
    // fits it stays exactly as drawn.
    struct Caption {
        const QWidget* control;
        QString text;
        bool frame;
    };
    QList<Caption> captions;
    for (QCheckBox* box : {chkReset, chkRealTime, chkBase90}) captions.append({box, box->text(), false});
    for (QPushButton* button : {cmdToday, cmdCEarhDate, cmdCStarDate, cmdExit})
        captions.append({button, button->text(), false});
    for (QLabel* label : {lblYear, lblMonth, lblDate, lblYearDate})
        captions.append({label, label->text(), false});
    for (QGroupBox* frame : {fraEarthDate, fraStarDate}) captions.append({frame, frame->title(), true});

    const auto room = [](const Caption& caption) {
        if (const auto* box = qobject_cast<const QCheckBox*>(caption.control))
            return CaptionRoom(box, QStyle::SE_CheckBoxContents);
        if (const auto* button = qobject_cast<const QPushButton*>(caption.control))
            return CaptionRoom(button, QStyle::SE_PushButtonContents);
        if (const auto* label = qobject_cast<const QLabel*>(caption.control))
            return label->contentsRect().size();
        return caption.control->size();
    };
    // Measured with the font the control really draws with (a platform may
    // give buttons their own), and in height too: a descender cut off turns
    // "Today" into "Todav".
    const auto needed = [](const Caption& caption) {
        const QFontMetrics metrics = caption.control->fontMetrics();
        QSize size = metrics.size(Qt::TextShowMnemonic, caption.text);
        // Leave the frame line visible on both sides of the title; the title
        // stands on the frame line, so its height is not the frame's concern.
        if (caption.frame) size = QSize(size.width() + 2 * metrics.averageCharWidth(), 0);
        return size;
    };
    // How far the worst caption is over its room: at or below 1 all fit.
    const auto overflow = [&] {
        double worst = 0;
        for (const Caption& caption : std::as_const(captions)) {
            const QSize want = needed(caption);
            const QSize have = room(caption);
            worst = std::max({worst, static_cast<double>(want.width()) / std::max(have.width(), 1),
                              static_cast<double>(want.height()) / std::max(have.height(), 1)});
        }
        return worst;
    };

    double scale = 1.0;
    // Rooms grow a little less than the design (a check box's box keeps its
    // size), so the factor is corrected in small steps after the first guess.
    for (double over = overflow(); over > 1.0 && scale < kLargestScale; over = overflow()) {
        scale = std::min(kLargestScale, std::max(scale * over, scale + 0.02));
        quorvane::RescaleLayout(this, scale);
    }
    // The option buttons' captions are hidden by their width; a grown
    // design must not uncover them.
    for (QRadioButton* option : {optMD, optYD}) {
        QStyleOptionButton style;
        style.initFrom(option);
        const int circle = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option).right() +
                           option->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &style, option);
        if (option->width() > circle) option->resize(circle, option->height());
    }
    setFixedSize(quorvane::ScaledTwipsToPixels(kClientWidth, this),
                 quorvane::ScaledTwipsToPixels(kClientHeight, this));
    quorvane::SetSharedWindowLook({font(), scale});
}

void frmMain::connectHandlers() {
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(cmdData, &QPushButton::clicked, this, &frmMain::cmdData_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(mnuRightClearED, &QAction::triggered, this, &frmMain::mnuRightClearED_Click);
    connect(mnuRightClearSD, &QAction::triggered, this, &frmMain::mnuRightClearSD_Click);
    fraEarthDate->installEventFilter(this);
    fraStarDate->installEventFilter(this);
    connect(cmdCEarhDate, &QPushButton::clicked, this, &frmMain::cmdCEarhDate_Click);
    connect(cmdCStarDate, &QPushButton::clicked, this, &frmMain::cmdCStarDate_Click);
    connect(cmdToday, &QPushButton::clicked, this, &frmMain::cmdToday_Click);
    connectOptionButton(optMD, &frmMain::optMD_Click);
    connectOptionButton(optYD, &frmMain::optYD_Click);
    connect(chkRealTime, &QCheckBox::toggled, this, &frmMain::chkRealTime_Click);
    connect(chkReset, &QCheckBox::toggled, this, &frmMain::chkReset_Click);
    connect(txtYear, &QLineEdit::textChanged, this, &frmMain::txtYear_Change);
    connect(txtMonth, &QLineEdit::textChanged, this, &frmMain::txtMonth_Change);
    connect(txtDate, &QLineEdit::textChanged, this, &frmMain::txtDate_Change);
    connect(txtYearDate, &QLineEdit::textChanged, this, &frmMain::txtYearDate_Change);
    connect(txtStarDate, &QLineEdit::textChanged, this, &frmMain::txtStarDate_Change);
}

void frmMain::connectOptionButton(QRadioButton* button, void (frmMain::*handler)()) {
    // A new selection, by the user or the program, arrives as a toggle; a
    // click on the button already selected toggles nothing and arrives only
    // as the click, which a press on it announces first.
    connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
        if (selected) (this->*handler)();
    });
    connect(button, &QRadioButton::pressed, this, [this, button] {
        m_pressedWhileSelected = button->isChecked() ? button : nullptr;
    });
    connect(button, &QRadioButton::clicked, this, [this, button, handler] {
        const bool wasSelected = m_pressedWhileSelected == button;
        m_pressedWhileSelected = nullptr;
        if (wasSelected) (this->*handler)();
    });
}

QString frmMain::ContainerName(const QWidget* control) {
    // No focused control at all sits in neither frame.
    if (!control) return {};
    const QWidget* container = control->parentWidget();
    return container ? container->objectName() : QString();
}

bool frmMain::IsEarthDateComplete() const {
    // Qt's option group never leaves both buttons unselected, so the mode is
    // always one of the two.
    return quorvane::IsEarthDateComplete(
        Utf8(txtYear), optYD->isChecked() ? quorvane::EntryMode::DayOfYear
                                          : quorvane::EntryMode::MonthDay,
        Utf8(txtMonth), Utf8(txtDate), Utf8(txtYearDate));
}

void frmMain::ConvertToEarthDate() {
    const std::string reset = Utf8(txtReset);
    const quorvane::EarthDateTexts date = quorvane::EarthDateFor(
        Utf8(txtStarDate), {chkReset->isChecked(), reset, chkBase90->isChecked()});
    QuietWrites quiet(m_quietWrites);
    txtYear->setText(FromUtf8(date.year));
    txtYearDate->setText(FromUtf8(date.dayOfYear));
    txtMonth->setText(FromUtf8(date.month));
    txtDate->setText(FromUtf8(date.day));
}

void frmMain::ConvertToStarDate() {
    const std::string year = Utf8(txtYear);
    const std::string month = Utf8(txtMonth);
    const std::string day = Utf8(txtDate);
    const std::string dayOfYear = Utf8(txtYearDate);
    const std::string reset = Utf8(txtReset);

    const quorvane::EntryMode mode =
        optYD->isChecked() ? quorvane::EntryMode::DayOfYear : quorvane::EntryMode::MonthDay;
    const quorvane::StardateResult result = quorvane::StardateFromEarthDate(quorvane::EarthDateInputOf(
        year, mode, month, day, dayOfYear, {chkReset->isChecked(), reset, chkBase90->isChecked()}));
    if (!result.ok()) {
        m_platform.showMessage(this, FromUtf8(quorvane::FailureMessage(result.failure)), kCaption,
                               quorvane::MessageIcon::Warning, quorvane::MessageButtons::Ok);
        if (result.failure == quorvane::StardateFailure::InvalidDayOfYear) txtYearDate->setFocus();
        return;
    }
    QuietWrites quiet(m_quietWrites);
    txtStarDate->setText(FromUtf8(result.stardate));
}

void frmMain::EnterStardate(std::string_view text) {
    // The window tells from its focused field which way to convert, so the
    // focus goes there before the text does.
    txtStarDate->setFocus();
    txtStarDate->setText(FromUtf8(text));
}

quorvane::ConverterOptions frmMain::Options() const {
    quorvane::ConverterOptions options;
    options.liveConversion = chkRealTime->isChecked();
    options.resetWrap = chkReset->isChecked();
    options.resetNumber = txtReset->text() == m_shownResetNumber ? m_givenResetNumber : Utf8(txtReset);
    options.yearWindow = chkBase90->isChecked();
    options.entryMode =
        optYD->isChecked() ? quorvane::EntryMode::DayOfYear : quorvane::EntryMode::MonthDay;
    return options;
}

void frmMain::ApplyOptions(const quorvane::ConverterOptions& options) {
    // In the order the settings were always restored, each through its
    // control, so the enabled states follow as they follow a click.
    chkReset->setChecked(options.resetWrap);
    txtReset->setText(FromUtf8(options.resetNumber));
    m_givenResetNumber = options.resetNumber;
    m_shownResetNumber = txtReset->text();
    chkRealTime->setChecked(options.liveConversion);
    chkBase90->setChecked(options.yearWindow);
    if (options.entryMode == quorvane::EntryMode::DayOfYear) optYD->setChecked(true);
    else optMD->setChecked(true);
}

void frmMain::EnterEarthDate(int year, int month, int day, std::optional<int> dayOfYear) {
    // As with a typed date, the focus sits on the Earth side first.
    txtYear->setFocus();
    WriteEarthDate(year, month, day, dayOfYear);
}

void frmMain::WriteEarthDate(int year, int month, int day, std::optional<int> dayOfYear) {
    {
        QuietWrites quiet(m_quietWrites);
        txtYear->setText(QString::number(year));
        txtMonth->setText(QString::number(month));
        txtDate->setText(QString::number(day));
        if (dayOfYear) txtYearDate->setText(QString::number(*dayOfYear));
    }
    ConvertEarthDateLive();
}

void frmMain::cmdExit_Click() { close(); }

void frmMain::cmdData_Click() { ShowDataList(); }

void frmMain::cmdHelp_Click() { OpenReadme(); }

void frmMain::cmdAbout_Click() {
    frmAbout about(m_platform, windowIcon(), this);
    about.exec();
}

void frmMain::cmdEdit_Click() { EditDatabase(); }

void frmMain::ShowDataList() {
    // Building the list loads the catalogue, which may ask the user first.
    if (!m_dataList) m_dataList = new frmDataList(m_platform, *this, this);
    frmDataList* list = m_dataList.data();
    placeDataList(*list);
    list->show();
    // A window's frame may be known only once it is shown.
    placeDataList(*list);
    list->raise();
    list->activateWindow();
}

void frmMain::placeDataList(frmDataList& list) const {
    // Outer sizes, frames included, so the two windows share their centre line.
    const auto twips = [this](int pixels) {
        return static_cast<float>(quorvane::PixelsToTwips(pixels, this));
    };
    const QRect main = frameGeometry();
    const float top = twips(main.top()) + twips(main.height()) + kDataListGap;
    const float left =
        twips(main.left()) + twips(main.width()) / 2.0f - twips(list.frameGeometry().width()) / 2.0f;
    list.move(quorvane::TwipsToPixels(left, &list), quorvane::TwipsToPixels(top, &list));
}

void frmMain::OpenReadme() {
    const QString folder = m_platform.programFolder();
    const std::string prefix = quorvane::AddBackslash(LocalPath(folder));
    std::string path = prefix + std::string(quorvane::kReadmeFileName);
    // Each face reads its own read-me, the sources' one where it is missing.
    std::string own = prefix + std::string(quorvane::ActiveUiLanguage().Entry().readme);
    if (quorvane::FileExists(own)) path = own;
    // A pipe or a device in its place would hang the viewer it is handed to.
    if (quorvane::IsRegularFileWithin(path, quorvane::kMaxReadmeBytes)) {
        quorvane::ShellOpen(m_platform, quorvane::DesktopOwnerWindow, FromLocalPath(path));
        return;
    }
    const quorvane::MessageAnswer answer = m_platform.showMessage(
        this, quorvane::MissingFileQuestion(QStringLiteral("Readme.txt")), kCaption,
        quorvane::MessageIcon::Question, quorvane::MessageButtons::YesNo);
    if (answer != quorvane::MessageAnswer::Yes) return;
    const QString chosen = quorvane::ShowOpenDialog(
        m_platform, this, quorvane::TextFileFilter(),
        folder, QStringLiteral("readme.txt"));
    if (!chosen.isEmpty()) quorvane::ShellOpen(m_platform, quorvane::DesktopOwnerWindow, chosen);
}

void frmMain::EditDatabase() {
    const std::string path = quorvane::FindOrAskCatalogue(m_platform, this);
    if (!path.empty()) OpenEditor(path);
}

void frmMain::OpenEditor(const std::string& path) {
    if (!m_editor) {
        auto* editor = new frmEditor(m_platform, *this, this, path);
        if (!editor->isLoaded()) {
            delete editor;
            return;
        }
        m_editor = editor;
        connect(editor, &frmEditor::catalogueSaved, this, [this](const QString& saved) {
            if (m_dataList) m_dataList->Reload(LocalPath(saved));
        });
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == fraEarthDate || watched == fraStarDate)) {
        auto* frame = static_cast<QGroupBox*>(watched);
        const auto* press = static_cast<QMouseEvent*>(event);
        // A press that a control inside the frame let pass is not the frame's own.
        if (!frame->childAt(press->position().toPoint())) {
            if (frame == fraEarthDate) fraEarthDate_MouseDown(*press);
            else fraStarDate_MouseDown(*press);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::fraEarthDate_MouseDown(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton)
        ShowRightMenu(mnuRightClearED, mnuRightClearSD, event.globalPosition().toPoint());
}

void frmMain::fraStarDate_MouseDown(const QMouseEvent& event) {
    if (event.button() == Qt::RightButton)
        ShowRightMenu(mnuRightClearSD, mnuRightClearED, event.globalPosition().toPoint());
}

void frmMain::ShowRightMenu(QAction* shown, QAction* hidden, const QPoint& globalPosition) {
    shown->setVisible(true);
    hidden->setVisible(false);
    mnuRight->popup(globalPosition);
}

void frmMain::mnuRightClearED_Click() {
    // The fields of the mode not in use are cleared too, though disabled.
    for (QLineEdit* field : {txtYear, txtMonth, txtDate, txtYearDate}) field->clear();
}

void frmMain::mnuRightClearSD_Click() { txtStarDate->clear(); }

void frmMain::cmdCEarhDate_Click() { ConvertToEarthDate(); }

void frmMain::cmdCStarDate_Click() { ConvertToStarDate(); }

void frmMain::cmdToday_Click() {
    const QDate today = m_platform.today();
    WriteEarthDate(today.year(), today.month(), today.day(), today.dayOfYear());
}

void frmMain::optMD_Click() {
    if (optMD->isChecked()) {
        txtYearDate->setEnabled(false);
        lblYearDate->setEnabled(false);
        for (QWidget* control : {static_cast<QWidget*>(txtMonth), static_cast<QWidget*>(lblMonth),
                                 static_cast<QWidget*>(txtDate), static_cast<QWidget*>(lblDate)})
            control->setEnabled(true);
    }
    if (chkRealTime->isChecked() && IsEarthDateComplete()) ConvertToStarDate();
}

void frmMain::optYD_Click() {
    if (optYD->isChecked()) {
        txtYearDate->setEnabled(true);
        lblYearDate->setEnabled(true);
        for (QWidget* control : {static_cast<QWidget*>(txtMonth), static_cast<QWidget*>(lblMonth),
                                 static_cast<QWidget*>(txtDate), static_cast<QWidget*>(lblDate)})
            control->setEnabled(false);
    }
    if (chkRealTime->isChecked() && IsEarthDateComplete()) ConvertToStarDate();
}

void frmMain::chkRealTime_Click() {
    if (chkRealTime->isChecked() && IsEarthDateComplete()) ConvertToStarDate();
}

void frmMain::chkReset_Click() {
    const bool on = chkReset->isChecked();
    chkBase90->setEnabled(on);
    txtReset->setEnabled(on);
}

void frmMain::txtYear_Change() { EarthDateChanged(); }
void frmMain::txtMonth_Change() { EarthDateChanged(); }
void frmMain::txtDate_Change() { EarthDateChanged(); }
void frmMain::txtYearDate_Change() { EarthDateChanged(); }

void frmMain::EarthDateChanged() {
    if (m_quietWrites > 0) return;
    ConvertEarthDateLive();
}

void frmMain::ConvertEarthDateLive() {
    if (!chkRealTime->isChecked()) return;
    // A change while the stardate side has the focus was written by a
    // conversion from that side.
    if (ContainerName(focusWidget()) == kStarFrame) return;
    if (!IsEarthDateComplete()) return;
    ConvertToStarDate();
}

void frmMain::txtStarDate_Change() {
    if (m_quietWrites > 0) return;
    if (!chkRealTime->isChecked()) return;
    if (ContainerName(focusWidget()) == kEarthFrame) return;
    if (txtStarDate->text().isEmpty()) return;
    ConvertToEarthDate();
}
