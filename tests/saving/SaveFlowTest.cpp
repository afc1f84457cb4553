// A save's way to the disk without any window: a second Quorvane saving at
// the same moment, notes beside hard-linked files, and what the user is
// asked when another program got there first.
#include "saving/CatalogueSave.h"
#include "saving/FileReplace.h"
#include "saving/SaveFlow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

using quorvane::SaveAnswer;
using quorvane::SaveFlow;

// Answers from a script and keeps every question.
class ScriptedQuestions final : public quorvane::SaveQuestions {
public:
    SaveAnswer askOutsideChange(const QString& text, bool canReload, bool canOverwrite) override {
        asked << text;
        offeredReload = canReload;
        offeredOverwrite = canOverwrite;
        return answer;
    }
    bool askYesNo(const QString& text) override {
        asked << text;
        return yes;
    }
    void tell(const QString& text) override { told << text; }

    SaveAnswer answer = SaveAnswer::Cancel;
    bool yes = true;
    bool offeredReload = false;
    bool offeredOverwrite = false;
    QStringList asked;
    QStringList told;
};

class SaveFlowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    static void write(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    static QByteArray read(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static bool link(const QString& existing, const QString& name) {
        std::error_code error;
        std::filesystem::create_hard_link(existing.toStdString(), name.toStdString(), error);
        return !error;
    }

    // The flow of a window that has just read `file`.
    void open(const QString& file) {
        const QByteArray bytes = read(file);
        flow.setRead(file, quorvane::StatFile(file), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    }

    // Saves `bytes` over the file read, as the window's save button does.
    SaveFlow::Written save(const QByteArray& bytes) {
        const SaveFlow::Resolution resolution = flow.resolveOutsideChange(true, true);
        EXPECT_EQ(resolution.outcome, SaveFlow::Outcome::None);
        const QString target = flow.target(true);
        SaveFlow::Written written = flow.write(target, bytes, resolution.agreed, true);
        if (written.result.ok) flow.setWritten(target, std::string_view(bytes.constData(), std::size_t(bytes.size())));
        return written;
    }

    // What a save of a hard-linked file cut short leaves beside `file`.
    static void leaveNote(const QString& file, const QByteArray& old) {
        const auto hex = [](const QByteArray& bytes) {
            return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        };
        write(file + ".bak", old);
        write(file + ".unfinished", "old " + hex(old) + "\nnew " + hex("never written") + "\n");
    }

    QTemporaryDir folder;
    ScriptedQuestions questions;
    SaveFlow flow{questions, folder.filePath("program")};
};

// The lock is the program's own on both systems: this test runs unchanged
// under Wine.
TEST_F(SaveFlowTest, ASaveMeetingAnotherQuorvanesSaveWaitsForItThenAsksAboutItsChange) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    open(file);

    QFile other;
    ASSERT_EQ(quorvane::OpenRegularFile(other, file, QIODevice::ReadWrite, true), QString());
    QFile second;
    bool busy = false;
    EXPECT_FALSE(quorvane::OpenRegularFile(second, file, QIODevice::ReadOnly, true, nullptr, &busy).isEmpty())
        << "a second locked open is kept out";
    EXPECT_TRUE(busy);

    // The other save ends a moment later with its own version in place.
    std::thread finish([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.resize(0);
        other.write("theirs\r\n");
        other.close();
    });
    questions.answer = SaveAnswer::Cancel;
    const SaveFlow::Written written = save("mine\r\n");
    finish.join();
    EXPECT_EQ(written.outcome, SaveFlow::Outcome::Cancel) << written.result.reason.toStdString();
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.offeredReload);
    EXPECT_EQ(read(file), "theirs\r\n");

    // A save that never lets go is waited for only so long.
    QFile stuck;
    ASSERT_EQ(quorvane::OpenRegularFile(stuck, file, QIODevice::ReadOnly, true), QString());
    questions.answer = SaveAnswer::Overwrite;
    const quorvane::SaveResult refused =
        quorvane::ReplaceWithBackup(file, "mine\r\n", quorvane::LookAtDisk({}, file, true).now);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.reason.contains("保存しているところ")) << refused.reason.toStdString();
    EXPECT_EQ(read(file), "theirs\r\n");
}

TEST_F(SaveFlowTest, TheBackupIsAFileOfItsOwnWithTheCataloguesPermissions) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    const QFileDevice::Permissions privateMode = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(file, privateMode));
    // A link where the backup goes must not lead the save to another file.
    const QString unrelated = path("notes.txt");
    write(unrelated, "someone else's notes\n");
    std::error_code error;
    std::filesystem::create_symlink(unrelated.toStdString(), (file + ".bak").toStdString(), error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    open(file);
    EXPECT_TRUE(save("two\r\n").result.ok);
    EXPECT_EQ(read(unrelated), "someone else's notes\n");
    EXPECT_FALSE(QFileInfo(file + ".bak").isSymLink());
    EXPECT_EQ(read(file + ".bak"), "one\r\n");
    // Owner, group and others; the "user" bits only repeat the owner's for us.
    const auto bits = [](QFileDevice::Permissions mode) { return mode.toInt() & 0x7077; };
    EXPECT_EQ(bits(QFile::permissions(file + ".bak")), bits(privateMode));
}

TEST_F(SaveFlowTest, AHardLinkedCatalogueIsSavedUnderBothNames) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    if (!link(file, path("linked.vqd"))) GTEST_SKIP() << "no hard links here";
    open(file);
    EXPECT_TRUE(save("two\r\n").result.ok);
    EXPECT_EQ(read(file), "two\r\n");
    EXPECT_EQ(read(path("linked.vqd")), "two\r\n");
    EXPECT_EQ(read(file + ".bak"), "one\r\n");
}

