#pragma once
// What quorvane-cli asks of the operating system, one source file per
// platform chosen by the build: its arguments and folder, its standard
// streams and the line end of what it writes.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

// Every line the program writes ends in this: CR LF on Windows, LF elsewhere.
extern const std::string_view kLineEnd;

// The arguments after the program name, as UTF-8. The views point into
// argv or into `storage`, which must outlive them.
std::vector<std::string_view> CommandLineArguments(int argc, char** argv,
                                                   std::vector<std::string>& storage);

// Called once before anything is read or written.
void PrepareStandardStreams();

// The folder of the program file itself, so that the shipped catalogue is
// found from any working folder.
std::string ProgramFolder();

// The face the user chose in the window's settings ("ja", "en"), as stored;
// empty when there is none or it cannot be read.
std::string LanguageSetting();

// The user's preferred UI languages, most preferred first: the locale
// variables here, the display languages on Windows.
std::vector<std::string> PreferredUiLanguages();

// Writes UTF-8 text with "\n" for each line end to stdout or stderr, as the
// platform wants it. Errors show in the stream's error flag.
void WriteText(std::FILE* stream, std::string_view text);

// The batch loop's standard input and output.
class BatchStreams {
public:
    // What is there to read, at least one byte, waiting for it when need be;
    // 0 at the end of the input, -1 when reading failed (error() says why).
    std::ptrdiff_t read(char* buffer, std::size_t size);
    // Whether more input can be read without waiting.
    bool inputWaiting();
    // All of `text`, as it is; false when writing failed (error() says why).
    bool write(std::string_view text);
    const std::string& error() const { return m_error; }

private:
    std::string m_error;
};

}  // namespace quorvane::cli
