#include "app/InstallCheck.h"

#include "ProgramInfo.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

const QString kSourceDir = QStringLiteral(QUORVANE_SOURCE_DIR);

const QByteArray kReadMe = "Quorvane\r\n";
const QByteArray kCatalogue =
    "\"Event\",\"Detail\",\"Date\",\"Source\"\r\n"
    "\"First contact\",\"Vulcans land\",#2063-04-05#,\"Film\"\r\n";

void Write(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(contents), contents.size());
}

struct CheckResult {
    int status;
    QStringList lines;
};

CheckResult RunIn(const QString& folder) {
    testing::FakePlatform platform;
    platform.folder = folder;
    QString text;
    QTextStream out(&text);
    const int status = RunInstallCheck(platform, out);
    return {status, text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}

QString LineFor(const CheckResult& result, const QString& name) {
    for (const QString& line : result.lines)
        if (line.startsWith(name + QLatin1Char(':'))) return line;
    return {};
}

class InstallCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (std::string_view name : kShippedReadmeFiles) Write(path(name), kReadMe);
        for (std::string_view name : kShippedCatalogueFiles) Write(path(name), kCatalogue);
        // The runner's own copy of the catalogue must not stand in for the test's.
        dataHome = qgetenv("XDG_DATA_HOME");
        hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
    }
    void TearDown() override {
        if (hadDataHome) qputenv("XDG_DATA_HOME", dataHome);
        else qunsetenv("XDG_DATA_HOME");
    }
    QString path(std::string_view name) const {
        return dir.filePath(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }

    QTemporaryDir dir;
    QTemporaryDir userData;
    QByteArray dataHome;
    bool hadDataHome = false;
};

TEST_F(InstallCheckTest, UserCopyIsTheOneCheckedAndSaysSo) {
    ASSERT_TRUE(QDir(userData.path()).mkpath(QStringLiteral("OvrekSoft/Quorvane")));
    const QString copy = userData.filePath(QStringLiteral("OvrekSoft/Quorvane/StarTrek.vqd"));
    Write(copy, kCatalogue + "\"Second\",\"Detail\",41000,\"Film\"\r\n");
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(LineFor(result, "StarTrek.vqd (the user's copy)"),
              "StarTrek.vqd (the user's copy): ok " + copy + " (2 events)");
}

TEST_F(InstallCheckTest, CompleteFolderPassesWithOneLinePerFile) {
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(result.lines.size(), kShippedReadmeFiles.size() + kShippedCatalogueFiles.size())
        << result.lines.join('\n').toStdString();
    EXPECT_EQ(LineFor(result, "ReadMe.TXT"), "ReadMe.TXT: ok " + path("ReadMe.TXT"));
    EXPECT_EQ(LineFor(result, "StarTrek.vqd"),
              "StarTrek.vqd: ok " + path("StarTrek.vqd") + " (1 event)");
}

TEST_F(InstallCheckTest, ShippedDataFilesPass) {
    // The read-mes as the build writes them for this platform, the
    // catalogues as they are.
    const QString built = QFileInfo(QStringLiteral(QUORVANE_BUILT_README)).path() + '/';
    const auto replace = [&](std::string_view name, const QString& folder) {
        const QString shipped = folder + path(name).section('/', -1);
        ASSERT_TRUE(QFile::remove(path(name)));
        ASSERT_TRUE(QFile::copy(shipped, path(name))) << shipped.toStdString();
    };
    for (std::string_view name : kShippedReadmeFiles) replace(name, built);
    for (std::string_view name : kShippedCatalogueFiles) replace(name, kSourceDir + "/catalogue/");
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 0) << result.lines.join('\n').toStdString();
}

TEST_F(InstallCheckTest, MissingProgramFolderFailsForBothFiles) {
    const CheckResult result = RunIn(dir.filePath("gone"));
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(LineFor(result, "ReadMe.TXT").startsWith("ReadMe.TXT: cannot read"));
    EXPECT_TRUE(LineFor(result, "StarTrek.vqd").startsWith("StarTrek.vqd: cannot read"));
}

// A pipe waits for a writer for ever and /dev/zero never ends: the check
// must answer at once for both.
TEST_F(InstallCheckTest, ReadMeThatIsAPipeOrEndlessFailsAtOnce) {
    ASSERT_TRUE(QFile::remove(path("ReadMe.TXT")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("ReadMe.TXT")).constData(), 0600), 0);
    for (std::string_view name : kShippedReadmeFiles) {
        if (name == "ReadMe.TXT") continue;
        ASSERT_TRUE(QFile::remove(path(name)));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(name)));
    }
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 1);
    for (std::string_view name : kShippedReadmeFiles) {
        const QString line = LineFor(result, QString::fromUtf8(name.data(), qsizetype(name.size())));
        EXPECT_TRUE(line.endsWith(": not a file")) << line.toStdString();
    }
}

TEST_F(InstallCheckTest, UnreadableFileFails) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
    ASSERT_TRUE(QFile::setPermissions(path("StarTrek.vqd"), QFileDevice::WriteOwner));
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(LineFor(result, "StarTrek.vqd").startsWith("StarTrek.vqd: cannot read"));
}

// Each broken install names its file and still reports the other one, so a
// single run shows everything that is wrong.
struct BrokenCase {
    const char* name;
    const char* brokenFile;
    std::function<void(QDir)> breakIt;
};

class BrokenInstallTest : public InstallCheckTest,
                          public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenInstallTest, FailsOnlyForTheBrokenFile) {
    GetParam().breakIt(QDir(dir.path()));
    const CheckResult result = RunIn(dir.path());
    EXPECT_EQ(result.status, 1);
    const QString broken = QString::fromLatin1(GetParam().brokenFile);
    const QString other = broken == "ReadMe.TXT" ? "StarTrek.vqd" : "ReadMe.TXT";
    const QString brokenLine = LineFor(result, broken);
    EXPECT_FALSE(brokenLine.isEmpty()) << "no line for " << broken.toStdString();
    EXPECT_FALSE(brokenLine.startsWith(broken + ": ok")) << brokenLine.toStdString();
    EXPECT_TRUE(LineFor(result, other).startsWith(other + ": ok"))
        << result.lines.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenInstallTest,
    ::testing::Values(
        BrokenCase{"read_me_missing", "ReadMe.TXT",
                   [](QDir d) { d.remove("ReadMe.TXT"); }},
        BrokenCase{"read_me_empty", "ReadMe.TXT",
                   [](QDir d) { Write(d.filePath("ReadMe.TXT"), {}); }},
        BrokenCase{"catalogue_missing", "StarTrek.vqd",
                   [](QDir d) { d.remove("StarTrek.vqd"); }},
        BrokenCase{"catalogue_is_a_folder", "StarTrek.vqd",
                   [](QDir d) {
                       d.remove("StarTrek.vqd");
                       d.mkdir("StarTrek.vqd");
                   }},
        BrokenCase{"catalogue_empty", "StarTrek.vqd",
                   [](QDir d) { Write(d.filePath("StarTrek.vqd"), {}); }},
        BrokenCase{"catalogue_header_without_events", "StarTrek.vqd",
                   [](QDir d) {
                       Write(d.filePath("StarTrek.vqd"),
                             "\"Event\",\"Detail\",\"Date\",\"Source\"\r\n");
                   }},
        // The window would show an error for it, so a partial load is no pass.
        BrokenCase{"catalogue_with_a_bad_record", "StarTrek.vqd",
                   [](QDir d) {
                       Write(d.filePath("StarTrek.vqd"),
                             kCatalogue + "\"Later\",\"Detail\",#NULL#,\"Film\"\r\n");
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
