// One keystroke in the real main window, offscreen: a key typed into
// txtStarDate with live conversion on, through to the four Earth fields
// written. The baseline is the same keystroke with live conversion off,
// which is what Qt itself spends on it.

#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"
#include "support/TestApplication.h"

#include <QCheckBox>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct ShownWindow {
    quorvane::testing::FakePlatform platform;
    std::unique_ptr<frmMain> window;

    // False when the window never became active, so the focus rule would
    // not see the focus in the stardate frame.
    bool open(bool live) {
        window = std::make_unique<frmMain>(platform);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) return false;
        Ui(window).chkRealTime->setChecked(live);
        Ui(window).txtStarDate->setFocus();
        Ui(window).txtStarDate->setText(QStringLiteral("41153."));
        QCoreApplication::processEvents();
        return true;
    }
};

// Alternately types "7" and deletes it: 41153.7 and 41153. are both
// complete stardates, so every keystroke converts.
void TypeAndErase(benchmark::State& state, bool live, bool repaint) {
    ShownWindow shown;
    if (!shown.open(live)) {
        state.SkipWithError("the main window did not become active");
        return;
    }
    frmMain& window = *shown.window;
    Ui(window).txtYear->clear();
    bool typeDigit = true;
    for (auto _ : state) {
        QTest::keyClick(Ui(window).txtStarDate, typeDigit ? Qt::Key_7 : Qt::Key_Backspace);
        typeDigit = !typeDigit;
        // Lets the fields paint, as the next turn of the event loop would.
        if (repaint) QCoreApplication::processEvents();
    }
    // A figure for a keystroke that converted nothing would be no figure.
    const QString expectedYear = live ? QStringLiteral("2364") : QString();
    if (Ui(window).txtYear->text() != expectedYear || !Ui(window).txtStarDate->hasFocus())
        state.SkipWithError("the keystrokes did not reach the fields as a user's would");
}

void BM_Keystroke_LiveConversion(benchmark::State& state) { TypeAndErase(state, true, false); }
void BM_Keystroke_Baseline(benchmark::State& state) { TypeAndErase(state, false, false); }
void BM_KeystrokeRepainted_LiveConversion(benchmark::State& state) {
    TypeAndErase(state, true, true);
}
void BM_KeystrokeRepainted_Baseline(benchmark::State& state) { TypeAndErase(state, false, true); }

void Repeated(benchmark::internal::Benchmark* b) {
    b->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_Keystroke_Baseline)->Apply(Repeated);
BENCHMARK(BM_Keystroke_LiveConversion)->Apply(Repeated);
BENCHMARK(BM_KeystrokeRepainted_Baseline)->Apply(Repeated);
BENCHMARK(BM_KeystrokeRepainted_LiveConversion)->Apply(Repeated);

int main(int argc, char** argv) {
    quorvane::testing::TestApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
