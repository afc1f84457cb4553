#pragma once
// What the per-user settings hold, written once: the sections, the keys, the
// text a missing key reads as, and the words the options are stored as. The
// settings file, the Windows registry and ConverterOptions' defaults all
// take them from here. "Section/Key" names one key wherever a key is a
// single text (KeyPath).

#include "ProgramInfo.h"

#include <array>
#include <string>
#include <string_view>

namespace quorvane::settings {

inline constexpr std::string_view kTrue = "True";
inline constexpr std::string_view kFalse = "False";
inline constexpr std::string_view kYearDay = "YearDay";
inline constexpr std::string_view kMonthDay = "Month-Day";

inline constexpr std::string_view kWindowSection = "Window";
inline constexpr std::string_view kOptionSection = kOptionSectionName;
inline constexpr std::string_view kSoftInfoSection = "SoftInfo";
inline constexpr std::string_view kEditorSection = "Editor";

struct Key {
    std::string_view section;
    std::string_view name;
    std::string_view missing;  // the text a missing key reads as
};

inline constexpr Key kTop{kWindowSection, "Top", "100"};
inline constexpr Key kLeft{kWindowSection, "Left", "100"};
inline constexpr Key kReset{kOptionSection, "Reset", kTrue};
inline constexpr Key kResetNum{kOptionSection, "ResetNum", "100000"};
inline constexpr Key kRealTime{kOptionSection, "RealTime", kTrue};
inline constexpr Key kBase{kOptionSection, "Base", kTrue};
inline constexpr Key kDayOpt{kOptionSection, "DayOpt", kYearDay};
// The face chosen by the user (a face's code, exactly); anything else follows
// the system. Written by the installer, `quorvane --language` or the user,
// never at a close.
inline constexpr Key kLanguage{kOptionSection, kLanguageKeyName, ""};
// The fingerprint of the program's own catalogue whose new events the user
// was last offered for their copy; written by the catalogue editor. Each
// face's copy has its own answer, the Japanese one under the key it always had.
inline constexpr Key kOfferedEvents{kOptionSection, "OfferedEvents", ""};
inline constexpr Key kOfferedEnglishEvents{kOptionSection, "OfferedEvents_en", ""};
// The version of the program that saved last; never read back.
inline constexpr Key kVersion{kSoftInfoSection, "Vertion", ""};

// The editor's window: outer position and client size in twips. The editor
// itself decides what a missing one means.
inline constexpr Key kEditorTop{kEditorSection, "Top", ""};
inline constexpr Key kEditorLeft{kEditorSection, "Left", ""};
inline constexpr Key kEditorWidth{kEditorSection, "Width", ""};
inline constexpr Key kEditorHeight{kEditorSection, "Height", ""};

// Every key the main window writes at its close, in the order it writes them.
inline constexpr std::array<Key, 8> kWindowKeys{kTop,      kLeft, kReset,  kResetNum,
                                                kRealTime, kBase, kDayOpt, kVersion};

// Every key the program reads or writes.
inline constexpr std::array<Key, 15> kAllKeys{
    kTop,           kLeft,          kReset,          kResetNum,      kRealTime,
    kBase,          kDayOpt,        kLanguage,       kOfferedEvents, kOfferedEnglishEvents,
    kVersion,       kEditorTop,     kEditorLeft,     kEditorWidth,   kEditorHeight};

// "Section/Key", as the settings file's reader names a key.
inline std::string KeyPath(const Key& key) {
    return std::string(key.section) + '/' + std::string(key.name);
}

// What a first run starts with, as the options' own defaults.
inline constexpr bool MissingCheck(const Key& key) { return key.missing == kTrue; }
inline constexpr bool MissingDayOfYear() { return kDayOpt.missing == kYearDay; }

}  // namespace quorvane::settings
