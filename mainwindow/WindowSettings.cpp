#include "mainwindow/WindowSettings.h"

#include "mainwindow/Twips.h"
#include "mainwindow/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");
const QString MonthDay = QStringLiteral("Month-Day");
const QString YearDay = QStringLiteral("YearDay");
const QString Version = QStringLiteral("1.22");
constexpr double DefaultPosition = 100;

// Far beyond any screen, yet small enough to turn into pixels safely.
constexpr double PositionLimit = 1.0e7;

// The stored text, or `fallback` when the key is missing. A hand-edited
// value with commas reads back as a list; it is joined into the text it was.
QString ReadText(const QSettings& store, const QString& key, const QString& fallback) {
    const QVariant value = store.value(key);
    if (!value.isValid()) return fallback;
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

double ReadPosition(const QSettings& store, const QString& key) {
    bool ok = false;
    const float twips = ReadText(store, key, QStringLiteral("100")).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(twips)) return DefaultPosition;
    return std::clamp(static_cast<double>(twips), -PositionLimit, PositionLimit);
}

// "True" and "False" exactly; any other text leaves the box as it is.
void RestoreCheck(const QSettings& store, const QString& key, QCheckBox* box) {
    const QString text = ReadText(store, key, True);
    if (text == True) box->setChecked(true);
    else if (text == False) box->setChecked(false);
}

// Decimal text of the single-precision value: seven significant digits at
// most, whole numbers without a decimal point.
QString PositionText(double twips) {
    const float value = static_cast<float>(twips);
    if (value == std::trunc(value) && std::fabs(value) < 1.0e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}

QString CheckText(const QCheckBox* box) { return box->isChecked() ? True : False; }

// Pixels between two rectangles; 0 when they overlap.
int Distance(const QRect& a, const QRect& b) {
    const int dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const int dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx + dy;
}

}  // namespace

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OvrekSoft/Quorvane.conf");
}

QPoint ReachablePosition(const QWidget& window, QPoint wanted) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return wanted;
    const QSize size = window.frameGeometry().size();
    const QRect placed(wanted, size);
    // The strip a user grabs to move the window.
    const int grab = std::min(32, std::max(1, size.height()));
    const QRect titleStrip(wanted, QSize(size.width(), grab));
    const int enough = std::min(32, std::max(1, size.width()));

    QRect nearest;
    int nearestDistance = std::numeric_limits<int>::max();
    for (const QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        const QRect shown = area.intersected(titleStrip);
        if (shown.width() >= enough && shown.height() >= grab) return wanted;
        const int distance = Distance(area, placed);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = area;
        }
    }
    const int x = size.width() > nearest.width()
                      ? nearest.left()
                      : std::clamp(wanted.x(), nearest.left(), nearest.right() - size.width() + 1);
    const int y = size.height() > nearest.height()
                      ? nearest.top()
                      : std::clamp(wanted.y(), nearest.top(), nearest.bottom() - size.height() + 1);
    return {x, y};
}

void RestoreWindowSettings(frmMain& window) {
    const QSettings store(SettingsFilePath(), QSettings::IniFormat);

    const double top = ReadPosition(store, QStringLiteral("Window/Top"));
    const double left = ReadPosition(store, QStringLiteral("Window/Left"));
    window.move(ReachablePosition(window, QPoint(TwipsToPixels(left, &window),
                                                 TwipsToPixels(top, &window))));

    RestoreCheck(store, QStringLiteral("Option/Reset"), window.chkReset);
    window.txtReset->setText(ReadText(store, QStringLiteral("Option/ResetNum"),
                                      QStringLiteral("100000")));
    RestoreCheck(store, QStringLiteral("Option/RealTime"), window.chkRealTime);
    RestoreCheck(store, QStringLiteral("Option/Base"), window.chkBase90);

    const QString dayOption = ReadText(store, QStringLiteral("Option/DayOpt"), YearDay);
    if (dayOption == YearDay) window.optYD->setChecked(true);
    else if (dayOption == MonthDay) window.optMD->setChecked(true);
}

bool SaveWindowSettings(const frmMain& window) {
    QSettings store(SettingsFilePath(), QSettings::IniFormat);

    const QPoint outer = window.frameGeometry().topLeft();
    store.setValue(QStringLiteral("Window/Top"), PositionText(PixelsToTwips(outer.y(), &window)));
    store.setValue(QStringLiteral("Window/Left"), PositionText(PixelsToTwips(outer.x(), &window)));

    store.setValue(QStringLiteral("Option/Reset"), CheckText(window.chkReset));
    store.setValue(QStringLiteral("Option/ResetNum"), window.txtReset->text());
    store.setValue(QStringLiteral("Option/RealTime"), CheckText(window.chkRealTime));
    store.setValue(QStringLiteral("Option/Base"), CheckText(window.chkBase90));
    store.setValue(QStringLiteral("Option/DayOpt"), window.optMD->isChecked() ? MonthDay : YearDay);

    store.setValue(QStringLiteral("SoftInfo/Vertion"), Version);

    // QSettings writes through a temporary file and renames it over the old one.
    store.sync();
    return store.status() != QSettings::AccessError;
}

}  // namespace quorvane
