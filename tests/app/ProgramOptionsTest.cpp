#include "app/ProgramOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quorvane {
namespace {

TEST(ProgramOptions, TakesBothUsualFormsOfAValue) {
    for (const QStringList& arguments : {QStringList{QStringLiteral("--language"), QStringLiteral("en")},
                                         QStringList{QStringLiteral("--language=en")}}) {
        const ProgramOptions options = ParseProgramOptions(arguments);
        EXPECT_TRUE(options.ok()) << arguments.join(u' ').toStdString();
        EXPECT_EQ(options.language, QStringLiteral("en"));
    }
    EXPECT_EQ(ParseProgramOptions({QStringLiteral("--language="), QStringLiteral("x")}).argument,
              QStringLiteral("x"));
}

struct Started {
    int status = -1;  // -1 when it had to be stopped
    QString err;
};

// The program as a user starts it, with its settings in `config`; a window
// that opens is stopped after a while, which no refusal takes.
Started Start(const QStringList& arguments, const QString& config) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_MESSAGES"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVANE_PROGRAM), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {-1, QString::fromUtf8(process.readAllStandardError())};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

class RefusedLine : public ::testing::TestWithParam<QStringList> {};

TEST_P(RefusedLine, EndsWithTheUsageAndStatus2AndStoresNothing) {
    QTemporaryDir config;
    const Started run = Start(GetParam(), config.path());
    EXPECT_EQ(run.status, 2) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("使い方: quorvane"))) << run.err.toStdString();
    EXPECT_TRUE(QDir(config.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedLine,
    ::testing::Values(QStringList{QStringLiteral("-language"), QStringLiteral("en")},
                      QStringList{QStringLiteral("--LANGUAGE"), QStringLiteral("en")},
                      QStringList{QStringLiteral("--languages=en")},
                      QStringList{QStringLiteral("--language")},
                      QStringList{QStringLiteral("--language"), QStringLiteral("en"), QStringLiteral("--language"),
                                  QStringLiteral("ja")},
                      QStringList{QStringLiteral("StarTrek.vqd")},
                      QStringList{QStringLiteral("--check-install"), QStringLiteral("--language"),
                                  QStringLiteral("en")},
                      QStringList{QStringLiteral("extra"), QStringLiteral("--check-install")}),
    [](const auto& info) { return std::to_string(info.index); });

// An unknown word and a store that cannot take the choice are told apart,
// the second naming the file and what to check.
TEST(LanguageOption, SaysWhetherTheWordOrTheStoreWasWrong) {
    QTemporaryDir home;
    const Started unknown = Start({QStringLiteral("--language"), QStringLiteral("EN")}, home.path());
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("「EN」"))) << unknown.err.toStdString();

#ifdef _WIN32
    GTEST_SKIP() << "the settings are in the registry on Windows, not in a folder";
#endif
    // A config folder beneath a regular file cannot be created, even by root.
    QFile blocker(home.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Started unwritable = Start({QStringLiteral("--language=ja")}, blocker.fileName() + QStringLiteral("/config"));
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_TRUE(unwritable.err.contains(blocker.fileName() + QStringLiteral("/config/"))) << unwritable.err.toStdString();
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("確かめてください"))) << unwritable.err.toStdString();
    EXPECT_FALSE(unwritable.err.contains(QStringLiteral("「ja」"))) << unwritable.err.toStdString();
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
