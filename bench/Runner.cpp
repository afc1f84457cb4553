// `make bench`: runs every benchmark, each beside its baseline in the same
// run, prints one table and writes it under the results folder.
//
//   quorvane_bench [--results=FOLDER] [--startup-runs=N] [--batch-requests=N]
//                  [--batch-runs=N] [--argument-values=N]
//                  [--wine-build=FOLDER --wine-kit=FOLDER | --wine-skipped=REASON]
//
// The Wine row runs the Windows build in FOLDER (quorvane.exe and the
// baselines, built against the Qt for Windows kit) in the Wine prefix and on
// the display that the environment names (scripts/bench.sh sets them up).

#include "bench/support/BatchRequests.h"
#include "bench/support/CatalogueGenerator.h"
#include "bench/support/ResultsTable.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtGlobal>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

using quorvane::bench::Goal;
using quorvane::bench::Median;
using quorvane::bench::PairedRatio;
using quorvane::bench::RatioOfPairs;
using quorvane::bench::Row;

struct Options {
    std::string results;
    int startupRuns = 15;
    int batchRuns = 3;
    std::size_t batchRequests = 1'000'000;
    // As many as fit one command line with room to spare (Linux allows 2 MiB).
    std::size_t argumentValues = 100'000;
    std::string wineBuild;
    std::string wineKit;
    std::string wineSkipped;
};

// ---- child processes -------------------------------------------------------

struct Launch {
    std::vector<std::string> argv;
    std::map<std::string, std::string> env;  // added to, or replacing, ours
    std::string stdinPath = "/dev/null";
    std::string stdoutPath;                  // empty: ours
    bool quiet = false;                      // stderr to /dev/null
    bool stderrToStdout = false;             // both into stdoutPath
    int closeFd = -1;                        // closed in the child
};

struct Finished {
    double wallSeconds = 0;
    int exitStatus = -1;  // -1 when it did not exit normally
};

double MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

pid_t Spawn(const Launch& launch, double& startNs) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!launch.env.count(name)) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : launch.env) envStrings.push_back(name + "=" + value);

    std::vector<char*> argv;
    for (const std::string& arg : launch.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : envStrings) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, launch.stdinPath.c_str(), O_RDONLY, 0);
    if (!launch.stdoutPath.empty())
        posix_spawn_file_actions_addopen(&actions, 1, launch.stdoutPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (launch.quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (launch.stderrToStdout) posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (launch.closeFd >= 0) posix_spawn_file_actions_addclose(&actions, launch.closeFd);

    pid_t pid = 0;
    startNs = MonotonicNs();
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + launch.argv[0] + ": " + std::strerror(rc));
    return pid;
}

Finished Wait(pid_t pid, double startNs) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("wait4 failed");
    }
    Finished done;
    done.wallSeconds = (MonotonicNs() - startNs) / 1e9;
    done.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return done;
}

Finished Run(const Launch& launch) {
    double startNs = 0;
    const pid_t pid = Spawn(launch, startNs);
    return Wait(pid, startNs);
}

void RunOrThrow(const Launch& launch) {
    const Finished done = Run(launch);
    if (done.exitStatus == 0) return;
    std::string message = launch.argv[0] + " failed (status " + std::to_string(done.exitStatus) + ")";
    if (launch.stderrToStdout) {
        // The end of its log says why.
        const std::string log = quorvane::bench::ReadFile(launch.stdoutPath);
        message += ":\n" + log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    }
    throw std::runtime_error(message);
}

void Progress(const std::string& step) {
    std::printf("%s\n", step.c_str());
    std::fflush(stdout);
}

// ---- Google Benchmark programs ---------------------------------------------

// Median real time per iteration of each benchmark, in nanoseconds, by name.
std::map<std::string, double> RunGoogleBenchmark(const std::string& program,
                                                 std::vector<std::string> extraArgs,
                                                 const std::string& jsonPath) {
    Launch launch;
    launch.argv = {program, "--benchmark_out=" + jsonPath, "--benchmark_out_format=json"};
    launch.argv.insert(launch.argv.end(), extraArgs.begin(), extraArgs.end());
    launch.env["QT_QPA_PLATFORM"] = "offscreen";
    // Its own report goes to a log: the table is the one thing to read.
    launch.stdoutPath = jsonPath + ".log";
    launch.stderrToStdout = true;
    RunOrThrow(launch);

    const std::string json = quorvane::bench::ReadFile(jsonPath);
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(json));
    std::map<std::string, double> medians;
    for (const QJsonValue& entry : document.object().value("benchmarks").toArray()) {
        const QJsonObject benchmark = entry.toObject();
        if (benchmark.value("error_occurred").toBool())
            throw std::runtime_error(program + ": " +
                                     benchmark.value("error_message").toString().toStdString());
        if (benchmark.value("aggregate_name").toString() != "median") continue;
        const QString unit = benchmark.value("time_unit").toString();
        const double scale = unit == "ns" ? 1 : unit == "us" ? 1e3 : unit == "ms" ? 1e6 : 1e9;
        // "BM_Name/repeats:5" is filed as "BM_Name".
        const QString name = benchmark.value("run_name").toString().section('/', 0, 0);
        medians[name.toStdString()] =
            benchmark.value("real_time").toDouble() * scale;
    }
    return medians;
}

