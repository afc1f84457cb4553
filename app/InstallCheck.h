#pragma once
// `quorvane --check-install`: lets a packager or a user confirm, without a
// window, that the program finds the data files it keeps in its own folder.

class QTextStream;

namespace quorvane {

class Platform;

// Checks every read-me and catalogue the program ships in the platform's
// program folder (the user's own copy of a catalogue instead, when there is
// one, said so in its line) and writes one line per file to out. Returns 0
// when all are usable, 1 if not.
int RunInstallCheck(const Platform& platform, QTextStream& out);

// The same for the running program, reporting on standard output.
int RunInstallCheck();

}  // namespace quorvane
