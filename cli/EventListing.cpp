#include "cli/EventListing.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/FileLocation.h"
#include "catalogue/TaggedValue.h"
#include "cli/Conversions.h"
#include "conversion/FieldNumbers.h"
#include "conversion/StardateArithmetic.h"

namespace quorvane::cli {

namespace {

// A tab or line break inside an item would split the line for a reader.
void AppendField(std::string& out, std::string_view text) {
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

struct EventDates {
    std::string held;   // as the record holds it
    std::string other;  // in the other calendar; empty when out of range
};

// The data list hands the main window the same texts: a stardate as its
// shortest decimal, an Earth date as year, month and day.
EventDates DatesOf(const clsStarData& record, const ConversionOptions& options) {
    const TaggedValue date = record.SEDate();
    if (record.IsStarDate()) {
        EventDates dates{ShortestDecimal(date.number()), {}};
        const EarthDateTexts earth = EarthDateFor(dates.held, options);
        if (!earth.empty()) dates.other = IsoDateOf(earth);
        return dates;
    }
    const DateValue& earth = date.date();
    EventDates dates{FormatIsoDate({earth.year, earth.month, earth.day}), {}};
    const StardateResult stardate =
        StardateFor(FormatInteger(earth.year), EntryMode::MonthDay, FormatInteger(earth.month),
                    FormatInteger(earth.day), {}, options);
    if (stardate.ok()) dates.other = stardate.stardate;
    return dates;
}

}  // namespace

bool ListEvents(const std::string& path, const ConversionOptions& options, std::string& listing,
                std::vector<std::string>& problems) {
    const CatalogueLoad load = LoadCatalogue(path);
    const std::string message = CatalogueMessage(GetFileName(path), load);
    if (!message.empty()) problems.push_back(message);
    if (load.status != FileReadStatus::Ok) {
        if (message.empty()) problems.push_back(path + ": cannot be read");
        return false;
    }

    const std::vector<clsStarData>& records = load.content.records;
    for (const std::size_t index : TitleOrder(records)) {
        const clsStarData& record = records[index];
        const EventDates dates = DatesOf(record, options);
        AppendField(listing, record.Title());
        listing += '\t';
        listing += dates.held;
        listing += '\t';
        listing += dates.other;
        listing += '\t';
        AppendField(listing, ToText(record.Source()));
        listing += '\n';
    }
    return message.empty();
}

}  // namespace quorvane::cli