double Take(const std::map<std::string, double>& medians, const std::string& name) {
    const auto found = medians.find(name);
    if (found == medians.end()) throw std::runtime_error("no figure for " + name);
    return found->second;
}

// Pairs per ratio goal: enough for a median that a second run repeats.
constexpr int kPairs = 9;

struct Paired {
    double value = 0;     // the row's median over the pairs
    double baseline = 0;  // the baseline's
    PairedRatio ratio;
};

// The row and its baseline, measured back to back in one run of `program`,
// kPairs times over: a ratio from figures taken minutes apart would carry
// whatever the machine did in between.
Paired MeasurePairs(const std::string& program, const std::vector<std::string>& args,
                    const std::string& baseline, const std::string& row, const std::string& work,
                    double scale) {
    std::vector<std::pair<double, double>> pairs;
    std::vector<double> values;
    std::vector<double> baselines;
    for (int pair = 0; pair < kPairs; ++pair) {
        std::vector<std::string> pairArgs = args;
        pairArgs.push_back("--benchmark_filter=^(" + baseline + "|" + row + ")/");
        const auto medians = RunGoogleBenchmark(program, pairArgs, work + "/pair-" + row + ".json");
        pairs.emplace_back(Take(medians, row) / scale, Take(medians, baseline) / scale);
        values.push_back(pairs.back().first);
        baselines.push_back(pairs.back().second);
    }
    return {Median(values), Median(baselines), RatioOfPairs(pairs)};
}

Row PairedRow(std::string name, const Paired& measured, std::string unit, Goal goal) {
    Row row{std::move(name), measured.value, measured.baseline, std::move(unit), false,
            std::move(goal)};
    row.paired = measured.ratio;
    return row;
}

// ---- the rows --------------------------------------------------------------

void CoreRows(const std::string& work, std::vector<Row>& rows) {
    Progress("conversion cores, each against its baseline in pairs");
    const Goal goal{1000, 3, "< 1 µs, ≤ 3× baseline"};
    const auto pairs = [&](const char* row) {
        return MeasurePairs(QUORVANE_BENCH_CORE, {}, "BM_Baseline_FromCharsToChars", row, work, 1);
    };
    rows.push_back(PairedRow("stardate to Earth date, per call", pairs("BM_EarthDateFromStardate"),
                             "ns", goal));
    rows.push_back(PairedRow("Earth date to stardate, per call", pairs("BM_StardateFromEarthDate"),
                             "ns", goal));
    rows.push_back(
        PairedRow("field-number reader, per call", pairs("BM_ReadInt32Field"), "ns", goal));
}

void KeystrokeRows(const std::string& work, std::vector<Row>& rows) {
    Progress("keystroke");
    const auto medians = RunGoogleBenchmark(QUORVANE_BENCH_KEYSTROKE, {}, work + "/keystroke.json");
    const Goal goal{1000, std::nullopt, "< 1 ms"};
    rows.push_back({"keystroke, live conversion on",
                    Take(medians, "BM_Keystroke_LiveConversion") / 1e3,
                    Take(medians, "BM_Keystroke_Baseline") / 1e3, "µs", false, goal});
    rows.push_back({"keystroke and repaint, live conversion on",
                    Take(medians, "BM_KeystrokeRepainted_LiveConversion") / 1e3,
                    Take(medians, "BM_KeystrokeRepainted_Baseline") / 1e3, "µs", false, goal});
}

struct MemoryFigure {
    double peakMib = 0;
    double retainedMib = 0;
};

MemoryFigure CatalogueMemory(const std::string& folder, const std::string& step,
                             const std::string& work) {
    Launch launch;
    launch.argv = {QUORVANE_BENCH_CATALOGUE, "--memory=" + step, "--catalogue=" + folder};
    launch.env["QT_QPA_PLATFORM"] = "offscreen";
    launch.stdoutPath = work + "/memory-" + step + ".json";
    launch.quiet = true;
    RunOrThrow(launch);
    const QJsonObject figure =
        QJsonDocument::fromJson(QByteArray::fromStdString(quorvane::bench::ReadFile(launch.stdoutPath)))
            .object();
    return {figure.value("peak_kib").toDouble() / 1024,
            figure.value("retained_kib").toDouble() / 1024};
}

// The goal is in decimal megabytes, the figures in MiB.
constexpr double kHundredMegabytesInMib = 100e6 / (1024.0 * 1024.0);

