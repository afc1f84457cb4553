#include "cli/System.h"

#include <fcntl.h>
#include <io.h>
// windows.h first: the other Windows headers build on it.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "cli/Conversions.h"
#include "settings/SettingsKeys.h"
#include "services/win32/SettingsRegistry.h"
#include "services/win32/WideText.h"

namespace quorvane::cli {

using win32::ErrorText;
using win32::ToUtf8;
using win32::CutAtNul;
using win32::ToWide;

// CR LF: what every other Windows console program writes, and what batch
// files, findstr and Notepad expect of a text.
const std::string_view kLineEnd = "\r\n";

std::vector<std::string_view> CommandLineArguments(int, char**, std::vector<std::string>& storage) {
    // argv holds the arguments in the ANSI code page, which loses every
    // character outside it: a file name in another script would not open.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    storage.clear();
    for (int i = 1; wide != nullptr && i < count; ++i) storage.push_back(ToUtf8(wide[i]));
    if (wide != nullptr) ::LocalFree(wide);
    return std::vector<std::string_view>(storage.begin(), storage.end());
}

void PrepareStandardStreams() {
    // Binary, so that the line ends written are exactly ours: text mode would
    // turn the CR LF of a CSV listing into CR CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

CivilDate LocalToday() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay};
}

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return ".";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a long path
    }
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return ".";
    // A drive root keeps its backslash: "C:" alone is the drive's current folder.
    const bool root = slash == 2 && path[1] == L':';
    return ToUtf8(std::wstring_view(path).substr(0, root ? slash + 1 : slash));
}

std::string LanguageSetting() {
    const std::optional<std::wstring> text = win32::ReadSettingsText(
        win32::kSettingsKey, ToWide(settings::kLanguage.section), ToWide(settings::kLanguage.name));
    return text ? ToUtf8(*text) : std::string();
}

std::vector<std::string> PreferredUiLanguages() {
    // The display languages the user put in order, as "ja-JP\0en-US\0\0".
    ULONG count = 0;
    ULONG size = 0;
    if (::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring names(size, L'\0');
        if (::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) {
            std::vector<std::string> preferred;
            for (std::size_t at = 0; at < names.size() && names[at] != L'\0';) {
                const std::wstring_view name = CutAtNul(std::wstring_view(names).substr(at));
                preferred.push_back(ToUtf8(name));
                at += name.size() + 1;
            }
            if (!preferred.empty()) return preferred;
        }
    }
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (::LCIDToLocaleName(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                           LOCALE_NAME_MAX_LENGTH, 0) > 0)
        return {ToUtf8(CutAtNul(name))};
    return {};
}

namespace {

std::string WithLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

// A console shows UTF-16; UTF-8 bytes there would come out as the ANSI code
// page's characters.
bool WriteConsole(HANDLE console, std::string_view utf8) {
    const std::wstring wide = ToWide(utf8);
    std::size_t written = 0;
    while (written < wide.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(wide.size() - written, 16384));
        if (!::WriteConsoleW(console, wide.data() + written, want, &n, nullptr) || n == 0)
            return false;
        written += n;
    }
    return true;
}

}  // namespace

void WriteText(std::FILE* stream, std::string_view text) {
    const std::string lines = WithLineEnds(text);
    const HANDLE handle = ::GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((stream == stdout || stream == stderr) && IsConsole(handle)) {
        std::fflush(stream);  // what is buffered comes first
        if (WriteConsole(handle, lines)) return;
    }
    std::fwrite(lines.data(), 1, lines.size(), stream);
}

std::ptrdiff_t BatchStreams::read(char* buffer, std::size_t size) {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return 0;  // no input: nothing to answer
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    while (true) {
        DWORD got = 0;
        if (::ReadFile(input, buffer, want, &got, nullptr)) {
            // A pipe also yields nothing for a writer's empty write; only a
            // closed pipe is the end.
            DWORD available = 0;
            if (got == 0 && ::GetFileType(input) == FILE_TYPE_PIPE &&
                ::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr))
                continue;
            return static_cast<std::ptrdiff_t>(got);
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;
        m_error = ErrorText(error);
        return -1;
    }
}

bool BatchStreams::inputWaiting() {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    switch (::GetFileType(input)) {
        case FILE_TYPE_PIPE: {
            DWORD available = 0;
            return ::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) &&
                   available > 0;
        }
        case FILE_TYPE_DISK:
            return true;  // a file never makes us wait
        default:
            return false;  // a console: answer what was typed before waiting
    }
}

bool BatchStreams::write(std::string_view text) {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsConsole(output)) {
        if (WriteConsole(output, text)) return true;
        m_error = ErrorText(::GetLastError());
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(text.size() - written, 1u << 30));
        if (!::WriteFile(output, text.data() + written, want, &n, nullptr)) {
            m_error = ErrorText(::GetLastError());
            return false;
        }
        written += n;
    }
    return true;
}

}  // namespace quorvane::cli
