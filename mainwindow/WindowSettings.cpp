#include "mainwindow/WindowSettings.h"

#include "ProgramInfo.h"
#include "mainwindow/frmMain.h"
#include "widgets/Twips.h"
#include "widgets/Utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");
const QString MonthDay = QStringLiteral("Month-Day");
const QString YearDay = QStringLiteral("YearDay");
const QString Version = FromUtf8(kProgramVersion);
constexpr double DefaultPosition = 100;

// Far beyond any screen, yet small enough to turn into pixels safely.
constexpr double PositionLimit = 1.0e7;

QString ReadText(const QSettings& store, const QString& key, const QString& fallback) {
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString() : fallback;
}

double ReadPosition(const QSettings& store, const QString& key) {
    bool ok = false;
    const float twips = ReadText(store, key, QStringLiteral("100")).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(twips)) return DefaultPosition;
    return std::clamp(static_cast<double>(twips), -PositionLimit, PositionLimit);
}

// "True" and "False" exactly; any other text leaves `current` as it is.
bool ReadCheck(const QSettings& store, const QString& key, bool current) {
    const QString text = ReadText(store, key, True);
    return text == True ? true : text == False ? false : current;
}

// Decimal text of the single-precision value: seven significant digits at
// most, whole numbers without a decimal point.
QString PositionText(double twips) {
    const float value = static_cast<float>(twips);
    if (value == std::trunc(value) && std::fabs(value) < 1.0e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}

QString CheckText(bool checked) { return checked ? True : False; }

}  // namespace

StoredSettings ReadStoredSettings(const QSettings& store, const ConverterOptions& unrecognised) {
    StoredSettings read;
    read.topTwips = ReadPosition(store, QStringLiteral("Window/Top"));
    read.leftTwips = ReadPosition(store, QStringLiteral("Window/Left"));

    ConverterOptions& options = read.options;
    options.resetWrap = ReadCheck(store, QStringLiteral("Option/Reset"), unrecognised.resetWrap);
    options.resetNumber =
        ReadText(store, QStringLiteral("Option/ResetNum"), QStringLiteral("100000")).toStdString();
    options.liveConversion = ReadCheck(store, QStringLiteral("Option/RealTime"), unrecognised.liveConversion);
    options.yearWindow = ReadCheck(store, QStringLiteral("Option/Base"), unrecognised.yearWindow);
    const QString dayOption = ReadText(store, QStringLiteral("Option/DayOpt"), YearDay);
    options.entryMode = dayOption == YearDay    ? EntryMode::DayOfYear
                        : dayOption == MonthDay ? EntryMode::MonthDay
                                                : unrecognised.entryMode;
    return read;
}

void WriteStoredSettings(QSettings& store, const StoredSettings& settings) {
    const ConverterOptions& options = settings.options;
    store.setValue(QStringLiteral("Window/Top"), PositionText(settings.topTwips));
    store.setValue(QStringLiteral("Window/Left"), PositionText(settings.leftTwips));
    store.setValue(QStringLiteral("Option/Reset"), CheckText(options.resetWrap));
    store.setValue(QStringLiteral("Option/ResetNum"), QString::fromStdString(options.resetNumber));
    store.setValue(QStringLiteral("Option/RealTime"), CheckText(options.liveConversion));
    store.setValue(QStringLiteral("Option/Base"), CheckText(options.yearWindow));
    store.setValue(QStringLiteral("Option/DayOpt"),
                   options.entryMode == EntryMode::MonthDay ? MonthDay : YearDay);
    store.setValue(QStringLiteral("SoftInfo/Vertion"), Version);
}

void RestoreWindowSettings(frmMain& window) {
    const StoredSettings stored = ReadStoredSettings(*OpenSettingsStore(), window.Options());
    window.move(ReachablePosition(window, QPoint(TwipsToPixels(stored.leftTwips, &window),
                                                 TwipsToPixels(stored.topTwips, &window))));
    window.ApplyOptions(stored.options);
}

bool SaveWindowSettings(const frmMain& window) {
    const QPoint outer = window.frameGeometry().topLeft();
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    WriteStoredSettings(*store, {window.Options(), PixelsToTwips(outer.y(), &window),
                                 PixelsToTwips(outer.x(), &window)});
    store->sync();
    return store->status() == QSettings::NoError;
}

}  // namespace quorvane
