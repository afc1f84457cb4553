#pragma once
// The per-user settings store: on Windows the registry under
// HKEY_CURRENT_USER\Software\OvrekSoft\Quorvane, elsewhere the file
// <user config folder>/OvrekSoft/Quorvane.conf in the format of IniFormat.h.
// Either way "Section/Key" addresses one text.

#include <QSettings>
#include <QString>
#include <memory>

namespace quorvane {

// Where the settings live, for messages; looked up afresh on every call.
QString SettingsFilePath();

// A fresh handle on the store. Writes reach it at sync() or when the handle
// goes; a file is replaced in one step, so a failed write leaves it whole.
std::unique_ptr<QSettings> OpenSettingsStore();

}  // namespace quorvane
