// Any bytes as the catalogue beside the program, opened in the data list
// window next to a live main window: the window loads, every event chosen
// carries a date the main window shows whole, and closing the window leaves
// no file open. Each input is the whole catalogue file.

#include "FuzzInput.h"
#include "SilentPlatform.h"
#include "catalogue/TaggedValue.h"
#include "datalist/frmDataList.h"
#include "conversion/CivilCalendar.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <cstdlib>

using namespace quorvane;

namespace {

// Enough choices to meet every kind of record without making each input slow.
constexpr int kChoicesPerInput = 40;

fuzz::SilentPlatform* g_platform = nullptr;
frmMain* g_main = nullptr;

int OpenFiles() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

bool IsStardatePattern(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^-?[0-9]+\\.[0-9]$"));
    return pattern.match(text).hasMatch();
}

// The four Earth date fields: all empty, or one real day the main window can show.
bool EarthDateIsWhole(const frmMain& w) {
    const QString fields[] = {Ui(w).txtYear->text(), Ui(w).txtMonth->text(), Ui(w).txtDate->text()};
    if (fields[0].isEmpty() && fields[1].isEmpty() && fields[2].isEmpty()) return true;
    bool ok[3] = {};
    const int year = fields[0].toInt(&ok[0]), month = fields[1].toInt(&ok[1]), day = fields[2].toInt(&ok[2]);
    return ok[0] && ok[1] && ok[2] && year >= 100 && year <= 9999 && IsValidDate(year, month, day);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    char pattern[] = "/tmp/quorvane-datalist-fuzz.XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    g_platform = new fuzz::SilentPlatform;
    g_platform->folder = QString::fromLocal8Bit(pattern);
    // Kept for the whole run, as the program keeps its main window.
    g_main = new frmMain(*g_platform);
    Ui(g_main).chkRealTime->setChecked(true);
    g_main->show();
    g_main->activateWindow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        QFile file(g_platform->folder + QStringLiteral("/StarTrek.vqd"));
        if (!file.open(QIODevice::WriteOnly)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const std::string context = fuzz::Quoted(std::string_view(reinterpret_cast<const char*>(data), size));
    const int filesBefore = OpenFiles();

    QPointer<frmDataList> list = new frmDataList(*g_platform, *g_main, g_main);
    const int count = list->cmbTitle->count();
    FUZZ_CHECK(count == list->recordCount(), context);
    for (int i = 0; i < count && i < kChoicesPerInput; ++i) {
        QMetaObject::invokeMethod(list->cmbTitle, "activated", Q_ARG(int, i));
        const clsStarData* record = list->currentRecord();
        FUZZ_CHECK(record != nullptr, context);
        FUZZ_CHECK(Ui(g_main).optMD->isChecked(), context);
        if (record->IsStarDate()) {
            FUZZ_CHECK(Ui(g_main).txtStarDate->text() ==
                           QString::fromStdString(ShortestDecimal(record->SEDate().number())),
                       context);
        } else {
            const DateValue date = record->SEDate().date();
            FUZZ_CHECK(Ui(g_main).txtYear->text() == QString::number(date.year) &&
                           Ui(g_main).txtMonth->text() == QString::number(date.month) &&
                           Ui(g_main).txtDate->text() == QString::number(date.day),
                       context);
            FUZZ_CHECK(IsStardatePattern(Ui(g_main).txtStarDate->text()),
                       context + " stardate " + Ui(g_main).txtStarDate->text().toStdString());
        }
        FUZZ_CHECK(EarthDateIsWhole(*g_main), context + " year " + Ui(g_main).txtYear->text().toStdString());
    }
    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FUZZ_CHECK(list.isNull(), context);
    FUZZ_CHECK(OpenFiles() == filesBefore, context);
    return 0;
}
