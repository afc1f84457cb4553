#pragma once
// Remembers the main window's position and the user's conversion options from
// one run to the next, in the per-user INI file
// <user config folder>/OvrekSoft/Quorvane.conf.

#include <QPoint>
#include <QString>

class QWidget;
class frmMain;

namespace quorvane {

// Where the settings live; looked up afresh on every call.
QString SettingsFilePath();

// Reads the store and sets the window's position and controls. Setting a
// control raises its own notifications, so the window's handlers bring the
// enabled states into line. Anything missing or unreadable reads as its
// default; nothing here fails.
void RestoreWindowSettings(frmMain& window);

// Writes every key, whether or not it changed. The file is replaced in one
// step, so a failed save leaves the previous file as it was. Returns false
// when the store could not be written.
bool SaveWindowSettings(const frmMain& window);

// The outer top-left corner for `window` at `wanted` (pixels), moved onto
// the nearest screen when its title bar would be out of reach on every one.
QPoint ReachablePosition(const QWidget& window, QPoint wanted);

}  // namespace quorvane