// The benchmark's catalogue of 100,000 records in `folder`, made afresh.
std::string GenerateCatalogue(const std::string& folder, std::vector<std::string> options) {
    mkdir(folder.c_str(), 0755);
    Launch generate;
    generate.argv = {QUORVANE_BENCH_CATALOGUE, "--generate=" + folder};
    for (std::string& option : options) generate.argv.push_back(std::move(option));
    RunOrThrow(generate);
    const auto bytes = std::filesystem::file_size(folder + "/StarTrek.vqd");
    Progress("  generated " + std::to_string(bytes) + " bytes of Shift-JIS, 100000 records");
    return folder;
}

void CatalogueRows(const std::string& work, std::vector<Row>& rows) {
    Progress("catalogue");
    const std::string folder = GenerateCatalogue(work + "/catalogue", {});

    // The rows without a ratio goal; those with one are measured in pairs below.
    const auto medians = RunGoogleBenchmark(
        QUORVANE_BENCH_CATALOGUE,
        {"--catalogue=" + folder,
         "--benchmark_filter=BM_Catalogue_(Baseline_ReadAndDecode|ReadIntoRecords|EditorWindow)/"},
        work + "/catalogue.json");
    const double baseline = Take(medians, "BM_Catalogue_Baseline_ReadAndDecode") / 1e6;
    rows.push_back({"catalogue 100k: read into records",
                    Take(medians, "BM_Catalogue_ReadIntoRecords") / 1e6, baseline, "ms", false,
                    std::nullopt});
    Progress("  the ratio goals, each row against its baseline in pairs");
    const auto pairs = [&](const char* base, const char* row) {
        return MeasurePairs(QUORVANE_BENCH_CATALOGUE, {"--catalogue=" + folder}, base, row, work,
                            1e6);
    };
    rows.push_back(PairedRow("catalogue 100k: data list window filled",
                             pairs("BM_Catalogue_Baseline_ReadAndDecode", "BM_Catalogue_DataListWindow"),
                             "ms", Goal{1000, 4, "< 1 s, ≤ 4× baseline"}));
    rows.push_back({"catalogue 100k: editor window opened",
                    Take(medians, "BM_Catalogue_EditorWindow") / 1e6, baseline, "ms", false,
                    Goal{1000, std::nullopt, "< 1 s"}});
    // The document's rows are measured against reading the file into records.
    const Goal fourTimesReading{1000, 4, "< 1 s, ≤ 4× reading"};
    rows.push_back(PairedRow("catalogue 100k: opened as the editor's document",
                             pairs("BM_Catalogue_ReadIntoRecords", "BM_Catalogue_OpenDocument"),
                             "ms", fourTimesReading));
    rows.push_back(PairedRow("catalogue 100k: document saved to bytes",
                             pairs("BM_Catalogue_ReadIntoRecords", "BM_Catalogue_EncodeDocument"),
                             "ms", fourTimesReading));
    rows.push_back(PairedRow("catalogue 100k: document saved to a file",
                             pairs("BM_Catalogue_ReadIntoRecords", "BM_Catalogue_SaveDocument"),
                             "ms", fourTimesReading));

    const MemoryFigure decoded = CatalogueMemory(folder, "baseline", work);
    const MemoryFigure reader = CatalogueMemory(folder, "reader", work);
    const MemoryFigure window = CatalogueMemory(folder, "window", work);
    rows.push_back({"catalogue 100k: records, peak memory", reader.peakMib, decoded.peakMib, "MiB",
                    false, std::nullopt});
    rows.push_back({"catalogue 100k: data list window, peak memory", window.peakMib,
                    decoded.peakMib, "MiB", false, Goal{kHundredMegabytesInMib, std::nullopt, "< 100 MB"}});
    rows.push_back({"catalogue 100k: data list window, held", window.retainedMib,
                    decoded.retainedMib, "MiB", false, Goal{kHundredMegabytesInMib, std::nullopt, "< 100 MB"}});
}

// Each of the three long texts, in UTF-8. A copy per paint or per selection
// would show many times over, while what reading the file holds (the file,
// its text and the records at once) stays well under the goal.
constexpr std::size_t kLongItemBytes = 8'000'000;
constexpr double kTwoHundredMegabytesInMib = 200e6 / (1024.0 * 1024.0);

