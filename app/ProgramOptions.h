#pragma once
// quorvane's own command line: "--language WORD" (or "--language=WORD"),
// or "--check-install" alone. Qt's own options are taken out by
// QApplication before these are read; anything else is refused.

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

struct ProgramOptions {
    enum class Refusal { None, Unknown, Twice, NoValue, NotAlone };

    bool checkInstall = false;
    std::optional<QString> language;  // the word given, as typed
    Refusal refusal = Refusal::None;
    QString argument;  // the one refused

    bool ok() const { return refusal == Refusal::None; }
};

// The arguments after the program's name.
ProgramOptions ParseProgramOptions(const QStringList& arguments);

// Why the line was refused and how the program is started, for the user,
// in the face of the translators installed.
QString DescribeRefusal(const ProgramOptions& options);

// Says on stderr, in the face the settings or the system choose, why the
// line was refused and how the program is started; the exit status to end with.
int RefuseProgramOptions(const ProgramOptions& options);

}  // namespace quorvane
