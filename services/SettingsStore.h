#pragma once
// The per-user settings store: on Windows the registry under
// HKEY_CURRENT_USER\Software\<vendor>\<product>, one subkey per section and
// one REG_SZ value per key; elsewhere the file settings/SettingsFile.h names,
// in the format of settings/IniDocument.h. Either way "Section/Key"
// (SettingsKey) addresses one text, stored exactly as given.

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

namespace quorvane {

namespace settings {
struct Key;
}

// "Section/Key" to its text.
using SettingsTexts = QMap<QString, QString>;

// "Section/Key" of one of the program's keys.
QString SettingsKey(const settings::Key& key);

// Why the store did not take what it was given.
enum class SettingsProblem {
    None,
    NoFolder,         // the folder could not be created
    Busy,             // another Quorvane kept saving
    NotAFile,         // a folder, FIFO or device where the file should be
    Unreadable,       // the file there could not be read whole
    TooLarge,         // the file there is too large to read
    WouldBeTooLarge,  // the file would grow too large to be read again
    NotWritten,       // the system refused the write
};

struct SettingsWrite {
    SettingsProblem problem = SettingsProblem::None;
    QString systemReason;  // the system's own words, when it gave any

    explicit operator bool() const { return problem == SettingsProblem::None; }
};

// What went wrong and what to check, for the user; empty when nothing did.
QString DescribeSettingsProblem(const SettingsWrite& write);

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The texts of those of `keys` the store holds; a key it lacks is left
    // out. A store that cannot be read holds nothing.
    virtual SettingsTexts Read(const QStringList& keys) const = 0;

    // Sets every key of `texts` and keeps the others the store holds. Fails
    // when the store did not take them all, or holds a file it could not read
    // whole; a file is then left as it was.
    virtual SettingsWrite Write(const SettingsTexts& texts) = 0;
};

// Where the settings live, for messages; looked up afresh on every call.
QString SettingsFilePath();

// The store of the system the program runs on.
std::unique_ptr<SettingsStore> OpenSettingsStore();

}  // namespace quorvane
