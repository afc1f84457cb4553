#include "services/SettingsStore.h"

#include "services/win32/SettingsRegistry.h"

#include <QtGlobal>
#include <vector>

namespace quorvane {

namespace {

// "Section/Key": the section before the first "/", the value name after it.
struct Address {
    std::wstring section;
    std::wstring name;
};

Address AddressOf(const QString& key) {
    const qsizetype slash = key.indexOf(u'/');
    if (slash < 0) return {std::wstring(), key.toStdWString()};
    return {key.first(slash).toStdWString(), key.sliced(slash + 1).toStdWString()};
}

class SettingsRegistry final : public SettingsStore {
public:
    SettingsTexts Read(const QStringList& keys) const override {
        SettingsTexts texts;
        for (const QString& key : keys) {
            const Address at = AddressOf(key);
            if (const auto text = win32::ReadSettingsText(win32::kSettingsKey, at.section, at.name))
                texts.insert(key, QString::fromStdWString(*text));
        }
        return texts;
    }

    SettingsWrite Write(const SettingsTexts& texts) override {
        std::vector<win32::SettingsText> entries;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            Address at = AddressOf(it.key());
            entries.push_back({std::move(at.section), std::move(at.name), it.value().toStdWString()});
        }
        unsigned long error = 0;
        if (win32::WriteSettingsTexts(win32::kSettingsKey, entries, &error)) return {};
        return {SettingsProblem::NotWritten, error ? qt_error_string(int(error)) : QString()};
    }
};

}  // namespace

QString SettingsFilePath() {
    return QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromStdWString(std::wstring(win32::kSettingsKey));
}

std::unique_ptr<SettingsStore> OpenSettingsStore() { return std::make_unique<SettingsRegistry>(); }

}  // namespace quorvane
