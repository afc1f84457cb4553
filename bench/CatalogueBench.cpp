// The catalogue at a size no real one reaches: 100,000 records in Shift-JIS,
// read into records, and the data list window filled from it (load, sorted
// list, first selection, first paint); opened as the editor's document and
// saved again, to bytes and through a file replaced whole; the editor window
// opened on it (load, table, first paint). The baseline reads the same bytes
// and decodes them, nothing else. With --long-items, the first record's
// texts run to that many bytes each, and both windows show them at once.
//
//   bench_catalogue [--catalogue=FOLDER] [google benchmark flags]
//   bench_catalogue --generate=FOLDER [--records=N] [--long-items=BYTES]
//   bench_catalogue --memory=baseline|reader|window|editor --catalogue=FOLDER
//
// Memory is measured one step per process, so nothing an earlier step
// allocated hides in the figure.

#include "bench/support/CatalogueGenerator.h"
#include "bench/support/ProcessMemory.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"
#include "editor/EventTableModel.h"
#include "datalist/frmDataList.h"
#include "editor/frmEditor.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"
#include "support/FakePlatform.h"
#include "support/TestApplication.h"

#include <QCheckBox>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kDefaultRecords = 100'000;

std::string g_folder;
std::size_t g_records = kDefaultRecords;

std::string CataloguePath() { return g_folder + "/StarTrek.vqd"; }

// The main window the data list writes into, with live conversion on so the
// first selection converts as it would for a user who keeps it on.
struct MainWindow {
    quorvane::testing::FakePlatform platform;
    std::unique_ptr<frmMain> window;
    bool active = false;

    MainWindow() {
        platform.folder = QString::fromStdString(g_folder);
        window = std::make_unique<frmMain>(platform);
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get());
        Ui(window).chkRealTime->setChecked(true);
    }
};

// The reading's inner step alone: the bytes into records, before the rows
// the windows and quorvane-cli are given are made of them.
quorvane::CatalogueLoad ReadRecords(const std::string& path) {
    quorvane::CatalogueLoad load;
    quorvane::FileBytes file = quorvane::ReadCatalogueBytes(path);
    load.status = file.status;
    if (file.status == quorvane::FileReadStatus::Ok) load.content = quorvane::ParseCatalogue(file.bytes);
    return load;
}

bool CleanLoad(const quorvane::CatalogueLoad& load) {
    return load.status == quorvane::FileReadStatus::Ok && load.content.problems.empty() &&
           load.content.records.size() == g_records;
}

void BM_Catalogue_Baseline_ReadAndDecode(benchmark::State& state) {
    std::size_t decoded = 0;
    for (auto _ : state) {
        const quorvane::bench::DecodedFile text = quorvane::bench::ReadAndDecodeShiftJis(CataloguePath());
        decoded = text.size;
        benchmark::DoNotOptimize(text.text.get());
    }
    state.counters["decoded_bytes"] = static_cast<double>(decoded);
}

void BM_Catalogue_ReadIntoRecords(benchmark::State& state) {
    for (auto _ : state) {
        const quorvane::CatalogueLoad load = ReadRecords(CataloguePath());
        if (!CleanLoad(load)) {
            state.SkipWithError("the generated catalogue did not load cleanly");
            break;
        }
        benchmark::DoNotOptimize(load.content.records.data());
    }
}

