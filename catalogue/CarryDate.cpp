#include "catalogue/CarryDate.h"

#include "catalogue/TaggedValue.h"

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

}  // namespace quorvane
