#include "mainwindow/WindowSettings.h"

#include "widgets/Twips.h"
#include "ProgramInfo.h"
#include "widgets/Utf8.h"
#include "mainwindow/frmMain.h"

#include <QGuiApplication>
#include <QFile>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

// The stored text, or `fallback` when the key is missing or there is no
// store to read. A hand-edited value with commas reads back as a list; it
// is joined into the text it was.
QString ReadText(const QSettings* store, const QString& key, const QString& fallback) {
    if (!store) return fallback;
    const QVariant value = store->value(key);
    if (!value.isValid()) return fallback;
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

double ReadPosition(const QSettings* store, const QString& key) {
    bool ok = false;
    const float twips = ReadText(store, key, QStringLiteral("100")).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(twips)) return DefaultPosition;
    return std::clamp(static_cast<double>(twips), -PositionLimit, PositionLimit);
}

// "True" and "False" exactly; any other text leaves the option as it is.
void RestoreCheck(const QSettings* store, const QString& key, bool& option) {
    const QString text = ReadText(store, key, True);
    if (text == True) option = true;
    else if (text == False) option = false;
}

// Decimal text of the single-precision value: seven significant digits at
// most, whole numbers without a decimal point.
QString PositionText(double twips) {
    const float value = static_cast<float>(twips);
    if (value == std::trunc(value) && std::fabs(value) < 1.0e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}

QString CheckText(bool option) { return option ? True : False; }

// Qt's INI reader rebuilds a value written "@Variant(...)" as whatever binary
// object its bytes spell, unchecked: a damaged or crafted file can claim a
// list of billions of entries, or nest lists until the stack overflows at
// every start. The program itself only ever stores plain texts, so lines
// that would be read so are junk and are left out before Qt sees the file.

int EscapeDigit(QChar c, int base) {
    const char16_t u = c.unicode();
    const int digit = (u >= u'0' && u <= u'9')   ? u - u'0'
                      : (u >= u'a' && u <= u'f') ? u - u'a' + 10
                      : (u >= u'A' && u <= u'F') ? u - u'A' + 10
                                                 : base;
    return digit < base ? digit : -1;
}

// Lines as the reader unescapes them: quotes dropped, continued lines joined,
// hexadecimal and octal escapes decoded to 16 bits as the reader keeps them,
// and escapes the reader does not know dropped, as it drops them.
QString UnescapedLine(QStringView line) {
    QString text;
    text.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"') continue;
        if (line[i] != u'\\' || i + 1 == line.size()) {
            text += line[i];
            continue;
        }
        const QChar escaped = line[++i];
        // A backslash at the end of a line joins the next one on.
        if (escaped == u'\r' || escaped == u'\n') {
            if (escaped == u'\r' && i + 1 < line.size() && line[i + 1] == u'\n') ++i;
            continue;
        }
        const int base = escaped == u'x' ? 16 : EscapeDigit(escaped, 8) >= 0 ? 8 : 0;
        if (base == 0) {
            static const QString literal = QStringLiteral("\"'?\\");
            static const QString control = QStringLiteral("abfnrtv");
            if (literal.contains(escaped)) text += escaped;
            else if (control.contains(escaped)) text += QChar(u'\a');  // no letter, as the reader's
            continue;
        }
        char16_t value = 0;
        qsizetype j = base == 16 ? i + 1 : i;
        for (; j < line.size() && EscapeDigit(line[j], base) >= 0; ++j)
            value = static_cast<char16_t>(value * base + EscapeDigit(line[j], base));
        text += QChar(value);
        i = j - 1;
    }
    return text;
}

bool RebuildsAnObject(QStringView line) {
    const QString text = UnescapedLine(line);
    const QLatin1StringView marker("@Variant(");
    // "@@..." and "@String(...)" are plain texts, whatever follows.
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at + 1)) {
        const QStringView before = QStringView(text).first(at);
        if (!before.endsWith(u'@') && !before.endsWith(QLatin1StringView("@String("))) return true;
    }
    return false;
}