void BM_Catalogue_DataListWindow(benchmark::State& state) {
    MainWindow main;
    if (!main.active) {
        state.SkipWithError("the main window did not become active");
        return;
    }
    for (auto _ : state) {
        auto list = std::make_unique<frmDataList>(main.platform, *main.window, main.window.get());
        list->show();
        QCoreApplication::processEvents();
        if (list->recordCount() != static_cast<int>(g_records) || !list->currentRecord() ||
            !main.platform.messages.isEmpty()) {
            state.SkipWithError("the data list window did not fill from the catalogue");
            break;
        }
        state.PauseTiming();
        list.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

std::unique_ptr<frmEditor> OpenEditor(MainWindow& main) {
    auto editor = std::make_unique<frmEditor>(main.platform, *main.window, main.window.get(),
                                              CataloguePath());
    editor->show();
    QCoreApplication::processEvents();
    return editor;
}

bool EditorFilled(const frmEditor& editor, const MainWindow& main) {
    return editor.isLoaded() && editor.model()->rowCount() == static_cast<int>(g_records) &&
           main.platform.messages.isEmpty();
}

void BM_Catalogue_EditorWindow(benchmark::State& state) {
    MainWindow main;
    if (!main.active) {
        state.SkipWithError("the main window did not become active");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<frmEditor> editor = OpenEditor(main);
        if (!EditorFilled(*editor, main)) {
            state.SkipWithError("the editor did not fill from the catalogue");
            break;
        }
        state.PauseTiming();
        editor.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

bool CleanDocument(const quorvane::DocumentLoad& load) {
    return load.status == quorvane::DocumentReadStatus::Ok && load.document.kept.empty() &&
           load.document.rows.size() == g_records;
}

void BM_Catalogue_OpenDocument(benchmark::State& state) {
    for (auto _ : state) {
        const quorvane::DocumentLoad load = quorvane::ReadCatalogueDocument(CataloguePath());
        if (!CleanDocument(load)) {
            state.SkipWithError("the generated catalogue did not open cleanly");
            break;
        }
        benchmark::DoNotOptimize(load.document.rows.data());
    }
}

void BM_Catalogue_EncodeDocument(benchmark::State& state) {
    const quorvane::DocumentLoad load = quorvane::ReadCatalogueDocument(CataloguePath());
    if (!CleanDocument(load)) return state.SkipWithError("the generated catalogue did not open cleanly");
    for (auto _ : state) {
        auto bytes = quorvane::EncodeCatalogueDocument(load.document);
        if (!std::holds_alternative<std::string>(bytes)) {
            state.SkipWithError("the document was refused");
            break;
        }
        benchmark::DoNotOptimize(std::get<std::string>(bytes).data());
    }
}

// As the editor saves: the bytes, then a file written beside the catalogue
// that replaces it whole.
void BM_Catalogue_SaveDocument(benchmark::State& state) {
    const quorvane::DocumentLoad load = quorvane::ReadCatalogueDocument(CataloguePath());
    if (!CleanDocument(load)) return state.SkipWithError("the generated catalogue did not open cleanly");
    const QString target = QString::fromStdString(g_folder + "/Saved.vqd");
    for (auto _ : state) {
        auto bytes = quorvane::EncodeCatalogueDocument(load.document);
        const std::string* text = std::get_if<std::string>(&bytes);
        QSaveFile file(target);
        if (!text || !file.open(QIODevice::WriteOnly) ||
            file.write(text->data(), qint64(text->size())) != qint64(text->size()) || !file.commit()) {
            state.SkipWithError("the document could not be saved");
            break;
        }
    }
    QFile::remove(target);
}

void Repeated(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Catalogue_Baseline_ReadAndDecode)->Apply(Repeated);
BENCHMARK(BM_Catalogue_ReadIntoRecords)->Apply(Repeated);
BENCHMARK(BM_Catalogue_DataListWindow)->Apply(Repeated);
BENCHMARK(BM_Catalogue_EditorWindow)->Apply(Repeated);
BENCHMARK(BM_Catalogue_OpenDocument)->Apply(Repeated);
BENCHMARK(BM_Catalogue_EncodeDocument)->Apply(Repeated);
BENCHMARK(BM_Catalogue_SaveDocument)->Apply(Repeated);

// Peak and retained growth of one step, in KiB, as one line of JSON.
int MeasureMemory(const std::string& step) {
    MainWindow main;
    if (!main.active) {
        std::fprintf(stderr, "bench_catalogue: the main window did not become active\n");
        return 1;
    }
    QCoreApplication::processEvents();
    const std::int64_t before = quorvane::bench::ResidentKib();
    if (!quorvane::bench::ResetPeak()) {
        std::fprintf(stderr, "bench_catalogue: cannot reset the memory high-water mark\n");
        return 1;
    }

    bool ok = true;
    quorvane::bench::DecodedFile text;
    quorvane::CatalogueLoad load;
    std::unique_ptr<frmDataList> list;
    std::unique_ptr<frmEditor> editor;
    if (step == "baseline") {
        text = quorvane::bench::ReadAndDecodeShiftJis(CataloguePath());
    } else if (step == "reader") {
        load = ReadRecords(CataloguePath());
        ok = CleanLoad(load);
    } else if (step == "window") {
        list = std::make_unique<frmDataList>(main.platform, *main.window, main.window.get());
        list->show();
        QCoreApplication::processEvents();
        ok = list->recordCount() == static_cast<int>(g_records);
    } else if (step == "editor") {
        editor = OpenEditor(main);
        ok = EditorFilled(*editor, main);
    } else {
        std::fprintf(stderr, "bench_catalogue: unknown step %s\n", step.c_str());
        return 2;
    }
    if (!ok) {
        std::fprintf(stderr, "bench_catalogue: the catalogue did not load cleanly\n");
        return 1;
    }
    const std::int64_t peak = quorvane::bench::PeakKib();
    const std::int64_t retained = quorvane::bench::ResidentKib();
    std::printf("{\"step\": \"%s\", \"peak_kib\": %lld, \"retained_kib\": %lld}\n", step.c_str(),
                static_cast<long long>(peak - before), static_cast<long long>(retained - before));
    return 0;
}

// Takes "--name=value" out of the arguments, so Google Benchmark never sees it.
std::string TakeOption(int& argc, char** argv, const char* name) {
    const std::size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') {
            std::string value = argv[i] + length + 1;
            for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
            --argc;
            return value;
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string generate = TakeOption(argc, argv, "--generate");
    const std::string memory = TakeOption(argc, argv, "--memory");
    const std::string records = TakeOption(argc, argv, "--records");
    const std::string longItems = TakeOption(argc, argv, "--long-items");
    g_folder = TakeOption(argc, argv, "--catalogue");
    if (!records.empty()) g_records = std::stoul(records);

    if (!generate.empty()) {
        g_folder = generate;
        quorvane::bench::WriteFile(
            CataloguePath(),
            quorvane::bench::GenerateCatalogue(g_records, longItems.empty() ? 0 : std::stoul(longItems)));
        return 0;
    }

    quorvane::testing::TestApplication app(argc, argv);

    QTemporaryDir data;
    if (g_folder.empty()) {
        g_folder = data.path().toStdString();
        quorvane::bench::WriteFile(CataloguePath(), quorvane::bench::GenerateCatalogue(g_records));
    }
    if (!memory.empty()) return MeasureMemory(memory);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::AddCustomContext("catalogue_bytes",
                                std::to_string(quorvane::bench::ReadFile(CataloguePath()).size()));
    benchmark::AddCustomContext("catalogue_records", std::to_string(g_records));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
