#pragma once
// Remembers the main window's position and the user's conversion options from
// one run to the next, in the per-user settings store (services/SettingsStore.h).

#include "conversion/Converter.h"
#include "services/SettingsStore.h"
#include "widgets/WindowPlacement.h"

#include <QPoint>
#include <QStringList>

class QWidget;
class frmMain;

namespace quorvane {

// What the store holds, as one value.
struct StoredSettings {
    ConverterOptions options;
    double topTwips = 100;   // outer position, in twips
    double leftTwips = 100;

    bool operator==(const StoredSettings&) const = default;
};

// Every key the window reads and writes, as "Section/Key".
QStringList StoredSettingsKeys();

// A missing key reads as its default (ConverterOptions' own, and 100 for a
// position). A check box or the entry mode whose text is neither of its two
// words keeps its value from `unrecognised` (the window's state as created);
// a position that is no number reads as 100.
StoredSettings ReadStoredSettings(const SettingsTexts& stored, const ConverterOptions& unrecognised);

// Every key, whether or not it changed, and "SoftInfo/Vertion".
SettingsTexts StoredTexts(const StoredSettings& settings);

// Reads the store and sets the window's position and controls. Setting a
// control raises its own notifications, so the window's handlers bring the
// enabled states into line. Anything missing or unreadable reads as its
// default; nothing here fails.
void RestoreWindowSettings(frmMain& window);

// Writes every key. A failed save leaves the previous store as it was and
// says why.
SettingsWrite SaveWindowSettings(const frmMain& window);

}  // namespace quorvane
