#pragma once
// What other windows and the settings need from the converter, and nothing
// more: they enter dates as a user would and read or apply the options, but
// never touch its controls. Plain C++, so windows and settings code can hold
// it without knowing the main window.

#include "settings/SettingsKeys.h"
#include "conversion/StardateArithmetic.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The user's conversion options, as one value; by default those of a first
// run, with nothing stored.
struct ConverterOptions {
    bool liveConversion = settings::MissingCheck(settings::kRealTime);  // convert at every keystroke
    bool resetWrap = settings::MissingCheck(settings::kReset);  // keep stardates within the reset number
    std::string resetNumber{settings::kResetNum.missing};  // the reset number's text, as typed
    bool yearWindow = settings::MissingCheck(settings::kBase);  // move Earth years towards 1990 - 2010
    EntryMode entryMode = settings::MissingDayOfYear() ? EntryMode::DayOfYear : EntryMode::MonthDay;

    ConversionSwitches switches() const { return {resetWrap, resetNumber, yearWindow}; }

    bool operator==(const ConverterOptions&) const = default;
};

class Converter {
public:
    virtual ~Converter() = default;

    // As the user would: the focus goes into the stardate field, the text is
    // written there, and live conversion (when on) fills the Earth date.
    virtual void EnterStardate(std::string_view text) = 0;

    // A whole Earth date as one change, with the focus on the Earth side as
    // for typing: the fields never show a new year with the old month and
    // day, and live conversion (when on) runs once.
    virtual void EnterEarthDate(int year, int month, int day,
                                std::optional<int> dayOfYear = std::nullopt) = 0;

    virtual ConverterOptions Options() const = 0;

    // Through the controls, so each control's own handler runs as it would
    // for the user's click or typing.
    virtual void ApplyOptions(const ConverterOptions& options) = 0;
};

}  // namespace quorvane
