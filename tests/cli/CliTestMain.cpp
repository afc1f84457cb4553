// The CLI tests' own main: --cli=PATH chooses the program under test.

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string_view>

#include "CliRunner.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--cli=")) clitest::SetCliPath(std::string(arg.substr(6)));
    }
    QCoreApplication app(argc, argv);  // the home Qt expects of QProcess
    return RUN_ALL_TESTS();
}
