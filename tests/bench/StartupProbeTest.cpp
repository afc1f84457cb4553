// The probe must see the first window of both programs and end them there,
// or the start-up figures would time something else, or never come.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace {

struct ProbeRun {
    bool finished = false;
    int exitCode = -1;
    long long reportedNs = 0;
    long long startedNs = 0;
};

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

ProbeRun RunWithProbe(const QString& program) {
    QTemporaryDir config;
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", QUORVANE_BENCH_PROBE);
    env.insert("QUORVANE_STARTUP_PROBE_FD", QString::number(fds[1]));
    env.insert("XDG_CONFIG_HOME", config.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);

    ProbeRun run;
    run.startedNs = NowNs();
    process.start();
    close(fds[1]);
    // Generous: this is a liveness limit, not a speed check.
    run.finished = process.waitForFinished(60'000);
    if (!run.finished) process.kill();
    run.exitCode = process.exitCode();
    char buffer[64] = {};
    const ssize_t got = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    if (got > 0) run.reportedNs = std::atoll(buffer);
    return run;
}

TEST(StartupProbeTest, EndsTheBareWindowAtItsFirstFrame) {
    const ProbeRun run = RunWithProbe(QUORVANE_BENCH_BARE_WINDOW);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GT(run.reportedNs, run.startedNs);
}

TEST(StartupProbeTest, EndsTheProgramAtItsMainWindowsFirstFrame) {
    const ProbeRun run = RunWithProbe(QUORVANE_PROGRAM);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GT(run.reportedNs, run.startedNs);
}

}  // namespace
