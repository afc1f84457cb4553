#include "bench/support/ResultsTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace quorvane::bench {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

PairedRatio RatioOfPairs(const std::vector<std::pair<double, double>>& valueAndBaseline,
                         bool higherIsBetter) {
    std::vector<double> ratios;
    for (const auto& [value, baseline] : valueAndBaseline) {
        if (value <= 0 || baseline <= 0) continue;
        ratios.push_back(higherIsBetter ? baseline / value : value / baseline);
    }
    if (ratios.empty()) return {};
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    return {Median(ratios), *low, *high, ratios.size()};
}

double Row::ratio() const {
    if (paired && paired->pairs > 0) return paired->median;
    if (baseline <= 0 || value <= 0) return 0;
    return higherIsBetter ? baseline / value : value / baseline;
}

std::optional<bool> Row::met() const {
    if (!goal) return std::nullopt;
    bool ok = true;
    // A rate's "below" would make no sense; its goals are ratios only.
    if (goal->below) ok = ok && value < *goal->below;
    if (goal->ratioAtMost) ok = ok && ratio() > 0 && ratio() <= *goal->ratioAtMost;
    return ok;
}

std::string FormatNumber(double value) {
    char text[64];
    const double magnitude = std::fabs(value);
    if (magnitude >= 1000 || value == std::floor(value))
        std::snprintf(text, sizeof text, "%.0f", value);
    else if (magnitude >= 100)
        std::snprintf(text, sizeof text, "%.1f", value);
    else if (magnitude >= 10)
        std::snprintf(text, sizeof text, "%.2f", value);
    else
        std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

namespace {

constexpr std::array<const char*, 6> kHeadings = {"row", "value", "baseline", "ratio", "goal",
                                                  "met"};

std::array<std::string, 6> Cells(const Row& row) {
    const std::optional<bool> met = row.met();
    const double ratio = row.ratio();
    return {row.name,
            FormatNumber(row.value) + " " + row.unit,
            row.baseline > 0 ? FormatNumber(row.baseline) + " " + row.unit : "-",
            ratio <= 0 ? "-"
            : row.paired && row.paired->pairs > 0
                ? FormatNumber(ratio) + "× (" + FormatNumber(row.paired->low) + "–" +
                      FormatNumber(row.paired->high) + ", " + std::to_string(row.paired->pairs) +
                      " pairs)"
                : FormatNumber(ratio) + "×",
            row.goal ? row.goal->text : "-",
            met ? (*met ? "yes" : "NO") : "-"};
}

// Columns line up by characters, not bytes: µ, ≤ and × are one each.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string FormatTable(const std::vector<Row>& rows) {
    std::vector<std::array<std::string, 6>> lines;
    lines.push_back({});
    for (std::size_t i = 0; i < kHeadings.size(); ++i) lines.back()[i] = kHeadings[i];
    for (const Row& row : rows) lines.push_back(Cells(row));

    std::array<std::size_t, 6> widths{};
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));

    std::string out;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        for (std::size_t i = 0; i < lines[n].size(); ++i) {
            // Figures right-aligned, words left-aligned.
            const bool right = i >= 1 && i <= 3;
            const std::string padding(widths[i] - Width(lines[n][i]), ' ');
            out += right ? padding + lines[n][i] : lines[n][i] + padding;
            out += i + 1 < lines[n].size() ? "  " : "";
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
        if (n == 0) {
            std::size_t total = 0;
            for (std::size_t width : widths) total += width + 2;
            out += std::string(total - 2, '-') + '\n';
        }
    }
    return out;
}

std::string FormatCsv(const std::vector<Row>& rows) {
    std::string out = "row,value,baseline,unit,ratio,goal,met,ratio_low,ratio_high,pairs\n";
    char number[64];
    for (const Row& row : rows) {
        const std::optional<bool> met = row.met();
        out += Quoted(row.name) + ',';
        std::snprintf(number, sizeof number, "%.6g", row.value);
        out += std::string(number) + ',';
        if (row.baseline > 0) {
            std::snprintf(number, sizeof number, "%.6g", row.baseline);
            out += number;
        }
        out += ',' + Quoted(row.unit) + ',';
        if (row.ratio() > 0) {
            std::snprintf(number, sizeof number, "%.3f", row.ratio());
            out += number;
        }
        out += ',' + Quoted(row.goal ? row.goal->text : std::string()) + ',';
        out += met ? (*met ? "yes" : "no") : "";
        out += ',';
        if (row.paired && row.paired->pairs > 0) {
            std::snprintf(number, sizeof number, "%.3f,%.3f,%zu", row.paired->low,
                          row.paired->high, row.paired->pairs);
            out += number;
        } else {
            out += ",,";
        }
        out += '\n';
    }
    return out;
}

std::string FormatMarkdown(const std::vector<Row>& rows) {
    std::string out = "| row | value | baseline | ratio | goal | met |\n";
    out += "|---|---:|---:|---:|---|---|\n";
    for (const Row& row : rows) {
        const auto cells = Cells(row);
        out += '|';
        for (const std::string& cell : cells) out += ' ' + cell + " |";
        out += '\n';
    }
    return out;
}

}  // namespace quorvane::bench
