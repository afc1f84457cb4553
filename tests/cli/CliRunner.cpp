#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace clitest {

namespace {

using Clock = std::chrono::steady_clock;

// A child that stops reading must fail the test, not kill the test program.
[[maybe_unused]] const bool kPipeSignalIgnored = (::signal(SIGPIPE, SIG_IGN), true);

void ThrowErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

struct Pipe {
    int read = -1;
    int write = -1;
};

Pipe MakePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) ThrowErrno("pipe2");
    return {fds[0], fds[1]};
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Starts the program with its standard streams on the given pipe ends.
pid_t Spawn(const std::string& path, const std::vector<std::string>& args, int in, int out,
            int err, const std::string& workingDir = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    // The child gets the usual SIGPIPE behaviour back, not our ignoring of it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) throw std::system_error(rc, std::generic_category(), "posix_spawn " + path);
    return pid;
}

int Milliseconds(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

int StatusOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

// Waits for the child until the deadline, then kills it.
int Reap(pid_t pid, Clock::time_point deadline, bool& timedOut) {
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return StatusOf(status);
        if (done < 0 && errno != EINTR) return -1;
        if (Clock::now() >= deadline) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::usleep(2000);
    }
}

RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::string& input, std::chrono::milliseconds timeout,
              const std::string& workingDir) {
    const auto deadline = Clock::now() + timeout;
    Pipe in = MakePipe(), out = MakePipe(), err = MakePipe();
    const pid_t pid = Spawn(program, args, in.read, out.write, err.write, workingDir);
    CloseFd(in.read);
    CloseFd(out.write);
    CloseFd(err.write);
    ::fcntl(in.write, F_SETFL, O_NONBLOCK);

    RunResult result;
    std::size_t written = 0;
    if (input.empty()) CloseFd(in.write);
    while ((out.read >= 0 || err.read >= 0) && !result.timedOut) {
        pollfd fds[3] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}, {in.write, POLLOUT, 0}};
        const int ready = ::poll(fds, 3, Milliseconds(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            result.timedOut = true;
            break;
        }
        if (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) {
            const ssize_t n = ::write(in.write, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n < 0 && errno != EAGAIN && errno != EINTR) written = input.size();  // child gone
            if (written == input.size()) CloseFd(in.write);
        }
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[65536];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                CloseFd(i == 0 ? out.read : err.read);
            }
        }
    }
    CloseFd(in.write);
    CloseFd(out.read);
    CloseFd(err.read);
    result.exitStatus = Reap(pid, deadline, result.timedOut);
    return result;
}

}  // namespace

std::string CliPath() { return QUORVANE_CLI_PATH; }

RunResult RunCli(const std::vector<std::string>& args, const std::string& input,
                 std::chrono::milliseconds timeout) {
    return Run(CliPath(), args, input, timeout, {});
}

RunResult RunProgramIn(const std::string& program, const std::vector<std::string>& args,
                       const std::string& workingDir) {
    return Run(program, args, {}, 60s, workingDir);
}

CliProcess::CliProcess(const std::vector<std::string>& args) {
    Pipe in = MakePipe(), out = MakePipe();
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    m_pid = Spawn(CliPath(), args, in.read, out.write, devNull);
    ::close(devNull);
    CloseFd(in.read);
    CloseFd(out.write);
    m_in = in.write;
    m_out = out.read;
}

CliProcess::~CliProcess() {
    closeInput();
    CloseFd(m_out);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void CliProcess::writeText(const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(m_in, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowErrno("write to quorvane-cli");
        written += static_cast<std::size_t>(n);
    }
}

std::optional<std::string> CliProcess::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const auto end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        pollfd fd{m_out, POLLIN, 0};
        const int ready = ::poll(&fd, 1, Milliseconds(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::read(m_out, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
}

void CliProcess::closeInput() { CloseFd(m_in); }

int CliProcess::wait(std::chrono::milliseconds timeout) {
    bool timedOut = false;
    const int status = Reap(m_pid, Clock::now() + timeout, timedOut);
    m_pid = -1;
    return status;
}

}  // namespace clitest
