#include "cli/BatchSession.h"

#include <cstring>
#include <utility>

#include "cli/Conversions.h"

namespace quorvane::cli {

namespace {
// Big enough that a million piped requests cost a few hundred writes.
constexpr std::size_t kOutputFlushSize = 64 * 1024;
}  // namespace

BatchSession::BatchSession(ConversionOptions options)
    : m_options(std::move(options)),
      // Twice the longest request, so that after moving a partial line to the
      // front there is always room to read more.
      m_input(2 * kMaxRequestLength) {
    m_output.reserve(kOutputFlushSize + kMaxRequestLength);
}

bool BatchSession::run() {
    bool skipping = false;  // inside a too-long line that has been answered already
    std::size_t scanFrom = 0;
    while (true) {
        char* const base = m_input.data();
        while (scanFrom < m_end) {
            const void* found = std::memchr(base + scanFrom, '\n', m_end - scanFrom);
            if (found == nullptr) break;
            const std::size_t lineEnd = static_cast<const char*>(found) - base;
            if (skipping) {
                skipping = false;
            } else if (lineEnd - m_begin > kMaxRequestLength) {
                answerTooLong();
            } else {
                answer({base + m_begin, lineEnd - m_begin});
            }
            m_begin = scanFrom = lineEnd + 1;
            if (m_output.size() >= kOutputFlushSize && !flush()) return false;
        }

        if (!skipping && m_end - m_begin > kMaxRequestLength) {
            answerTooLong();
            skipping = true;
        }
        if (skipping) m_begin = m_end;
        std::memmove(base, base + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
        scanFrom = m_end;

        // Answer everything so far before waiting: an interactive client
        // must not wait for an answer that sits in our buffer.
        if (!m_output.empty() && !inputReady() && !flush()) return false;
        if (!fillInput()) return false;
        if (scanFrom == m_end) {  // end of input
            if (!skipping && m_end > 0) answer({base, m_end});
            return flush();
        }
    }
}

void BatchSession::answer(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);  // CR LF files from Windows editors
    if (!AnswerRequest(line, m_options, m_output)) m_allConverted = false;
    m_output += kLineEnd;
}

void BatchSession::answerTooLong() {
    m_output += "error: request too long";
    m_output += kLineEnd;
    m_allConverted = false;
}

bool BatchSession::fillInput() {
    const std::ptrdiff_t n = m_streams.read(m_input.data() + m_end, m_input.size() - m_end);
    if (n < 0) {
        m_ioError = "cannot read the requests: " + m_streams.error();
        return false;
    }
    m_end += static_cast<std::size_t>(n);
    return true;
}

bool BatchSession::inputReady() { return m_streams.inputWaiting(); }

bool BatchSession::flush() {
    if (!m_streams.write(m_output)) {
        m_ioError = "cannot write the answers: " + m_streams.error();
        return false;
    }
    m_output.clear();
    return true;
}

}  // namespace quorvane::cli