// The same records with a few very long texts, shown at once by both
// windows: what a window costs must follow what it shows.
void LongItemRows(const std::string& work, std::vector<Row>& rows) {
    Progress("catalogue with long items");
    const std::string folder = GenerateCatalogue(work + "/catalogue-long",
                                                 {"--long-items=" + std::to_string(kLongItemBytes)});

    const auto medians = RunGoogleBenchmark(
        QUORVANE_BENCH_CATALOGUE,
        {"--catalogue=" + folder,
         "--benchmark_filter=BM_Catalogue_(Baseline_ReadAndDecode|DataListWindow|EditorWindow)/"},
        work + "/catalogue-long.json");
    const double baseline = Take(medians, "BM_Catalogue_Baseline_ReadAndDecode") / 1e6;
    rows.push_back({"catalogue 100k, long items: data list window opened",
                    Take(medians, "BM_Catalogue_DataListWindow") / 1e6, baseline, "ms", false,
                    Goal{1000, std::nullopt, "< 1 s"}});
    rows.push_back({"catalogue 100k, long items: editor window opened",
                    Take(medians, "BM_Catalogue_EditorWindow") / 1e6, baseline, "ms", false,
                    Goal{1000, std::nullopt, "< 1 s"}});

    const MemoryFigure decoded = CatalogueMemory(folder, "baseline", work);
    const MemoryFigure window = CatalogueMemory(folder, "window", work);
    const MemoryFigure editor = CatalogueMemory(folder, "editor", work);
    rows.push_back({"catalogue 100k, long items: data list window, peak memory", window.peakMib,
                    decoded.peakMib, "MiB", false,
                    Goal{kTwoHundredMegabytesInMib, std::nullopt, "< 200 MB"}});
    rows.push_back({"catalogue 100k, long items: editor window, peak memory", editor.peakMib,
                    decoded.peakMib, "MiB", false,
                    Goal{kTwoHundredMegabytesInMib, std::nullopt, "< 200 MB"}});
}

// Start-up to the first shown frame, by the preloaded probe.
// The face a run shows: its locale, with nothing else set that would
// override it.
struct Face {
    const char* name;  // as the table names it
    const char* lang;
};
constexpr Face kJapaneseFace{"Japanese", "ja_JP.UTF-8"};
constexpr Face kEnglishFace{"English", "en_US.UTF-8"};
constexpr Face kGermanFace{"German", "de_DE.UTF-8"};

double StartupMs(const std::string& program, const std::string& config, const Face& face = kJapaneseFace,
                 const std::vector<std::string>& arguments = {}) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    Launch launch;
    launch.argv = {program};
    launch.argv.insert(launch.argv.end(), arguments.begin(), arguments.end());
    launch.env["LANG"] = face.lang;
    launch.env["LANGUAGE"] = "";
    launch.env["LC_ALL"] = "";
    launch.env["LC_MESSAGES"] = "";
    launch.env["QT_QPA_PLATFORM"] = "offscreen";
    launch.env["LD_PRELOAD"] = QUORVANE_BENCH_PROBE;
    launch.env["QUORVANE_STARTUP_PROBE_FD"] = std::to_string(fds[1]);
    launch.env["XDG_CONFIG_HOME"] = config;
    launch.quiet = true;
    launch.closeFd = fds[0];
    double startNs = 0;
    const pid_t pid = Spawn(launch, startNs);
    close(fds[1]);
    std::string report;
    char buffer[64];
    ssize_t got = 0;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) report.append(buffer, static_cast<std::size_t>(got));
    close(fds[0]);
    const Finished done = Wait(pid, startNs);
    if (report.empty() || done.exitStatus != 0)
        throw std::runtime_error(program + " never reported a shown window");
    return (std::stod(report) - startNs) / 1e6;
}

// The main window's captions, as it shows them at start-up; a frame's title
// starts with "*". The Japanese ones are the program's source texts.
const std::vector<std::string> kJapaneseCaptions{
    "*地球暦(西暦)", "年", "今日", "月", "日", "日(年間通算)", "*宇宙暦(Quorvane)", "リセットする",
    "←", "→", "リアルタイム変更 (&R)", "1990 - 2010 年を基準に (&9)", "終了(&X)"};

