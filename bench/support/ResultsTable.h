#pragma once
// The benchmark table: one row per figure, each beside the baseline measured
// in the same run, with its goal and whether the goal is met.

#include <optional>
#include <string>
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

struct Row {
    std::string name;
    double value = 0;
    double baseline = 0;
    std::string unit;               // of value and baseline
    bool higherIsBetter = false;    // rates: the ratio is then baseline / value
    std::optional<Goal> goal;       // none: the figure is reported only

    // How many times the baseline's cost this row's figure is: value over
    // baseline, or baseline over value for rates. 0 without a baseline.
    double ratio() const;
    // Empty without a goal.
    std::optional<bool> met() const;
};

// The table as fixed-width text, for the terminal.
std::string FormatTable(const std::vector<Row>& rows);

// The table as CSV: row,value,baseline,unit,ratio,goal,met. Fields are quoted
// where they hold a comma or a quote.
std::string FormatCsv(const std::vector<Row>& rows);

// The table in Markdown, for the read-me.
std::string FormatMarkdown(const std::vector<Row>& rows);

// A short number: three significant digits at most below 1000, whole
// numbers above.
std::string FormatNumber(double value);

}  // namespace quorvane::bench
