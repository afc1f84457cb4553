#include "settings/SettingsFile.h"

#include "ProgramInfo.h"
#include "settings/SettingsKeys.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace quorvane::settings {

namespace {

// $HOME, or the user database's home when it is unset, as Qt finds it.
std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir || !*found->pw_dir)
        return {};
    return found->pw_dir;
}

}  // namespace

std::string SettingsFilePath() {
    std::string folder;
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        folder = config;
    } else {
        const std::string home = HomeFolder();
        if (home.empty()) return {};
        folder = home + "/.config";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder + '/' + std::string(kSettingsFileInConfig);
}

std::string StoredLanguageText() {
    const FileRead read = ReadSettingsFile(SettingsFilePath());
    if (read.state != FileState::Read) return {};
    const auto found = read.document.texts().find(KeyPath(kLanguage));
    if (found == read.document.texts().end()) return {};
    return ToUtf8(found->second).value_or(std::string());
}

}  // namespace quorvane::settings
