#include "catalogue/CarryDate.h"

#include "catalogue/TaggedValue.h"
#include "conversion/FieldNumbers.h"

#include <variant>

namespace quorvane {

void CarryDate(Converter& converter, const EventDate& date) {
    ConverterOptions options = converter.Options();
    options.entryMode = EntryMode::MonthDay;
    converter.ApplyOptions(options);
    if (const double* stardate = std::get_if<double>(&date)) {
        converter.EnterStardate(ShortestDecimal(*stardate));
    } else {
        const DateValue& earth = std::get<DateValue>(date);
        converter.EnterEarthDate(earth.year, earth.month, earth.day);
    }
}

EventDate DateOf(const clsStarData& record) {
    const TaggedValue date = record.SEDate();
    if (record.IsStarDate()) return date.number();
    return date.date();
}

std::string OtherCalendarText(const EventDate& date, const ConversionSwitches& switches) {
    // The same texts the main window's fields receive when the date is carried.
    std::string text;
    if (const double* stardate = std::get_if<double>(&date)) {
        const EarthDateTexts earth = EarthDateFor(ShortestDecimal(*stardate), switches);
        if (!earth.empty()) AppendIsoDate(earth, text);
        return text;
    }
    const DateValue& earth = std::get<DateValue>(date);
    const std::string year = FormatInteger(earth.year);
    const std::string month = FormatInteger(earth.month);
    const std::string day = FormatInteger(earth.day);
    return StardateFromEarthDate(EarthDateInputOf(year, EntryMode::MonthDay, month, day, {}, switches))
        .stardate;
}

}  // namespace quorvane
