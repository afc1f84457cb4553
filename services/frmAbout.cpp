#include "services/frmAbout.h"

#include "widgets/Twips.h"
#include "ProgramInfo.h"
#include "services/AboutInfo.h"
#include "services/LinkLabel.h"
#include "services/Platform.h"
#include "services/RegistryStandIn.h"
#include "services/ShellOpen.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <exception>

using quorvane::LinkLabel;
using quorvane::TwipsRect;
using quorvane::ScaledTwipsToPixels;
using quorvane::TwipsToPixels;

namespace {

const QString SysInfoProgram = QStringLiteral("MSINFO32.EXE");

// The tool's file in `folder`, matched by name without regard to letter case
// (as the system it comes from does), an exact match first. Empty if absent.
QString FindSysInfoProgram(const QString& folder) {
    if (folder.isEmpty()) return {};
    const QDir dir(folder);
    const QStringList found = dir.entryList({SysInfoProgram}, QDir::Files);
    if (found.isEmpty()) return {};
    return dir.filePath(found.contains(SysInfoProgram) ? SysInfoProgram : found.first());
}

// The window was drawn for fonts this system may lack, and a substitute can
// run wider. Rather than cut a text off, its label takes free room between
// `leftLimit` and `rightLimit` (pixels) on the side its alignment allows, and
// the font shrinks a little only when that is not enough.
void FitText(QLabel* label, int leftLimit, int rightLimit) {
    const auto needed = [label] { return label->sizeHint().width(); };
    QRect area = label->geometry();
    if (needed() <= area.width()) return;
    const Qt::Alignment alignment = label->alignment();
    if (alignment & Qt::AlignHCenter) {
        const int centre = area.left() + area.width() / 2;
        const int half = std::min({(needed() + 1) / 2, centre - leftLimit, rightLimit - centre});
        area.setLeft(std::min(area.left(), centre - half));
        area.setRight(std::max(area.right(), centre + half));
    } else if (alignment & Qt::AlignRight) {
        area.setLeft(std::max(leftLimit, std::min(area.left(), area.right() + 1 - needed())));
    } else {
        area.setRight(std::min(rightLimit, std::max(area.right(), area.left() + needed() - 1)));
    }
    label->setGeometry(area);
    QFont font = label->font();
    while (needed() > area.width() && font.pointSizeF() > 7.0) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        label->setFont(font);
    }
}

}  // namespace

frmAbout::frmAbout(quorvane::Platform& platform, const QIcon& mainWindowIcon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_platform(platform) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr(" Quorvane ～宇宙暦・西暦 換算 ～ ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(AboutIcon());
    setModal(true);
    // The main window's font, and its design's scale.
    setFont(quorvane::SharedWindowLook().font);
    quorvane::SetLayoutScale(this, quorvane::SharedWindowLook().scale);
    createControls();

    // Opens where it was designed to, measured from its screen's corner,
    // rather than centred on the main window.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const QSize size(ScaledTwipsToPixels(5730, this), ScaledTwipsToPixels(3345, this));
    setFixedSize(size);
    setGeometry(QRect(QPoint(TwipsToPixels(2340, this), TwipsToPixels(1935, this)) + origin, size));

    Form_Load(mainWindowIcon);
}

void frmAbout::createControls() {
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4320, 240, 1310, 345, this));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(tr("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(TwipsRect(4320, 720, 1310, 345, this));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignTop;

    lblDescription = addLabel(quorvane::about::Copyright, 960, 960, 3045, 330, centred);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    QFont descriptionFont(QStringLiteral("Arial"));
    descriptionFont.setPointSizeF(9.75);
    descriptionFont.setBold(true);
    lblDescription->setFont(descriptionFont);

    lblTitle = addLabel(tr(quorvane::about::ProductTitle), 960, 360, 3045, 240, centred);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblVersion = addLabel(quorvane::about::VersionText, 960, 600, 3045, 225, centred);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    for (QLabel* black : {lblDescription, lblTitle}) {
        QPalette pal = black->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        black->setPalette(pal);
    }

    lblHomeTitle = addLabel(tr("このソフトの最新版は．．．"), 240, 1680, 2295, 255, right);
    lblHomeTitle->setObjectName(QStringLiteral("lblHomeTitle"));
    lblHome = addLink(quorvane::about::HomePageUrl.toString(), 2640, 1680, 2655, 255, left);
    lblHome->setObjectName(QStringLiteral("lblHome"));
    connect(lblHome, &LinkLabel::clicked, this, &frmAbout::lblHome_Click);

    lblMailTitle = addLabel(tr("ご意見・ご感想は．．．"), 240, 2040, 2295, 255, right);
    lblMailTitle->setObjectName(QStringLiteral("lblMailTitle"));
    lblMail = addLink(quorvane::about::MailAddress.toString(), 2640, 2040, 1455, 255, left);
    lblMail->setObjectName(QStringLiteral("lblMail"));
    connect(lblMail, &LinkLabel::clicked, this, &frmAbout::lblMail_Click);

    lblTrekTitle = addLabel(tr("ｽﾀｰﾄﾚｯｸｺｰﾅｰ(%1)は．．．").arg(tr(quorvane::about::TrekPageName)),
                            120, 2520, 5535, 255, centred);
    lblTrekTitle->setObjectName(QStringLiteral("lblTrekTitle"));
    lblTrek = addLink(quorvane::about::TrekPageUrl.toString(), 120, 2880, 5535, 255, centred);
    lblTrek->setObjectName(QStringLiteral("lblTrek"));
    connect(lblTrek, &LinkLabel::clicked, this, &frmAbout::lblTrek_Click);

    imgMain = new QLabel(this);
    imgMain->setObjectName(QStringLiteral("imgMain"));
    imgMain->setGeometry(TwipsRect(240, 240, 495, 495, this));
    imgMain->setScaledContents(true);

    // Room the texts may take: the title block between the picture and the
    // buttons, the link rows across the window.
    const int titleLeft = ScaledTwipsToPixels(780, this);
    const int titleRight = ScaledTwipsToPixels(4275, this);
    const int rowLeft = ScaledTwipsToPixels(60, this);
    const int rowRight = ScaledTwipsToPixels(5730 - 60, this);
    for (QLabel* label : {lblDescription, lblTitle, lblVersion}) FitText(label, titleLeft, titleRight);
    for (QLabel* label : std::initializer_list<QLabel*>{lblHomeTitle, lblHome, lblMailTitle, lblMail,
                                                        lblTrekTitle, lblTrek})
        FitText(label, rowLeft, rowRight);

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, lblHome);
    setTabOrder(lblHome, lblMail);
    setTabOrder(lblMail, lblTrek);
    cmdOK->setFocus();
}

