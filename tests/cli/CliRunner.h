#pragma once
// Runs the built quorvane-cli as a child process through pipes, the way a
// script would.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace clitest {

using namespace std::chrono_literals;

struct RunResult {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
    bool timedOut = false;
};

// Feeds `input` to standard input, closes it and collects both outputs.
// A child that outlives `timeout` is killed and reported as timed out.
RunResult RunCli(const std::vector<std::string>& args, const std::string& input = {},
                 std::chrono::milliseconds timeout = 60s);

// The same for a copy of the program elsewhere, started in `workingDir`.
RunResult RunProgramIn(const std::string& program, const std::vector<std::string>& args,
                       const std::string& workingDir);

// A running quorvane-cli with which a test talks line by line.
class CliProcess {
public:
    explicit CliProcess(const std::vector<std::string>& args);
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    void writeText(const std::string& text);
    // The next line of standard output without its line end, or nothing when
    // none arrives in time or the output ends.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = 10s);
    void closeInput();
    // The exit status once the program ends; -1 on a timeout or a signal.
    int wait(std::chrono::milliseconds timeout = 10s);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_pending;
};

std::string CliPath();

}  // namespace clitest
