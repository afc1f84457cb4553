#pragma once
// The per-user settings store: on Windows the registry under
// HKEY_CURRENT_USER\Software\OvrekSoft\Quorvane, one subkey per section and
// one REG_SZ value per key; elsewhere the file
// <user config folder>/OvrekSoft/Quorvane.conf in the format of IniFormat.h.
// Either way "Section/Key" addresses one text, stored exactly as given.

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

namespace quorvane {

// "Section/Key" to its text.
using SettingsTexts = QMap<QString, QString>;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The texts of those of `keys` the store holds; a key it lacks is left
    // out. A store that cannot be read holds nothing.
    virtual SettingsTexts Read(const QStringList& keys) const = 0;

    // Sets every key of `texts` and keeps the others the store holds. False
    // when the store did not take them all, or holds a file it could not read
    // whole; a file is then left as it was.
    virtual bool Write(const SettingsTexts& texts) = 0;
};

// Where the settings live, for messages; looked up afresh on every call.
QString SettingsFilePath();

// The store of the system the program runs on.
std::unique_ptr<SettingsStore> OpenSettingsStore();

}  // namespace quorvane