// The store's text without the lines that would rebuild objects, or nothing
// when it has none. A line ending in a backslash goes on in the next one,
// so such lines are judged, and left out, together.
std::optional<QByteArray> WithoutObjectLines(const QByteArray& stored) {
    if (!stored.contains("Variant") && !stored.contains('\\')) return std::nullopt;
    QByteArray kept;
    bool dropped = false;
    const QList<QByteArray> lines = stored.split('\n');
    for (qsizetype first = 0; first < lines.size();) {
        qsizetype last = first;
        while (last + 1 < lines.size() && lines[last].trimmed().endsWith('\\')) ++last;
        QByteArray group;
        for (qsizetype i = first; i <= last; ++i) group += lines[i] + (i + 1 < lines.size() ? "\n" : "");
        if (RebuildsAnObject(QString::fromUtf8(group))) dropped = true;
        else kept += group;
        first = last + 1;
    }
    if (!dropped) return std::nullopt;
    return kept;
}

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
    // A store with junk is read from a cleaned copy; the store itself is
    // only ever written by a save.
    QString path = SettingsFilePath();
    QTemporaryFile cleaned;
    bool readable = true;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        if (const std::optional<QByteArray> text = WithoutObjectLines(file.readAll())) {
            readable = cleaned.open() && cleaned.write(*text) == text->size() && cleaned.flush();
            path = cleaned.fileName();
        }
        file.close();
    }
    std::optional<QSettings> settings;
    if (readable) settings.emplace(path, QSettings::IniFormat);
    const QSettings* store = settings ? &*settings : nullptr;

    const double top = ReadPosition(store, QStringLiteral("Window/Top"));
    const double left = ReadPosition(store, QStringLiteral("Window/Left"));
    window.move(ReachablePosition(window, QPoint(TwipsToPixels(left, &window),
                                                 TwipsToPixels(top, &window))));

    ConverterOptions options = window.Options();
    RestoreCheck(store, QStringLiteral("Option/Reset"), options.resetWrap);
    options.resetNumber =
        ToUtf8(ReadText(store, QStringLiteral("Option/ResetNum"), QStringLiteral("100000")));
    RestoreCheck(store, QStringLiteral("Option/RealTime"), options.liveConversion);
    RestoreCheck(store, QStringLiteral("Option/Base"), options.yearWindow);
    const QString dayOption = ReadText(store, QStringLiteral("Option/DayOpt"), YearDay);
    if (dayOption == YearDay) options.entryMode = EntryMode::DayOfYear;
    else if (dayOption == MonthDay) options.entryMode = EntryMode::MonthDay;
    window.ApplyOptions(options);
}

bool SaveWindowSettings(const frmMain& window) {
    // Qt reads the old store back in before it writes the new one, so the
    // junk goes first, in one replacement that leaves the file whole if it fails.
    QFile old(SettingsFilePath());
    if (old.open(QIODevice::ReadOnly)) {
        const std::optional<QByteArray> text = WithoutObjectLines(old.readAll());
        old.close();
        if (text) {
            QSaveFile cleaned(SettingsFilePath());
            if (!cleaned.open(QIODevice::WriteOnly) || cleaned.write(*text) != text->size() ||
                !cleaned.commit())
                return false;
        }
    }
    QSettings store(SettingsFilePath(), QSettings::IniFormat);

    const QPoint outer = window.frameGeometry().topLeft();
    store.setValue(QStringLiteral("Window/Top"), PositionText(PixelsToTwips(outer.y(), &window)));
    store.setValue(QStringLiteral("Window/Left"), PositionText(PixelsToTwips(outer.x(), &window)));

    const ConverterOptions options = window.Options();
    store.setValue(QStringLiteral("Option/Reset"), CheckText(options.resetWrap));
    store.setValue(QStringLiteral("Option/ResetNum"), FromUtf8(options.resetNumber));
    store.setValue(QStringLiteral("Option/RealTime"), CheckText(options.liveConversion));
    store.setValue(QStringLiteral("Option/Base"), CheckText(options.yearWindow));
    store.setValue(QStringLiteral("Option/DayOpt"),
                   options.entryMode == EntryMode::MonthDay ? MonthDay : YearDay);

    store.setValue(QStringLiteral("SoftInfo/Vertion"), Version);

    // QSettings writes through a temporary file and renames it over the old one.
    store.sync();
    return store.status() != QSettings::AccessError;
}

}  // namespace quorvane
