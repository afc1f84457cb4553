#pragma once
// An event's date as every window and the command line treat it. Carrying it
// to the converter: month-day entry, the focus on the date's side, then the
// date, which the converter turns into the other calendar as it does typed
// input.

#include "catalogue/CatalogueDocument.h"
#include "catalogue/clsStarData.h"
#include "conversion/Converter.h"

#include <string>

namespace quorvane {

void CarryDate(Converter& converter, const EventDate& date);

// The record's date as the document holds it.
EventDate DateOf(const clsStarData& record);

// The date in the other calendar, as the main window converts it under these
// options: a stardate's Earth date as YYYY-MM-DD, an Earth date's stardate;
// empty when it has none (outside the years 100 to 9999).
std::string OtherCalendarText(const EventDate& date, const ConversionSwitches& switches);

}  // namespace quorvane
