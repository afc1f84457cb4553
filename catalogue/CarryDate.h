#pragma once
// How an event's date reaches the converter, the same from every window:
// month-day entry, the focus on the date's side, then the date, which the
// converter turns into the other calendar as it does typed input.

#include "catalogue/CatalogueDocument.h"
#include "conversion/Converter.h"

namespace quorvane {

void CarryDate(Converter& converter, const EventDate& date);

}  // namespace quorvane
