// The pieces the figures rest on: the memory high-water mark taken for one
// step, and the batch baseline answering every request it is given.

#include "bench/support/ProcessMemory.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using quorvane::bench::PeakKib;
using quorvane::bench::ResetPeak;
using quorvane::bench::ResidentKib;

constexpr std::int64_t kStepKib = 64 * 1024;

TEST(ProcessMemoryTest, PeakOfOneStepIsWhatThatStepTouched) {
    {
        // An earlier, larger peak that must not count against the step.
        auto earlier = std::make_unique<char[]>(2 * kStepKib * 1024);
        std::memset(earlier.get(), 1, 2 * kStepKib * 1024);
    }
    ASSERT_TRUE(ResetPeak());
    const std::int64_t before = ResidentKib();
    EXPECT_LT(PeakKib() - before, kStepKib / 2);
    {
        auto step = std::make_unique<char[]>(kStepKib * 1024);
        std::memset(step.get(), 1, kStepKib * 1024);
    }
    const std::int64_t growth = PeakKib() - before;
    EXPECT_GE(growth, kStepKib * 9 / 10);
    EXPECT_LT(growth, kStepKib * 3 / 2);
}

QStringList Answers(const QByteArray& requests) {
    QProcess floor;
    floor.start(QUORVANE_BENCH_BATCH_FLOOR, QStringList());
    floor.write(requests);
    floor.closeWriteChannel();
    EXPECT_TRUE(floor.waitForFinished(30'000));
    EXPECT_EQ(floor.exitCode(), 0);
    return QString::fromLatin1(floor.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

TEST(BatchFloorTest, AnswersEveryLineTheLastOneWithoutLineBreakToo) {
    EXPECT_EQ(Answers("sd 41153.7\nmd 2364 2 26\nyd 2365 366"),
              (QStringList{"41153.7", "2364.0", "2365.0"}));
}

TEST(BatchFloorTest, AnswersLinesLongerThanItsBuffer) {
    QByteArray requests;
    const QByteArray padding(200'000, ' ');
    requests += "sd 1.5" + padding + "\n";
    requests += "sd 2.5\n";
    EXPECT_EQ(Answers(requests), (QStringList{"1.5", "2.5"}));
}

}  // namespace
