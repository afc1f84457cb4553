#include "CliRunner.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QStringList>
#include <QtGlobal>

#include <stdexcept>

namespace clitest {

namespace {

std::string& ChosenCliPath() {
    static std::string path = [] {
        const QByteArray fromEnvironment = qgetenv("QUORVANE_CLI");
        return fromEnvironment.isEmpty() ? std::string(QUORVANE_CLI_PATH)
                                         : fromEnvironment.toStdString();
    }();
    return path;
}

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// The launcher's words, then the program and its arguments.
void Start(QProcess& process, const std::string& program, const std::vector<std::string>& args) {
    QStringList command = QProcess::splitCommand(QString::fromLocal8Bit(qgetenv("QUORVANE_CLI_LAUNCHER")));
    command << ToQString(program);
    for (const std::string& arg : args) command << ToQString(arg);
    const QString first = command.takeFirst();
    process.start(first, command, QIODevice::ReadWrite);
    if (!process.waitForStarted(30'000))
        throw std::runtime_error("cannot start " + first.toStdString() + ": " +
                                 process.errorString().toStdString());
}

std::string Take(const QByteArray& bytes) { return Normalised(bytes.toStdString()); }

int StatusOf(const QProcess& process) {
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int Milliseconds(std::chrono::milliseconds duration) { return static_cast<int>(duration.count()); }

RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::string& input, std::chrono::milliseconds timeout,
              const std::string& workingDir, const std::string& outputFile = {}) {
    QProcess process;
    if (!workingDir.empty()) process.setWorkingDirectory(ToQString(workingDir));
    if (!outputFile.empty()) process.setStandardOutputFile(ToQString(outputFile));
    Start(process, program, args);
    // QProcess writes the input while it collects the output, so a child
    // that answers before it has read everything cannot block us.
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();

    RunResult result;
    if (!process.waitForFinished(Milliseconds(timeout))) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(-1);
        return result;
    }
    result.out = Take(process.readAllStandardOutput());
    result.err = Take(process.readAllStandardError());
    result.exitStatus = StatusOf(process);
    return result;
}

}  // namespace

bool RunLauncher(const std::vector<std::string>& command) {
    if (command.empty()) return false;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    std::vector<std::string> args(command.begin() + 1, command.end());
    try {
        Start(process, command.front(), args);
    } catch (const std::runtime_error&) {
        return false;
    }
    return process.waitForFinished(60'000) && StatusOf(process) == 0;
}

std::string CliPath() { return ChosenCliPath(); }

void SetCliPath(const std::string& path) { ChosenCliPath() = path; }

bool IsWindowsProgram() { return CliPath().ends_with(".exe"); }

bool NormalisesLineEnds() {
    return IsWindowsProgram() || !qEnvironmentVariableIsEmpty("QUORVANE_CLI_CRLF");
}

std::string Normalised(std::string text) {
    if (!NormalisesLineEnds()) return text;
    std::string lf;
    lf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lf += text[i];
    }
    return lf;
}

RunResult RunCli(const std::vector<std::string>& args, const std::string& input,
                 std::chrono::milliseconds timeout) {
    return Run(CliPath(), args, input, timeout, {});
}

RunResult RunCliWithOutputTo(const std::vector<std::string>& args, const std::string& outputFile) {
    return Run(CliPath(), args, {}, 60s, {}, outputFile);
}

RunResult RunProgramIn(const std::string& program, const std::vector<std::string>& args,
                       const std::string& workingDir) {
    return Run(program, args, {}, 60s, workingDir);
}

CliProcess::CliProcess(const std::vector<std::string>& args) {
    m_process.setStandardErrorFile(QProcess::nullDevice());
    Start(m_process, CliPath(), args);
}

CliProcess::~CliProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(-1);
    }
}

void CliProcess::writeText(const std::string& text) {
    m_process.write(text.data(), static_cast<qint64>(text.size()));
    if (!m_process.waitForBytesWritten(10'000))
        throw std::runtime_error("write to quorvane-cli: " + m_process.errorString().toStdString());
}

std::optional<std::string> CliProcess::readLine(std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!m_process.canReadLine()) {
        // Ends early when the output closes or the program ends.
        if (deadline.hasExpired() || !m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
    }
    if (!m_process.canReadLine()) return std::nullopt;
    std::string line = m_process.readLine().toStdString();
    line.pop_back();  // '\n'
    if (NormalisesLineEnds() && line.ends_with('\r')) line.pop_back();
    return line;
}

void CliProcess::closeInput() { m_process.closeWriteChannel(); }

int CliProcess::wait(std::chrono::milliseconds timeout) {
    // waitForFinished() is false also for a program that has ended already.
    if (m_process.state() != QProcess::NotRunning &&
        !m_process.waitForFinished(Milliseconds(timeout))) {
        m_process.kill();
        m_process.waitForFinished(-1);
        return -1;
    }
    return StatusOf(m_process);
}

}  // namespace clitest
