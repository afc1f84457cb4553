#include "cli/System.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "cli/Conversions.h"
#include "settings/SettingsFile.h"
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

// Through the window's own reader, so that both take every way of writing
// the setting alike.
std::string LanguageSetting() { return settings::StoredLanguageText(); }

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