QLabel* frmAbout::addLabel(const QString& text, double left, double top, double width,
                           double height, Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setGeometry(TwipsRect(left, top, width, height, this));
    return label;
}

LinkLabel* frmAbout::addLink(const QString& text, double left, double top, double width,
                             double height, Qt::Alignment alignment) {
    auto* link = new LinkLabel(this);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")});
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    font.setUnderline(true);
    link->setFont(font);
    link->setText(text);
    link->setAlignment(alignment);
    link->setGeometry(TwipsRect(left, top, width, height, this));
    return link;
}

void frmAbout::Form_Load(const QIcon& mainWindowIcon) {
    const QSize picture = imgMain->size();
    imgMain->setPixmap(mainWindowIcon.pixmap(picture.expandedTo(QSize(32, 32))));
    lblMail->setCursor(lblHome->cursor());
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // An etched rule between the title block and the links.
    QPainter painter(this);
    const int highlightLeft = ScaledTwipsToPixels(105, this);
    const int shadowLeft = ScaledTwipsToPixels(90, this);
    const int right = ScaledTwipsToPixels(5654, this);
    const int highlightTop = ScaledTwipsToPixels(1500, this);
    const int shadowTop = ScaledTwipsToPixels(1485, this);
    painter.fillRect(QRect(highlightLeft, highlightTop, right - highlightLeft + 1, 2),
                     palette().color(QPalette::Light));
    painter.fillRect(QRect(shadowLeft, shadowTop, right - shadowLeft + 1, 1),
                     palette().color(QPalette::Dark));
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::lblHome_Click() {
    quorvane::ShellOpen(m_platform, quorvane::DesktopOwnerWindow, lblHome->text());
}

void frmAbout::lblMail_Click() {
    quorvane::ShellOpen(m_platform, quorvane::DesktopOwnerWindow,
                        QStringLiteral("mailto:") + lblMail->text());
}

void frmAbout::lblTrek_Click() {
    quorvane::ShellOpen(m_platform, quorvane::DesktopOwnerWindow, lblTrek->text());
}

bool frmAbout::GetKeyValue(const std::int32_t& KeyRoot, const QString& KeyName,
                           const QString& SubKeyRef, QString& KeyVal) {
    return quorvane::GetKeyValue(m_platform.registryFile(), KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::StartSysInfo() {
    try {
        QString path;
        // The first value names the tool itself, the second only its folder.
        if (!GetKeyValue(quorvane::HKEY_LOCAL_MACHINE,
                         QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                         QStringLiteral("PATH"), path)) {
            if (!GetKeyValue(quorvane::HKEY_LOCAL_MACHINE,
                             QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                             QStringLiteral("MSINFO"), path)) {
                showUnavailable();
                return;
            }
            path = FindSysInfoProgram(path);
        }
        if (!path.isEmpty() && m_platform.startDetached(path)) return;
    } catch (const std::exception&) {
        // A value that could not be read whole: the tool is unavailable.
    }
    showUnavailable();
}

void frmAbout::showUnavailable() {
    m_platform.showMessage(this, tr("現時点ではｼｽﾃﾑ情報を使用できません"), QString::fromUtf8(quorvane::kProgramCaption.data(), qsizetype(quorvane::kProgramCaption.size())),
                           quorvane::MessageIcon::None, quorvane::MessageButtons::Ok);
}

QIcon frmAbout::AboutIcon() {
    // A white "i" on a blue disc with a small gold star: information, in the
    // program's own colours.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 32.0;
        p.setPen(QPen(QColor(10, 30, 90), 1.5 * s));
        p.setBrush(QColor(30, 80, 190));
        p.drawEllipse(QRectF(1.5 * s, 1.5 * s, 29 * s, 29 * s));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(13.5 * s, 6 * s, 5 * s, 5 * s));
        p.drawRoundedRect(QRectF(13.5 * s, 13 * s, 5 * s, 13 * s), 1.5 * s, 1.5 * s);
        QPainterPath star;
        const QPointF c(25 * s, 7 * s);
        const double r = 4.5 * s;
        star.moveTo(c + QPointF(0, -r));
        star.lineTo(c + QPointF(r * 0.3, -r * 0.3));
        star.lineTo(c + QPointF(r, 0));
        star.lineTo(c + QPointF(r * 0.3, r * 0.3));
        star.lineTo(c + QPointF(0, r));
        star.lineTo(c + QPointF(-r * 0.3, r * 0.3));
        star.lineTo(c + QPointF(-r, 0));
        star.lineTo(c + QPointF(-r * 0.3, -r * 0.3));
        star.closeSubpath();
        p.setBrush(QColor(255, 200, 40));
        p.drawPath(star);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
