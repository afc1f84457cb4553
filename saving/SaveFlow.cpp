#include "saving/SaveFlow.h"

#include "catalogue/CatalogueDocument.h"
#include "files/UserFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <string>

namespace quorvane {

namespace {

// The editor's questions, worded where the editor's other texts are.
struct EditorText {
    Q_DECLARE_TR_FUNCTIONS(frmEditor)
};

QString FromLocal(const std::string& path) { return QString::fromUtf8(path.data(), qsizetype(path.size())); }

// What the change was, and what each answer offered does.
QString OutsideChangeQuestion(const DiskLook& look, const QString& fileName, bool unsaved, SavePurpose purpose,
                              bool canOverwrite) {
    const DiskChange change = look.change;
    QString text;
    if (change == DiskChange::Deleted) {
        text = EditorText::tr("%1 はほかのプログラムによって削除されました。").arg(fileName);
        if (canOverwrite) text += EditorText::tr("\n\n上書き保存すると、編集中の内容でファイルを作り直します。");
    } else if (change == DiskChange::NotAFile && look.now.folder) {
        text = EditorText::tr("%1 はほかのプログラムによって同じ名前のフォルダーに置き換えられました。\n\n"
                              "フォルダーの場所には保存できません。")
                   .arg(fileName);
    } else if (change == DiskChange::NotAFile) {
        text = EditorText::tr("%1 はほかのプログラムによって、ファイルではないもの"
                              "（パイプ、デバイス、たどれないリンクなど）に置き換えられました。")
                   .arg(fileName);
        if (canOverwrite)
            text += EditorText::tr("\n\n上書き保存すると、それを編集中の内容のファイルで置き換えます"
                                   "（その中へは書き込みません）。");
    } else {
        text = EditorText::tr("%1 はほかのプログラムによって変更されました。\n\n"
                              "再読み込みすると、変更後のファイルを表示します。")
                   .arg(fileName);
        if (unsaved) text += EditorText::tr("この画面で保存していない変更は失われます。");
        text += purpose == SavePurpose::Append
                    ? EditorText::tr("\n上書き保存すると、ほかのプログラムによる変更はファイルに残したまま、"
                                     "その後に付属の事象を追加します。")
                    : EditorText::tr("\n上書き保存すると、ほかのプログラムによる変更は %1.bak にだけ残ります。")
                          .arg(fileName);
    }
    return text + EditorText::tr("\nキャンセルすると、何も書き込まず編集を続けます。");
}

}  // namespace

SaveFlow::SaveFlow(SaveQuestions& questions, QString programFolder)
    : m_questions(questions), m_programFolder(std::move(programFolder)) {}

void SaveFlow::setRead(const QString& path, FileStamp before, std::string_view bytes) {
    m_path = path;
    before.hash = ContentHash(bytes);
    m_onDisk = before;
    m_askedAbout.reset();
    m_overwriteAgreed.reset();
    m_userCopy.reset();
    target(true);
}

void SaveFlow::setWritten(const QString& target, std::string_view bytes) {
    // Size and time come after the write: a change slipping in right after
    // it is missed by an activation, but a save compares the contents.
    m_path = target;
    m_onDisk = StatFile(target);
    m_onDisk.hash = ContentHash(bytes);
    m_askedAbout.reset();
    m_overwriteAgreed.reset();
    m_userCopy.reset();
}

QString SaveFlow::target(bool probe) {
    const QFileInfo file(m_path);
    // Each face's catalogue has its own user copy.
    const std::string_view shippedName = CatalogueFileNameOf(m_path.toStdString());
    const QString userCopy = FromLocal(UserCataloguePath(shippedName));
    if (!probe) return m_userCopy ? userCopy : m_path;
    // The program's own catalogue in a folder the user cannot write (an
    // installed program) is saved as the user's copy, which is read first
    // from then on. Any other file is saved where it is or not at all.
    const bool programCatalogue = file.absolutePath() == QFileInfo(m_programFolder).absoluteFilePath() &&
                                  file.fileName() == QString::fromUtf8(shippedName.data(), qsizetype(shippedName.size())) &&
                                  m_path != userCopy;
    if (!programCatalogue || CanWriteInFolder(file.absolutePath())) {
        m_userCopy.reset();
        return m_path;
    }
    if (!m_userCopy) m_userCopy = StatFile(userCopy);
    return userCopy;
}

SaveFlow::Resolution SaveFlow::resolveOutsideChange(bool saving, bool unsaved, SavePurpose purpose) {
    // The file the save will replace is the one to watch.
    Resolution resolution;
    resolution.path = target(false);
    FileStamp& known = m_userCopy ? *m_userCopy : m_onDisk;
    const DiskLook look = LookAtDisk(known, resolution.path, saving);
    resolution.agreed = look.now;
    if (look.change == DiskChange::None) {
        // Touched, not changed: the next look need not read it again.
        known = look.now;
        return resolution;
    }
    resolution.outcome = Outcome::Overwrite;
    if (saving && m_overwriteAgreed && look.now == *m_overwriteAgreed) return resolution;
    resolution.outcome = Outcome::Cancel;
    // The window is activated again when the question closes.
    if (!saving && m_askedAbout && look.now == *m_askedAbout) return resolution;
    m_askedAbout = look.now;

    // Only a file can be shown again; only a file can take lines at its end;
    // nothing is saved where a folder stands.
    const bool canReload = look.change == DiskChange::Changed;
    const bool canOverwrite =
        !look.now.folder && (purpose == SavePurpose::Save || look.change == DiskChange::Changed);
    const QString question =
        OutsideChangeQuestion(look, QFileInfo(resolution.path).fileName(), unsaved, purpose, canOverwrite);
    switch (m_questions.askOutsideChange(question, canReload, canOverwrite)) {
        case SaveAnswer::Overwrite:
            if (!canOverwrite) break;
            m_overwriteAgreed = look.now;
            resolution.outcome = Outcome::Overwrite;
            break;
        case SaveAnswer::Reload:
            if (canReload) resolution.outcome = Outcome::Reload;
            break;
        case SaveAnswer::Cancel: break;
    }
    return resolution;
}

SaveFlow::Written SaveFlow::write(const QString& target, const QByteArray& bytes, FileStamp agreed, bool unsaved,
                                  SavePurpose purpose) {
    const QString name = QFileInfo(target).fileName();
    if (target != m_path) {
        const QString folder = FromLocal(UserCatalogueFolder());
        if (!QDir().mkpath(folder))
            return {Outcome::None,
                    {false, EditorText::tr("フォルダー %1 を作れませんでした。").arg(QDir::toNativeSeparators(folder))}};
    }
    Written written;
    for (int attempt = 0;; ++attempt) {
        written.result = ReplaceWithBackup(target, bytes, agreed);
        if (!written.result.changedOutside) return written;
        if (purpose == SavePurpose::Append) {
            written.result.reason =
                EditorText::tr("追加の間にほかのプログラムが %1 を書き換えました。次に開いたときにもう一度たずねます。")
                    .arg(name);
            return written;
        }
        if (attempt == 3) {
            written.result.reason = EditorText::tr("ほかのプログラムが %1 に書き込み続けています。").arg(name);
            return written;
        }
        const Resolution again = resolveOutsideChange(true, unsaved, purpose);
        if (again.outcome == Outcome::Reload || again.outcome == Outcome::Cancel) {
            written.outcome = again.outcome;
            return written;
        }
        agreed = again.agreed;
    }
}

void SaveFlow::offerUnfinishedSave(const QString& path) {
    const UnfinishedSave unfinished = FindUnfinishedSave(path);
    if (!unfinished.found) return;
    const QString name = QFileInfo(path).fileName();
    const QString cut =
        EditorText::tr("%1 の前回の保存は途中で終わったため、内容が欠けている可能性があります。\n").arg(name);
    if (!unfinished.backupHoldsOld) {
        m_questions.tell(cut + EditorText::tr("保存前の内容は %1.bak にも残っていません。").arg(name));
        ForgetUnfinishedSave(path);
        return;
    }
    // The file may have been saved whole since, under another of its names.
    const QString now = EditorText::tr("\n\n元に戻すと、いまの %1（%2 バイト、%3 に更新）は %1.bak に移して残します。")
                            .arg(name)
                            .arg(unfinished.size)
                            .arg(QLocale().toString(unfinished.modified, QLocale::ShortFormat));
    if (!m_questions.askYesNo(cut + EditorText::tr("保存前の内容が %1.bak に残っています。元に戻しますか？").arg(name) +
                              now))
        return;
    const SaveResult restored = RestoreUnfinishedSave(path);
    if (!restored.ok) m_questions.tell(EditorText::tr("%1.bak から元に戻せませんでした。\n").arg(name) + restored.reason);
}

}  // namespace quorvane
