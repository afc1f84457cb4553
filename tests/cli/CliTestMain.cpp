// The CLI tests' own main: --cli=PATH chooses the program under test.

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <string_view>

#include "CliRunner.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--cli=")) clitest::SetCliPath(std::string(arg.substr(6)));
    }
    // The shared messages follow the user's language; the expectations are
    // the Japanese face's, whatever the developer's locale or settings say.
    // C.UTF-8 keeps Wine reading non-ASCII arguments as UTF-8.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) qunsetenv(name);
    qputenv("LANG", "C.UTF-8");
    qputenv("XDG_CONFIG_HOME", QDir::temp().filePath(QStringLiteral("quorvane-cli-test-no-config")).toLocal8Bit());
    QCoreApplication app(argc, argv);  // the home Qt expects of QProcess
    // Wine's display language comes from an installed locale, not from LANG:
    // the program's own setting, as a user would choose it, pins the face.
    if (clitest::IsWindowsProgram())
        clitest::RunLauncher({"reg", "add", "HKCU\\Software\\OvrekSoft\\Quorvane\\Option", "/v",
                              "Language", "/t", "REG_SZ", "/d", "ja", "/f"});
    return RUN_ALL_TESTS();
}