TEST_F(SaveFlowTest, ABackupThatIsTheCatalogueItselfIsNamedAsTheReason) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    if (!link(file, file + ".bak")) GTEST_SKIP() << "no hard links here";
    open(file);
    const SaveFlow::Written written = save("two\r\n");
    EXPECT_FALSE(written.result.ok);
    EXPECT_TRUE(written.result.reason.contains("mine.vqd.bak")) << written.result.reason.toStdString();
    EXPECT_TRUE(written.result.reason.contains("ハードリンク")) << written.result.reason.toStdString();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(read(file), "one\r\n");
}

TEST_F(SaveFlowTest, TheNoteBesideAHardLinkedFileIsReplacedNeverWrittenThroughAndItsFailureSaysWhy) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    if (!link(file, path("other.vqd"))) GTEST_SKIP() << "no hard links here";
    const QString victim = path("victim.txt");
    write(victim, "someone else's\n");
    std::error_code error;
    std::filesystem::create_symlink(victim.toStdString(), (file + ".unfinished").toStdString(), error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    open(file);
    EXPECT_TRUE(save("two\r\n").result.ok);
    EXPECT_EQ(read(victim), "someone else's\n");
    EXPECT_EQ(read(path("other.vqd")), "two\r\n");

    // The note cannot be made: a folder holds its name.
    ASSERT_TRUE(QDir(folder.path()).mkdir("mine.vqd.unfinished"));
    const SaveFlow::Written written = save("three\r\n");
    EXPECT_FALSE(written.result.ok);
    EXPECT_TRUE(written.result.reason.contains("mine.vqd.unfinished")) << written.result.reason.toStdString();
    EXPECT_FALSE(written.result.reason.contains("権限")) << "the system's reason, not a guess";
    EXPECT_EQ(read(file), "two\r\n");
}

TEST_F(SaveFlowTest, ASaveUnderAnotherNameRetiresTheNoteAndARestoreKeepsWhatItOverwrites) {
    const QString first = path("StarTrek.vqd");
    const QString second = path("linked.vqd");
    write(first, "cut sho");
    if (!link(first, second)) GTEST_SKIP() << "no hard links here";
    leaveNote(first, "old\r\n");

    // Saved whole under the other name since: nothing is left to restore.
    open(second);
    ASSERT_TRUE(save("later\r\n").result.ok);
    EXPECT_FALSE(quorvane::FindUnfinishedSave(first).found);
    flow.offerUnfinishedSave(first);
    EXPECT_TRUE(questions.asked.isEmpty());

    // A note still standing: the question says what the restore overwrites,
    // and the backup keeps it.
    leaveNote(first, "old\r\n");
    questions.yes = true;
    flow.offerUnfinishedSave(first);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].contains("7 バイト")) << questions.asked[0].toStdString();
    EXPECT_EQ(read(first), "old\r\n");
    EXPECT_EQ(read(second), "old\r\n");
    EXPECT_EQ(read(first + ".bak"), "later\r\n");
    EXPECT_FALSE(QFile::exists(first + ".unfinished"));
}

TEST_F(SaveFlowTest, ANoteWithoutItsOldContentsOffersNoRestore) {
    const QString file = path("mine.vqd");
    write(file, "whatever\r\n");
    write(file + ".unfinished", "new 00\n");
    flow.offerUnfinishedSave(file);
    EXPECT_TRUE(questions.asked.isEmpty()) << questions.asked.join('\n').toStdString();
    ASSERT_EQ(questions.told.size(), 1);
    EXPECT_FALSE(QFile::exists(file + ".unfinished"));
}

// Lines to add were made from the file as it was: a change in the middle
// of the append is not raced, and the user is told what happened.
TEST_F(SaveFlowTest, AnAppendMetByAChangeStopsAndSaysWhy) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    open(file);
    quorvane::SetBeforeReplaceHook([&file] { write(file, "theirs\r\n"); });
    const SaveFlow::Resolution resolution = flow.resolveOutsideChange(true, false, quorvane::SavePurpose::Append);
    const SaveFlow::Written written =
        flow.write(file, "one\r\nadded\r\n", resolution.agreed, false, quorvane::SavePurpose::Append);
    quorvane::SetBeforeReplaceHook({});
    EXPECT_FALSE(written.result.ok);
    EXPECT_TRUE(written.result.reason.contains("mine.vqd")) << written.result.reason.toStdString();
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(read(file), "theirs\r\n");
}

TEST_F(SaveFlowTest, TheOutsideChangeQuestionOffersAndSaysOnlyWhatCanHappen) {
    const QString file = path("mine.vqd");
    write(file, "one\r\n");
    open(file);

    // Another program changed it while events were to be added: they are
    // added after its change, which stays in the file.
    write(file, "theirs\r\n");
    flow.resolveOutsideChange(true, false, quorvane::SavePurpose::Append);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.offeredReload);
    EXPECT_FALSE(questions.asked[0].contains(".bak")) << questions.asked[0].toStdString();

    // Deleted: nothing to reload.
    ASSERT_TRUE(QFile::remove(file));
    flow.resolveOutsideChange(true, true);
    ASSERT_EQ(questions.asked.size(), 2);
    EXPECT_FALSE(questions.offeredReload);
    EXPECT_TRUE(questions.offeredOverwrite);

    // A folder in its place: not even an overwrite can work.
    ASSERT_TRUE(QDir(folder.path()).mkdir("mine.vqd"));
    EXPECT_EQ(flow.resolveOutsideChange(true, true).outcome, SaveFlow::Outcome::Cancel);
    ASSERT_EQ(questions.asked.size(), 3);
    EXPECT_FALSE(questions.offeredReload);
    EXPECT_FALSE(questions.offeredOverwrite);
}

}  // namespace
