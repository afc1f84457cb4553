// The conversion cores and the field-number reader, one call per iteration,
// against the least any text-to-text conversion must do: read one number
// with std::from_chars and write one result with std::to_chars.

#include "conversion/FieldNumbers.h"
#include "conversion/StardateArithmetic.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>

namespace {

// Cycling through varied inputs keeps the branch predictor from learning
// one path; every benchmark walks the same kind of list.
constexpr std::array<std::string_view, 16> kStardates = {
    "41153.7", "0",        "-5",     "42082.2", "42998.7", "41998.7", "51234.5", "75345.2",
    "99999.9", "12345.6",  "47457.1", "-311.4", "56844.9", "1000",    "43989.1", "7676998.5"};

struct EarthDate {
    std::string_view year, month, day, dayOfYear;
    quorvane::EntryMode mode;
};

constexpr std::array<EarthDate, 16> kEarthDates = {{
    {"2364", "2", "26", "57", quorvane::EntryMode::MonthDay},
    {"1998", "5", "7", "127", quorvane::EntryMode::MonthDay},
    {"2365", "1", "31", "31", quorvane::EntryMode::MonthDay},
    {"2063", "4", "5", "95", quorvane::EntryMode::MonthDay},
    {"2423", "1", "1", "1", quorvane::EntryMode::MonthDay},
    {"2365", "12", "31", "366", quorvane::EntryMode::DayOfYear},
    {"2151", "4", "16", "106", quorvane::EntryMode::MonthDay},
    {"2000", "2", "29", "60", quorvane::EntryMode::MonthDay},
    {"2371", "7", "4", "185", quorvane::EntryMode::DayOfYear},
    {"1", "1", "1", "1", quorvane::EntryMode::MonthDay},
    {"9999", "12", "31", "365", quorvane::EntryMode::MonthDay},
    {"2293", "9", "12", "255", quorvane::EntryMode::DayOfYear},
    {"2400", "2", "29", "60", quorvane::EntryMode::MonthDay},
    {"2366", "6", "15", "166", quorvane::EntryMode::MonthDay},
    {"2024", "10", "1", "275", quorvane::EntryMode::DayOfYear},
    {"2323", "1", "1", "1", quorvane::EntryMode::MonthDay},
}};

constexpr std::array<std::string_view, 16> kFieldTexts = {
    "2364", "1998", "2.5",  "3.5",  "-2.5", "100000", "12",  "31",
    "366",  "9999", "2063", "0",    "abc",  "-1",     "2400", "2364.5"};

constexpr std::size_t kMask = 15;

// Text in, text out, with nothing but the number's reading and writing.
void BM_Baseline_FromCharsToChars(benchmark::State& state) {
    std::size_t i = 0;
    char out[32];
    for (auto _ : state) {
        const std::string_view text = kStardates[i++ & kMask];
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        const auto written = std::to_chars(out, out + sizeof out, value, std::chars_format::fixed, 1);
        benchmark::DoNotOptimize(out);
        benchmark::DoNotOptimize(written.ptr);
    }
}

void BM_EarthDateFromStardate(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto texts = quorvane::EarthDateFromStardate(kStardates[i++ & kMask], false, "100000");
        benchmark::DoNotOptimize(texts);
    }
}

void BM_StardateFromEarthDate(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const EarthDate& date = kEarthDates[i++ & kMask];
        quorvane::EarthDateInput input;
        input.year = date.year;
        input.mode = date.mode;
        input.month = date.month;
        input.day = date.day;
        input.dayOfYear = date.dayOfYear;
        input.resetWrap = true;
        input.resetText = "100000";
        auto result = quorvane::StardateFromEarthDate(input);
        benchmark::DoNotOptimize(result);
    }
}

void BM_ReadInt32Field(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        auto value = quorvane::ReadInt32Field(kFieldTexts[i++ & kMask]);
        benchmark::DoNotOptimize(value);
    }
}

// Medians of several repetitions: one slow repetition on a shared machine
// must not decide the figure.
void Repeated(benchmark::internal::Benchmark* b) {
    b->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);
}

}  // namespace

BENCHMARK(BM_Baseline_FromCharsToChars)->Apply(Repeated);
BENCHMARK(BM_EarthDateFromStardate)->Apply(Repeated);
BENCHMARK(BM_StardateFromEarthDate)->Apply(Repeated);
BENCHMARK(BM_ReadInt32Field)->Apply(Repeated);

BENCHMARK_MAIN();
