#include "cli/EventListing.h"

#include <algorithm>

#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueMessages.h"
#include "catalogue/CatalogueReader.h"
#include "files/FileLocation.h"
#include "catalogue/TaggedValue.h"
#include "cli/Conversions.h"

namespace quorvane::cli {

namespace {

// A tab or line break inside an item would split the line for a reader.
void AppendTsvField(std::string& out, std::string_view text) {
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

struct EventDates {
    std::string held;   // as the record holds it
    std::string other;  // in the other calendar; empty when out of range
};

// The held date as the editor's date column shows it.
EventDates DatesOf(const clsStarData& record, const ConversionOptions& options) {
    const EventDate date = DateOf(record);
    return {DateCellText(date), OtherCalendarText(date, options.switches())};
}

void AppendTsv(std::string& out, const clsStarData& record, const EventDates& dates) {
    AppendTsvField(out, record.Title());
    out += '\t';
    out += dates.held;
    out += '\t';
    out += dates.other;
    out += '\t';
    AppendTsvField(out, ToText(record.Source()));
    out += '\n';
}

constexpr std::string_view kCsvHeader = "title,detail,date,converted,source\r\n";

void AppendCsv(std::string& out, const clsStarData& record, const EventDates& dates) {
    AppendCsvField(out, record.Title());
    out += ',';
    AppendCsvField(out, record.Detail());
    out += ',';
    out += dates.held;
    out += ',';
    out += dates.other;
    out += ',';
    AppendCsvField(out, ToText(record.Source()));
    out += "\r\n";
}

// Dates stay strings: a stardate keeps the decimal the window shows, which a
// reader's binary floating point need not.
void AppendJson(std::string& out, const clsStarData& record, const EventDates& dates) {
    out += "{\"title\": ";
    AppendJsonString(out, record.Title());
    out += ", \"detail\": ";
    AppendJsonString(out, record.Detail());
    out += ", \"date\": ";
    AppendJsonString(out, dates.held);
    out += ", \"converted\": ";
    if (dates.other.empty()) {
        out += "null";
    } else {
        AppendJsonString(out, dates.other);
    }
    out += ", \"source\": ";
    AppendJsonString(out, ToText(record.Source()));
    out += '}';
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;  // UTF-8 passes as it is
                }
        }
    }
    out += '"';
}

bool ListEvents(const std::string& path, const ConversionOptions& options, ListingFormat format,
                std::string& listing, std::vector<std::string>& problems) {
    // Read as the event list and the editor read it, so that all three
    // show the same events and say the same about the file.
    DocumentLoad document = ReadCatalogueDocument(path);
    const CatalogueLoad& load = document.reading;
    const std::string message = CatalogueMessage(GetFileName(path), load);
    if (!message.empty()) problems.push_back(message);
    if (load.status != FileReadStatus::Ok) {
        if (message.empty()) problems.push_back(path + ": cannot be read");
        return false;
    }

    std::vector<EventRow>& rows = document.document.rows;
    const std::vector<std::size_t> order =
        TitleOrder(rows.size(), [&rows](std::size_t i) { return std::string_view(rows[i].title); });
    if (format == ListingFormat::Csv) listing += kCsvHeader;
    if (format == ListingFormat::Json) listing += '[';
    bool first = true;
    for (const std::size_t index : order) {
        const clsStarData record = RecordOf(std::move(rows[index]));
        const EventDates dates = DatesOf(record, options);
        switch (format) {
            case ListingFormat::Tsv: AppendTsv(listing, record, dates); break;
            case ListingFormat::Csv: AppendCsv(listing, record, dates); break;
            case ListingFormat::Json:
                listing += first ? "\n  " : ",\n  ";
                AppendJson(listing, record, dates);
                break;
        }
        first = false;
    }
    if (format == ListingFormat::Json) listing += first ? "]\n" : "\n]\n";
    return message.empty();
}

bool CheckCatalogue(const std::string& path, std::string& report, std::string& unreadable) {
    const FileBytes file = ReadCatalogueBytes(path);
    if (file.status != FileReadStatus::Ok) {
        CatalogueLoad load;
        load.status = file.status;
        unreadable = CatalogueMessage(GetFileName(path), load);
        return false;
    }
    // The reading the list and the editor make of the file.
    std::vector<std::size_t> rowLines;
    const DocumentLoad document = ParseCatalogueDocument(file.bytes, &rowLines);
    const CatalogueContent& content = document.reading.content;

    struct Finding {
        std::size_t line;
        std::string text;
    };
    std::vector<Finding> findings;
    findings.reserve(content.problems.size());
    for (const CatalogueProblem& problem : content.problems)
        findings.push_back({problem.line, std::string(ProblemReason(problem.kind, content.encoding))});
    // Items the reader takes but the editor could not write back: the list
    // shows them, and a save would be refused.
    const std::vector<EventRow>& rows = document.document.rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string* items[] = {&rows[r].title, &rows[r].detail, nullptr, &rows[r].source};
        for (std::size_t i = 0; i < 4; ++i) {
            if (!items[i]) continue;
            const std::size_t bad = FirstUnwritableByte(*items[i]);
            if (bad == std::string::npos) continue;
            findings.push_back({rowLines[r],
                                CatalogueWords(CatalogueWording::ItemNotWritable, ActiveUiLanguage(),
                                               {std::to_string(i + 1),
                                                UnwritableReason(items[i]->substr(bad, 1))})});
        }
    }
    // Kept in reading order, which a problem found at a group's end can
    // put after a later line's.
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    for (const Finding& finding : findings) {
        report += path;
        report += ':';
        report += std::to_string(finding.line);
        report += ": ";
        report += finding.text;
        report += '\n';
    }
    if (content.unlistedProblems > 0) {
        report += path + ": " +
                  CatalogueWordsN(CatalogueWording::MoreProblems, content.unlistedProblems,
                                  ActiveUiLanguage(), {std::to_string(kMaxCatalogueProblems)}) +
                  '\n';
    }
    return findings.empty() && content.unlistedProblems == 0;
}

}  // namespace quorvane::cli
