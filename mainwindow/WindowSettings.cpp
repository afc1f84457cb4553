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

QString Text(std::string_view text) { return FromUtf8(text); }

const QString True = Text(settings::kTrue);
const QString False = Text(settings::kFalse);
const QString MonthDay = Text(settings::kMonthDay);
const QString YearDay = Text(settings::kYearDay);
const QString Version = Text(kProgramVersion);
constexpr double DefaultPosition = 100;

// Far beyond any screen, yet small enough to turn into pixels safely.
constexpr double PositionLimit = 1.0e7;

QString ReadText(const SettingsTexts& stored, const settings::Key& key) {
    return stored.value(SettingsKey(key), Text(key.missing));
}

double ReadPosition(const SettingsTexts& stored, const settings::Key& key) {
    bool ok = false;
    const float twips = ReadText(stored, key).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(twips)) return DefaultPosition;
    return std::clamp(static_cast<double>(twips), -PositionLimit, PositionLimit);
}

// "True" and "False" exactly; any other text leaves `current` as it is.
bool ReadCheck(const SettingsTexts& stored, const settings::Key& key, bool current) {
    const QString text = ReadText(stored, key);
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

QStringList StoredSettingsKeys() {
    QStringList keys;
    for (const settings::Key& key : settings::kWindowKeys) keys << SettingsKey(key);
    return keys;
}

StoredSettings ReadStoredSettings(const SettingsTexts& stored, const ConverterOptions& unrecognised) {
    StoredSettings read;
    read.topTwips = ReadPosition(stored, settings::kTop);
    read.leftTwips = ReadPosition(stored, settings::kLeft);

    ConverterOptions& options = read.options;
    options.resetWrap = ReadCheck(stored, settings::kReset, unrecognised.resetWrap);
    options.resetNumber = ReadText(stored, settings::kResetNum).toStdString();
    options.liveConversion = ReadCheck(stored, settings::kRealTime, unrecognised.liveConversion);
    options.yearWindow = ReadCheck(stored, settings::kBase, unrecognised.yearWindow);
    const QString dayOption = ReadText(stored, settings::kDayOpt);
    options.entryMode = dayOption == YearDay    ? EntryMode::DayOfYear
                        : dayOption == MonthDay ? EntryMode::MonthDay
                                                : unrecognised.entryMode;
    return read;
}

SettingsTexts StoredTexts(const StoredSettings& settings) {
    const ConverterOptions& options = settings.options;
    return {
        {SettingsKey(settings::kTop), PositionText(settings.topTwips)},
        {SettingsKey(settings::kLeft), PositionText(settings.leftTwips)},
        {SettingsKey(settings::kReset), CheckText(options.resetWrap)},
        {SettingsKey(settings::kResetNum), FromUtf8(options.resetNumber)},
        {SettingsKey(settings::kRealTime), CheckText(options.liveConversion)},
        {SettingsKey(settings::kBase), CheckText(options.yearWindow)},
        {SettingsKey(settings::kDayOpt), options.entryMode == EntryMode::MonthDay ? MonthDay : YearDay},
        {SettingsKey(settings::kVersion), Version},
    };
}

void RestoreWindowSettings(frmMain& window) {
    const StoredSettings stored =
        ReadStoredSettings(OpenSettingsStore()->Read(StoredSettingsKeys()), window.Options());
    window.move(ReachablePosition(window, QPoint(TwipsToPixels(stored.leftTwips, &window),
                                                 TwipsToPixels(stored.topTwips, &window))));
    window.ApplyOptions(stored.options);
}

SettingsWrite SaveWindowSettings(const frmMain& window) {
    const QPoint outer = window.frameGeometry().topLeft();
    return OpenSettingsStore()->Write(StoredTexts({window.Options(), PixelsToTwips(outer.y(), &window),
                                                   PixelsToTwips(outer.x(), &window)}));
}

}  // namespace quorvane
