#include "support/UserProfile.h"

#include "services/IniFormat.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorvane::testing {

namespace {

const wchar_t kStoreKey[] = L"Software\\OvrekSoft\\Quorvane";
const wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring Wide(const QString& text) { return text.toStdWString(); }

void SetText(const std::wstring& key, const std::wstring& name, const std::wstring& text,
             DWORD type = REG_SZ) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

}  // namespace

// The shell reads the AppData folder from HKEY_CURRENT_USER too, so the
// overridden key moves it as well (UseUserDataFolder).
PrivateUserProfile::PrivateUserProfile()
    : m_key(QStringLiteral("Software\\Quorvane test run %1")
                .arg(QCoreApplication::applicationPid())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(m_key).c_str());
    HKEY own = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(m_key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &own, nullptr) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, own) != ERROR_SUCCESS) {
        // Better no run at all than one on the user's own settings.
        fprintf(stderr, "cannot set up a private HKEY_CURRENT_USER\n");
        std::abort();
    }
    RegCloseKey(own);
}

PrivateUserProfile::~PrivateUserProfile() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(m_key).c_str());
}

void UseSettingsStoreIn(const QString&) { RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey); }

QString UseUserDataFolder(const QString& folder) {
    wchar_t before[MAX_PATH] = {};
    DWORD size = sizeof before;
    RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"AppData", RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                 before, &size);
    SetText(kShellFolders, L"AppData", Wide(QDir::toNativeSeparators(folder)), REG_EXPAND_SZ);
    return QDir::fromNativeSeparators(QString::fromWCharArray(before));
}

void WriteSettingsStore(const QByteArray& iniText) {
    QBuffer buffer;
    buffer.setData(iniText);
    buffer.open(QIODevice::ReadOnly);
    SettingsTexts map;
    ReadIni(buffer, map);
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString section = it.key().section(u'/', 0, 0);
        const QString key = it.key().section(u'/', 1);
        SetText(std::wstring(kStoreKey) + L"\\" + Wide(section), Wide(key), Wide(*it));
    }
}

std::optional<QString> StoredSetting(const QString& sectionAndKey) {
    const std::wstring key =
        std::wstring(kStoreKey) + L"\\" + Wide(sectionAndKey.section(u'/', 0, 0));
    const std::wstring name = Wide(sectionAndKey.section(u'/', 1));
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return QString::fromStdWString(text);
}

QStringList StoredSettingKeys() {
    QStringList keys;
    HKEY store = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &store) != ERROR_SUCCESS)
        return keys;
    wchar_t section[256];
    for (DWORD i = 0;; ++i) {
        DWORD sectionSize = 256;
        if (RegEnumKeyExW(store, i, section, &sectionSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExW(store, section, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        wchar_t name[256];
        for (DWORD j = 0;; ++j) {
            DWORD nameSize = 256;
            if (RegEnumValueW(sub, j, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            keys << QString::fromWCharArray(section) + u'/' + QString::fromWCharArray(name, nameSize);
        }
        RegCloseKey(sub);
    }
    RegCloseKey(store);
    return keys;
}

}  // namespace quorvane::testing
