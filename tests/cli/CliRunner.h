#pragma once
// Runs quorvane-cli as a child process through pipes, the way a script would.
//
// The program is the built quorvane-cli unless the test run names another:
// --cli=PATH on the test program's command line, or QUORVANE_CLI in its
// environment. QUORVANE_CLI_LAUNCHER puts a launcher before it (for example
// "wine" for quorvane-cli.exe). Output of a program ending its lines in CR LF
// is compared with LF line ends: see NormalisesLineEnds().

#include <QProcess>

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

// Standard output into `outputFile` instead; `out` stays empty.
RunResult RunCliWithOutputTo(const std::vector<std::string>& args, const std::string& outputFile);

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
    // The exit status once the program ends; -1 on a timeout or a crash.
    int wait(std::chrono::milliseconds timeout = 10s);

private:
    QProcess m_process;
};

// Runs a program of the launcher's system (for example Wine's "reg"), with
// the launcher before it; false when it could not run or failed.
bool RunLauncher(const std::vector<std::string>& command);

// The program under test, as chosen for this run.
std::string CliPath();
// Called by the test program's main for --cli=PATH.
void SetCliPath(const std::string& path);

// The one switch for CR LF: on for a Windows build (a program named *.exe)
// or when QUORVANE_CLI_CRLF is set. Output is then read with CR LF turned
// into LF, and tests expecting CR LF of their own pass their expectation
// through Normalised() as well.
bool NormalisesLineEnds();
// A Windows build (a program named *.exe), run through its launcher.
bool IsWindowsProgram();
std::string Normalised(std::string text);

}  // namespace clitest