// The same captions in another face, as its translation file gives them.
std::vector<std::string> FaceCaptions(const char* tsPath) {
    std::ifstream file(tsPath, std::ios::binary);
    const std::string ts{std::istreambuf_iterator<char>(file), {}};
    auto unescape = [](std::string text) {
        for (const auto& [entity, plain] : std::vector<std::pair<std::string, std::string>>{
                 {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
            for (std::size_t at = text.find(entity); at != std::string::npos;
                 at = text.find(entity, at + plain.size()))
                text.replace(at, entity.size(), plain);
        }
        return text;
    };
    const std::size_t context = ts.find("<name>frmMain</name>");
    const std::size_t end = ts.find("</context>", context);
    std::vector<std::string> captions;
    for (const std::string& wanted : kJapaneseCaptions) {
        const bool frameTitle = wanted.front() == '*';
        const std::string source = frameTitle ? wanted.substr(1) : wanted;
        std::string found;
        for (std::size_t at = ts.find("<source>", context); at < end; at = ts.find("<source>", at + 1)) {
            const std::size_t from = at + 8;
            if (unescape(ts.substr(from, ts.find("</source>", from) - from)) != source) continue;
            const std::size_t open = ts.find("<translation", from);
            const std::size_t text = ts.find('>', open) + 1;
            found = unescape(ts.substr(text, ts.find("</translation>", text) - text));
            break;
        }
        // Texts that are the same in both faces (the arrows) need no entry.
        captions.push_back((frameTitle ? "*" : "") + (found.empty() ? source : found));
    }
    return captions;
}

void StartupRows(const Options& options, const std::string& work, std::vector<Row>& rows) {
    Progress("start-up, " + std::to_string(options.startupRuns) + " runs each");
    const std::string config = work + "/config";
    mkdir(config.c_str(), 0755);
    const std::vector<std::string> english = FaceCaptions(QUORVANE_ENGLISH_TS);
    const std::vector<std::string> german = FaceCaptions(QUORVANE_GERMAN_TS);
    auto captionsJa = [&] { return StartupMs(QUORVANE_BENCH_CAPTIONS_WINDOW, config, kJapaneseFace, kJapaneseCaptions); };
    auto captionsEn = [&] { return StartupMs(QUORVANE_BENCH_CAPTIONS_WINDOW, config, kEnglishFace, english); };
    auto captionsDe = [&] { return StartupMs(QUORVANE_BENCH_CAPTIONS_WINDOW, config, kGermanFace, german); };
    // One run each first, so none pays for a cold page cache.
    StartupMs(QUORVANE_BENCH_BARE_WINDOW, config);
    StartupMs(QUORVANE_BENCH_CAPTION_WINDOW, config);
    captionsJa();
    captionsEn();
    captionsDe();
    StartupMs(QUORVANE_PROGRAM, config, kJapaneseFace);
    StartupMs(QUORVANE_PROGRAM, config, kEnglishFace);
    StartupMs(QUORVANE_PROGRAM, config, kGermanFace);
    std::vector<double> bare, caption, allJa, allEn, allDe, programJa, programEn, programDe;
    for (int i = 0; i < options.startupRuns; ++i) {
        // Interleaved, so a burst of load elsewhere hits them all alike.
        bare.push_back(StartupMs(QUORVANE_BENCH_BARE_WINDOW, config));
        caption.push_back(StartupMs(QUORVANE_BENCH_CAPTION_WINDOW, config));
        allJa.push_back(captionsJa());
        allEn.push_back(captionsEn());
        programJa.push_back(StartupMs(QUORVANE_PROGRAM, config, kJapaneseFace));
        programEn.push_back(StartupMs(QUORVANE_PROGRAM, config, kEnglishFace));
        allDe.push_back(captionsDe());
        programDe.push_back(StartupMs(QUORVANE_PROGRAM, config, kGermanFace));
    }
    rows.push_back({"start-up to main window shown (median)", Median(programJa), Median(bare), "ms",
                    false, Goal{std::nullopt, 1.3, "≤ 1.3× bare Qt window"}});
    rows.push_back({"start-up, window with one Japanese caption", Median(caption), Median(bare),
                    "ms", false, std::nullopt});
    rows.push_back({"start-up to main window shown, against the Japanese-caption window",
                    Median(programJa), Median(caption), "ms", false,
                    Goal{std::nullopt, 1.2, "≤ 1.2× Japanese-caption window"}});
    rows.push_back({"start-up, window with the main window's Japanese captions", Median(allJa),
                    Median(bare), "ms", false, std::nullopt});
    rows.push_back({"start-up, Japanese face, against the window with its captions", Median(programJa),
                    Median(allJa), "ms", false, Goal{std::nullopt, 1.2, "≤ 1.2× its captions' window"}});
    rows.push_back({"start-up, window with the main window's English captions", Median(allEn),
                    Median(bare), "ms", false, std::nullopt});
    rows.push_back({"start-up, English face, against the window with its captions", Median(programEn),
                    Median(allEn), "ms", false, Goal{std::nullopt, 1.2, "≤ 1.2× its captions' window"}});
    rows.push_back({"start-up, English face, against the Japanese-caption window", Median(programEn),
                    Median(caption), "ms", false, std::nullopt});
    rows.push_back({"start-up, window with the main window's German captions", Median(allDe),
                    Median(bare), "ms", false, std::nullopt});
    rows.push_back({"start-up, German face, against the window with its captions", Median(programDe),
                    Median(allDe), "ms", false, Goal{std::nullopt, 1.2, "≤ 1.2× its captions' window"}});
}

// The Windows form of a path on Wine's Z: drive, the whole Unix tree.
std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + std::filesystem::absolute(unixPath).lexically_normal().string();
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

struct WineSetup {
    std::string fifo;        // the probe's line arrives here
    std::string pluginPath;  // the kit's plug-ins, and the probe's
};

// Start-up under Wine to the first shown frame: from starting wine to the
// probe's line in the FIFO, which the runner timestamps as it arrives.
double WineStartupMs(const std::string& exe, const WineSetup& wine, int timeoutMs = 120'000) {
    const int fifo = open(wine.fifo.c_str(), O_RDONLY | O_NONBLOCK);
    if (fifo < 0) throw std::runtime_error("cannot open " + wine.fifo);
    Launch launch;
    // Qt for Windows loads a generic plug-in named on the command line.
    launch.argv = {"/usr/bin/wine", exe, "-plugin", "quorvanestartupprobe"};
    // The platform a user gets: real windows through Wine's X11 driver, with
    // its font look-up, which offscreen would skip.
    launch.env["QT_QPA_PLATFORM"] = "windows";
    // A Japanese display language, as the baselines' caption is Japanese
    // (Wine takes it from the locale scripts/bench.sh makes).
    launch.env["LC_ALL"] = "ja_JP.UTF-8";
    if (const char* locales = std::getenv("QUORVANE_BENCH_WINE_LOCPATH")) launch.env["LOCPATH"] = locales;
    launch.env["QT_PLUGIN_PATH"] = wine.pluginPath;
    launch.env["QUORVANE_STARTUP_PROBE_FILE"] = WinePath(wine.fifo);
    launch.quiet = true;
    launch.closeFd = fifo;
    double startNs = 0;
    const pid_t pid = Spawn(launch, startNs);
    pollfd ready{fifo, POLLIN, 0};
    int got = 0;
    while ((got = poll(&ready, 1, timeoutMs)) < 0 && errno == EINTR) {
    }
    const double shownNs = MonotonicNs();
    char buffer[64];
    const ssize_t length = got > 0 ? read(fifo, buffer, sizeof buffer) : 0;
    close(fifo);
    if (got <= 0) kill(pid, SIGKILL);
    const Finished done = Wait(pid, startNs);
    if (length <= 0 || done.exitStatus != 0)
        throw std::runtime_error(exe + " never reported a shown window under Wine");
    return (shownNs - startNs) / 1e6;
}

void WineStartupRows(const Options& options, const std::string& work, std::vector<Row>& rows) {
    if (options.wineBuild.empty()) {
        Progress("start-up under Wine: " + options.wineSkipped);
        return;
    }
    Progress("start-up under Wine, " + std::to_string(options.startupRuns) + " runs each");
    WineSetup wine;
    wine.fifo = work + "/wine-probe.fifo";
    if (mkfifo(wine.fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + wine.fifo);
    const std::string bin = options.wineBuild + "/bench/bin";
    wine.pluginPath = WinePath(options.wineKit + "/plugins") + ";" + WinePath(bin);
    const std::string bareExe = bin + "/bench_bare_window.exe";
    const std::string captionExe = bin + "/bench_caption_window.exe";
    const std::string programExe = options.wineBuild + "/bin/quorvane.exe";
    // One run each first: the first start of a program in a prefix is far
    // slower (Wine builds its font cache then), and is given ten minutes.
    for (const std::string* exe : {&bareExe, &captionExe, &programExe})
        WineStartupMs(*exe, wine, 600'000);
    std::vector<double> bare, caption, program;
    for (int i = 0; i < options.startupRuns; ++i) {
        bare.push_back(WineStartupMs(bareExe, wine));
        caption.push_back(WineStartupMs(captionExe, wine));
        program.push_back(WineStartupMs(programExe, wine));
    }
    rows.push_back({"start-up under Wine, quorvane.exe to main window shown (median)",
                    Median(program), Median(bare), "ms", false, std::nullopt});
    rows.push_back({"start-up under Wine, window with one Japanese caption", Median(caption),
                    Median(bare), "ms", false, std::nullopt});
    rows.push_back({"start-up under Wine, quorvane.exe against the Japanese-caption window",
                    Median(program), Median(caption), "ms", false,
                    Goal{std::nullopt, 1.2, "≤ 1.2× Japanese-caption window"}});
}

std::size_t CountLines(const std::string& path, std::size_t& errors) {
    std::ifstream file(path);
    std::string line;
    std::size_t lines = 0;
    errors = 0;
    while (std::getline(file, line)) {
        ++lines;
        if (line.rfind("error", 0) == 0) ++errors;
    }
    return lines;
}

void BatchRows(const Options& options, const std::string& work, std::vector<Row>& rows) {
    Progress("quorvane-cli --batch, " + std::to_string(options.batchRequests) + " requests, " +
             std::to_string(options.batchRuns) + " runs each");
    const std::string requests = work + "/requests.txt";
    quorvane::bench::WriteFile(requests, quorvane::bench::GenerateBatchRequests(options.batchRequests));

    Launch cli;
    cli.argv = {QUORVANE_CLI, "--batch"};
    cli.stdinPath = requests;
    Launch floor;
    floor.argv = {QUORVANE_BENCH_BATCH_FLOOR};
    floor.stdinPath = requests;

    // Every request must be answered, and none with an error, or the rate
    // would be the rate of something else.
    cli.stdoutPath = work + "/answers.txt";
    RunOrThrow(cli);
    std::size_t errors = 0;
    const std::size_t answers = CountLines(cli.stdoutPath, errors);
    if (answers != options.batchRequests || errors != 0)
        throw std::runtime_error("quorvane-cli answered " + std::to_string(answers) +
                                 " requests with " + std::to_string(errors) + " errors");

    // Peak memory through time(1): a child of this runner would inherit the
    // runner's own high-water mark across the exec.
    const std::string peakFile = work + "/peak.txt";
    const auto timed = [&](Launch launch, double& seconds, double& peakMib) {
        launch.argv.insert(launch.argv.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
        launch.stdoutPath = "/dev/null";
        const Finished done = Run(launch);
        if (done.exitStatus != 0) throw std::runtime_error(launch.argv[5] + " --batch run failed");
        seconds = done.wallSeconds;
        peakMib = std::stod(quorvane::bench::ReadFile(peakFile)) / 1024;
    };
    std::vector<double> cliSeconds, floorSeconds, cliRss, floorRss;
    for (int i = 0; i < options.batchRuns; ++i) {
        double seconds = 0, peak = 0;
        timed(floor, seconds, peak);
        floorSeconds.push_back(seconds);
        floorRss.push_back(peak);
        timed(cli, seconds, peak);
        cliSeconds.push_back(seconds);
        cliRss.push_back(peak);
    }
    const double n = static_cast<double>(options.batchRequests);
    const std::string requestCount = options.batchRequests % 1'000'000 == 0
                                         ? std::to_string(options.batchRequests / 1'000'000) + "M"
                                         : std::to_string(options.batchRequests);
    rows.push_back({"quorvane-cli --batch, " + requestCount + " requests", n / Median(cliSeconds),
                    n / Median(floorSeconds), "req/s", true, std::nullopt});
    rows.push_back({"quorvane-cli --batch, peak memory", Median(cliRss), Median(floorRss), "MiB",
                    false, std::nullopt});
}

// The same values as arguments and as --batch requests, per value. The
// arguments' figure includes the kernel's copying of a long command line.
void ArgumentRows(const Options& options, const std::string& work, std::vector<Row>& rows) {
    Progress("quorvane-cli VALUE..., " + std::to_string(options.argumentValues) +
             " values against --batch, " + std::to_string(options.batchRuns) + " runs each");
    const std::string requestText = quorvane::bench::GenerateBatchRequests(options.argumentValues);
    const std::string requests = work + "/argument-requests.txt";
    quorvane::bench::WriteFile(requests, requestText);

    Launch arguments;
    arguments.argv = {QUORVANE_CLI};
    for (std::string& value : quorvane::bench::ArgumentValuesFor(requestText))
        arguments.argv.push_back(std::move(value));
    Launch batch;
    batch.argv = {QUORVANE_CLI, "--batch"};
    batch.stdinPath = requests;

    // Both must answer every value, and alike, or the rates compare nothing.
    arguments.stdoutPath = work + "/argument-answers.txt";
    RunOrThrow(arguments);
    std::size_t errors = 0;
    const std::size_t answers = CountLines(arguments.stdoutPath, errors);
    if (answers != options.argumentValues)
        throw std::runtime_error("quorvane-cli answered " + std::to_string(answers) + " of " +
                                 std::to_string(options.argumentValues) + " argument values");
    arguments.stdoutPath = batch.stdoutPath = "/dev/null";

    std::vector<double> argumentSeconds, batchSeconds;
    for (int i = 0; i < options.batchRuns; ++i) {
        const Finished viaBatch = Run(batch);
        const Finished viaArguments = Run(arguments);
        if (viaBatch.exitStatus != 0 || viaArguments.exitStatus != 0)
            throw std::runtime_error("quorvane-cli failed on the argument values");
        batchSeconds.push_back(viaBatch.wallSeconds);
        argumentSeconds.push_back(viaArguments.wallSeconds);
    }
    const double n = static_cast<double>(options.argumentValues);
    rows.push_back({"quorvane-cli VALUE..., " + std::to_string(options.argumentValues) +
                        " values as arguments (baseline: --batch)",
                    n / Median(argumentSeconds), n / Median(batchSeconds), "values/s", true,
                    Goal{std::nullopt, 1.5, "≤ 1.5× --batch"}});
}

// ---- the machine -----------------------------------------------------------

std::string ReadLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

std::string CpuModel() {
    std::ifstream file("/proc/cpuinfo");
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

// The first three fields of /proc/loadavg.
std::string LoadAverages(const std::string& line) {
    std::istringstream fields(line);
    std::string one, five, fifteen;
    fields >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string Machine(const std::string& loadBefore, const std::string& loadAfter,
                    const Options& options) {
    utsname system{};
    uname(&system);
    std::ostringstream out;
    out << "CPU: " << CpuModel() << ", " << sysconf(_SC_NPROCESSORS_ONLN) << " cores\n"
        << "Memory: " << (sysconf(_SC_PHYS_PAGES) * sysconf(_SC_PAGESIZE)) / (1024 * 1024)
        << " MiB\n"
        << "System: " << system.sysname << " " << system.release << " " << system.machine << "\n"
        << "Qt " << qVersion() << ", " << "GCC " << __VERSION__ << ", Release build\n"
        << "Load average (1, 5, 15 min) before: " << LoadAverages(loadBefore)
        << "; after: " << LoadAverages(loadAfter) << "\n";
    if (options.wineBuild.empty())
        out << "Start-up under Wine: " << options.wineSkipped << "\n";
    else
        out << "Start-up under Wine: MinGW-w64 Release build, Qt for Windows " << qVersion()
            << ", windows platform plug-in on Xvfb\n";
    return out.str();
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return text;
}

// latest.csv, a dated copy, and latest.md with the machine, for the read-me.
void WriteResults(const std::string& folder, const std::vector<Row>& rows,
                  const std::string& machine) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string csv = quorvane::bench::FormatCsv(rows);
    quorvane::bench::WriteFile(folder + "/latest.csv", csv);
    quorvane::bench::WriteFile(folder + "/" + Today() + ".csv", csv);
    quorvane::bench::WriteFile(folder + "/latest.md",
                               quorvane::bench::FormatMarkdown(rows) + "\n```\n" + machine + "```\n");
    std::printf("\nwritten to %s/latest.csv, %s.csv and latest.md\n", folder.c_str(),
                Today().c_str());
}

std::string TakeValue(const std::string& arg, const std::string& name) {
    return arg.rfind(name + "=", 0) == 0 ? arg.substr(name.size() + 1) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (auto v = TakeValue(arg, "--results"); !v.empty()) options.results = v;
        else if (auto v = TakeValue(arg, "--startup-runs"); !v.empty()) options.startupRuns = std::stoi(v);
        else if (auto v = TakeValue(arg, "--batch-runs"); !v.empty()) options.batchRuns = std::stoi(v);
        else if (auto v = TakeValue(arg, "--batch-requests"); !v.empty()) options.batchRequests = std::stoul(v);
        else if (auto v = TakeValue(arg, "--argument-values"); !v.empty()) options.argumentValues = std::stoul(v);
        else if (auto v = TakeValue(arg, "--wine-build"); !v.empty()) options.wineBuild = v;
        else if (auto v = TakeValue(arg, "--wine-kit"); !v.empty()) options.wineKit = v;
        else if (auto v = TakeValue(arg, "--wine-skipped"); !v.empty()) options.wineSkipped = v;
        else {
            std::fprintf(stderr, "quorvane_bench: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }

    if (options.wineBuild.empty() != options.wineKit.empty()) {
        std::fprintf(stderr, "quorvane_bench: --wine-build and --wine-kit go together\n");
        return 2;
    }
    if (options.wineBuild.empty() && options.wineSkipped.empty())
        options.wineSkipped = "skipped, no Windows build named (--wine-build)";

    QTemporaryDir workDir;
    const std::string work = workDir.path().toStdString();
    const std::string loadBefore = ReadLine("/proc/loadavg");
    std::vector<Row> rows;
    try {
        CoreRows(work, rows);
        KeystrokeRows(work, rows);
        CatalogueRows(work, rows);
        LongItemRows(work, rows);
        StartupRows(options, work, rows);
        try {
            WineStartupRows(options, work, rows);
        } catch (const std::exception& error) {
            // The Linux rows stand on their own: a Wine that cannot show the
            // window costs its row, not the table.
            options.wineSkipped = std::string("failed: ") + error.what();
            options.wineBuild.clear();
            Progress("start-up under Wine: " + options.wineSkipped);
        }
        BatchRows(options, work, rows);
        ArgumentRows(options, work, rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane_bench: %s\n", error.what());
        return 1;
    }
    const std::string machine = Machine(loadBefore, ReadLine("/proc/loadavg"), options);

    std::printf("\n%s\n%s", quorvane::bench::FormatTable(rows).c_str(), machine.c_str());

    if (!options.results.empty()) {
        try {
            WriteResults(options.results, rows, machine);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "quorvane_bench: %s\n", error.what());
            return 1;
        }
    }
    int missed = 0;
    for (const Row& row : rows) missed += row.met().value_or(true) ? 0 : 1;
    if (missed > 0) std::printf("\n%d goal(s) missed\n", missed);
    return 0;
}
