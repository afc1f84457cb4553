#include "cli/System.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

#include "files/FileLocation.h"
#include "files/RegularFile.h"
#include "cli/Conversions.h"
#include "settings/SettingsKeys.h"
#include "language/UiLanguage.h"

namespace quorvane::cli {

const std::string_view kLineEnd = "\n";

std::vector<std::string_view> CommandLineArguments(int argc, char** argv,
                                                   std::vector<std::string>&) {
    // Taken as they are: with 100,000 values a copy costs about as much as
    // converting them.
    return std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepareStandardStreams() {}

CivilDate LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday};
}

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    while (true) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return ".";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            std::string path(buffer.data(), static_cast<std::size_t>(n));
            const auto slash = path.rfind('/');
            return slash == 0 ? "/" : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

// The window's settings file, where Qt puts an application's configuration.
std::string SettingsFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return {};
        folder = std::string(home) + "/.config";
    }
    return folder + "/OvrekSoft/Quorvane.conf";
}

// The whole file, or nothing: a pipe or a device in its place must not
// block or spin, and the window reads a file over this size as empty.
std::optional<std::string> ReadSmallRegularFile(const std::string& path) {
    constexpr std::uintmax_t kLimit = 16 * 1024 * 1024;
    RegularFile file(PathFromUtf8(path));
    if (file.state() != RegularFileState::Open || file.size() > kLimit) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::ptrdiff_t n = file.read(bytes.data() + got, bytes.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

// One key of one section, read as the window's settings reader reads a
// plain text: the last line naming it wins.
std::string LanguageSetting() {
    const std::string path = SettingsFilePath();
    if (path.empty()) return {};
    const std::optional<std::string> file = ReadSmallRegularFile(path);
    if (!file) return {};
    std::string_view text = *file;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::string wantedSection = "[" + std::string(settings::kLanguage.section) + "]";
    bool inSection = false;
    std::string value;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            inSection = line == wantedSection;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos ||
            TrimBlanks(line.substr(0, equals)) != settings::kLanguage.name)
            continue;
        std::string_view raw = TrimBlanks(line.substr(equals + 1));
        if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') raw = raw.substr(1, raw.size() - 2);
        value = std::string(raw);
    }
    return value;
}

std::vector<std::string> PreferredUiLanguages() {
    return PosixPreferredLanguages([](const char* name) { return std::getenv(name); });
}

void WriteText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

std::ptrdiff_t BatchStreams::read(char* buffer, std::size_t size) {
    while (true) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A non-blocking standard input: wait for it instead of spinning.
            pollfd pfd{STDIN_FILENO, POLLIN, 0};
            ::poll(&pfd, 1, -1);
            continue;
        }
        m_error = std::strerror(errno);
        return -1;
    }
}

bool BatchStreams::inputWaiting() {
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    while (true) {
        const int ready = ::poll(&pfd, 1, 0);
        if (ready >= 0) return ready > 0;
        if (errno != EINTR) return false;
    }
}

bool BatchStreams::write(std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data() + written, text.size() - written);
        if (n >= 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd pfd{STDOUT_FILENO, POLLOUT, 0};
            ::poll(&pfd, 1, -1);
            continue;
        }
        m_error = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace quorvane::cli
