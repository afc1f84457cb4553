// Hands awkward targets to the real desktop opener and checks what arrives.
// A stand-in `xdg-open` first on PATH records its arguments; Qt finds the
// opener through the platform plugin, so the test runs on xcb under its own
// Xvfb (the offscreen plugin has no desktop services).

#include "services/RealPlatform.h"
#include "services/ShellOpen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace quorvane {
namespace {

QTemporaryDir* workDir = nullptr;
QString skipReason;

QString Calls() { return workDir->filePath(QStringLiteral("calls")); }

// Arguments of the one opener call that `action` causes.
QStringList ArgumentsOfTheCall(const std::function<void()>& action) {
    QDir calls(Calls());
    for (const QString& old : calls.entryList(QDir::Files)) calls.remove(old);
    action();
    QString recorded;
    // The opener runs detached, so its record appears a moment later.
    const bool called = QTest::qWaitFor([&] {
        const QStringList done = calls.entryList({QStringLiteral("*.done")}, QDir::Files);
        if (done.isEmpty()) return false;
        recorded = calls.filePath(done.first()).chopped(5);
        return true;
    }, 10000);
    if (!called) return {QStringLiteral("<no call>")};
    QFile file(recorded);
    if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("<unreadable>")};
    QStringList args;
    const QList<QByteArray> parts = file.readAll().split('\0');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) args << QString::fromUtf8(parts[i]);
    return args;
}

class DesktopOpener : public ::testing::Test {
protected:
    void SetUp() override {
        if (!skipReason.isEmpty()) GTEST_SKIP() << skipReason.toStdString();
    }
    RealPlatform platform;
};

TEST_F(DesktopOpener, LocalFilesWithAwkwardNamesArriveAsOneFileUrl) {
    const QStringList names = {QStringLiteral("read me.txt"), QStringLiteral("it's \"quoted\".txt"),
                               QStringLiteral("a;b&c|d $(touch x).txt"), QStringLiteral("-rf"),
                               QStringLiteral("ｼｽﾃﾑ 情報.txt")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = workDir->filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        std::int16_t status = 0;
        const QStringList args = ArgumentsOfTheCall([&] { status = ShellOpen(platform, DesktopOwnerWindow, path); });
        EXPECT_EQ(status, 33);
        ASSERT_EQ(args.size(), 1) << args.join(u'|').toStdString();
        const QUrl url(args.first(), QUrl::StrictMode);
        EXPECT_TRUE(url.isLocalFile());
        EXPECT_EQ(url.toLocalFile(), path);
    }
    EXPECT_FALSE(QFile::exists(workDir->filePath(QStringLiteral("x"))));
}

TEST_F(DesktopOpener, RelativeNameWithLeadingDashNeverReadsAsAnOption) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDir->path());
    QFile file(QStringLiteral("--help"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList args = ArgumentsOfTheCall([&] { ShellOpen(platform, 0, QStringLiteral("--help")); });
    QDir::setCurrent(previous);
    ASSERT_EQ(args.size(), 1);
    EXPECT_TRUE(args.first().startsWith(u"file:///"));
    EXPECT_EQ(QUrl(args.first()).toLocalFile(), workDir->filePath(QStringLiteral("--help")));
}

TEST_F(DesktopOpener, AddressesArriveAsOneUrlDenotingTheTarget) {
    const QStringList targets = {QStringLiteral("mailto:"), QStringLiteral("mailto:qv@ovreksoft.example"),
                                 QStringLiteral("mailto:a b@example.com?subject=\"hi\";x"),
                                 QStringLiteral("https://ovreksoft.example/a b?q=\"1\"&r=2;3")};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        const QStringList args = ArgumentsOfTheCall([&] { ShellOpen(platform, DesktopOwnerWindow, target); });
        ASSERT_EQ(args.size(), 1) << args.join(u'|').toStdString();
        EXPECT_EQ(QUrl::fromEncoded(args.first().toUtf8(), QUrl::StrictMode), QUrl(target, QUrl::TolerantMode));
    }
}

// Starts Xvfb on a free display; empty when there is none to start.
std::unique_ptr<QProcess> StartXvfb(QString& display) {
    auto xvfb = std::make_unique<QProcess>();
    xvfb->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                         QStringLiteral("-screen"), QStringLiteral("0"),
                                         QStringLiteral("800x600x24")});
    if (!xvfb->waitForStarted(5000)) return nullptr;
    QByteArray out;
    while (!out.contains('\n') && xvfb->waitForReadyRead(10000)) out += xvfb->readAllStandardOutput();
    if (!out.contains('\n')) {
        xvfb->kill();
        xvfb->waitForFinished();
        return nullptr;
    }
    display = QStringLiteral(":") + QString::fromLatin1(out.trimmed());
    return xvfb;
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    QTemporaryDir work;
    quorvane::workDir = &work;
    QDir(work.path()).mkpath(QStringLiteral("bin"));
    QDir(work.path()).mkpath(QStringLiteral("calls"));
    QFile opener(work.filePath(QStringLiteral("bin/xdg-open")));
    if (opener.open(QIODevice::WriteOnly)) {
        // One file per call, each argument ended by a NUL; ".done" marks it complete.
        opener.write("#!/bin/sh\nf=$(mktemp \"" + work.filePath(QStringLiteral("calls")).toUtf8() +
                     "/call.XXXXXX\")\nprintf '%s\\0' \"$@\" > \"$f\"\n: > \"$f.done\"\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", work.filePath(QStringLiteral("bin")).toUtf8() + ':' + qgetenv("PATH"));

    QString display;
    std::unique_ptr<QProcess> xvfb = quorvane::StartXvfb(display);
    if (xvfb) {
        qputenv("DISPLAY", display.toUtf8());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        quorvane::skipReason = QStringLiteral("no Xvfb to give the desktop opener a display");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (xvfb) {
        xvfb->terminate();
        xvfb->waitForFinished(5000);
    }
    return result;
}
