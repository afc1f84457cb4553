#pragma once
// The --batch loop: requests in, one answer line per request out, in order.
// Memory stays bounded whatever the input, and a client that sends one
// request and waits gets its answer at once.

#include <cstddef>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/System.h"

namespace quorvane::cli {

class BatchSession {
public:
    // Longer request lines are skipped and answered with an error.
    static constexpr std::size_t kMaxRequestLength = 64 * 1024;

    // Requests from standard input, answers to standard output.
    explicit BatchSession(ConversionOptions options);

    // Runs to the end of the input. False when the input or output failed;
    // ioError() then says why.
    bool run();

    bool allConverted() const { return m_allConverted; }
    const std::string& ioError() const { return m_ioError; }

private:
    void answer(std::string_view line);
    void answerTooLong();
    bool fillInput();
    bool inputReady();
    bool flush();

    BatchStreams m_streams;
    ConversionOptions m_options;
    std::vector<char> m_input;
    std::size_t m_begin = 0;  // unread input is m_input[m_begin, m_end)
    std::size_t m_end = 0;
    std::string m_output;
    bool m_allConverted = true;
    std::string m_ioError;
};

}  // namespace quorvane::cli
