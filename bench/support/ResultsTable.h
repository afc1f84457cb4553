#pragma once
// The benchmark table: one row per figure, each beside the baseline measured
// in the same run, with its goal and whether the goal is met.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::bench {

// Median of the values; 0 for none. Even counts take the mean of the two
// middle values.
double Median(std::vector<double> values);

struct Goal {
    std::optional<double> below;       // the value itself must stay below this
    std::optional<double> ratioAtMost;  // and its ratio to the baseline at most this
    std::string text;                  // as printed, e.g. "< 1 µs, ≤ 3× baseline"
};

// A ratio taken pair by pair: each pair measures the baseline and the row
// back to back, so a slow spell of the machine falls on both of a pair.
struct PairedRatio {
    double median = 0;  // of the pairs' ratios
    double low = 0;     // the least and the greatest of them
    double high = 0;
    std::size_t pairs = 0;
};

// The pairs' ratios, value over baseline (baseline over value for rates);
// pairs with a figure of 0 or less are left out.
PairedRatio RatioOfPairs(const std::vector<std::pair<double, double>>& valueAndBaseline,
                         bool higherIsBetter = false);

struct Row {
    std::string name;
    double value = 0;
    double baseline = 0;
    std::string unit;               // of value and baseline
    bool higherIsBetter = false;    // rates: the ratio is then baseline / value
    std::optional<Goal> goal;       // none: the figure is reported only
    std::optional<PairedRatio> paired = std::nullopt;  // the ratio's own measurement, when taken in pairs

    // How many times the baseline's cost this row's figure is: the median of
    // the pairs' ratios where it was measured in pairs, else value over
    // baseline, or baseline over value for rates. 0 without a baseline.
    double ratio() const;
    // Empty without a goal.
    std::optional<bool> met() const;
};

// The table as fixed-width text, for the terminal.
std::string FormatTable(const std::vector<Row>& rows);

// The table as CSV: row,value,baseline,unit,ratio,goal,met,ratio_low,
// ratio_high,pairs (the last three empty unless the ratio was taken in
// pairs). Fields are quoted where they hold a comma or a quote.
std::string FormatCsv(const std::vector<Row>& rows);

// The table in Markdown, for the read-me.
std::string FormatMarkdown(const std::vector<Row>& rows);

// A short number: three significant digits at most below 1000, whole
// numbers above.
std::string FormatNumber(double value);

}  // namespace quorvane::bench
