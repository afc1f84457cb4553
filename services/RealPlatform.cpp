#include "services/RealPlatform.h"

#include "ProgramInfo.h"
#include "language/UiLanguage.h"
#include "widgets/Utf8.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>

namespace quorvane {

namespace {

struct PlatformText {
    Q_DECLARE_TR_FUNCTIONS(RealPlatform)
};

// Qt's dialog writes its files' sizes and times in the system's locale:
// under the C locale "1 bytes" and "8 Dec 2026", English in the Japanese
// face; under a Japanese locale "1 バイト", Japanese in the English face.
// Where the two disagree they are written in the face's language.
class FileDetailsInLocale : public QIdentityProxyModel {
public:
    FileDetailsInLocale(const QLocale& locale, QObject* parent)
        : QIdentityProxyModel(parent), m_locale(locale) {}

    QVariant data(const QModelIndex& index, int role) const override {
        constexpr int kSizeColumn = 1;
        constexpr int kModifiedColumn = 3;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source))
                return m_locale.formattedDataSize(files->size(source));
            if (index.column() == kModifiedColumn)
                return m_locale.toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    QLocale m_locale;
};

}  // namespace

MessageAnswer RealPlatform::showMessage(QWidget* parent, const QString& text,
                                        const QString& caption, MessageIcon icon,
                                        MessageButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case MessageButtons::SaveDiscardCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            box.setEscapeButton(QMessageBox::Cancel);
            // Qt's own captions here would read "Discard", not what the
            // question asks; ours follow the program's face.
            box.button(QMessageBox::Save)->setText(PlatformText::tr("保存(&S)"));
            box.button(QMessageBox::Discard)->setText(PlatformText::tr("保存しない(&N)"));
            box.button(QMessageBox::Cancel)->setText(PlatformText::tr("キャンセル"));
            break;
        case MessageButtons::ReloadOverwriteCancel:
        case MessageButtons::OverwriteCancel: {
            QPushButton* reload = buttons == MessageButtons::OverwriteCancel
                                      ? nullptr
                                      : box.addButton(PlatformText::tr("再読み込み(&R)"), QMessageBox::AcceptRole);
            QPushButton* overwrite = box.addButton(PlatformText::tr("上書き保存(&O)"), QMessageBox::DestructiveRole);
            QPushButton* cancel = box.addButton(PlatformText::tr("キャンセル"), QMessageBox::RejectRole);
            box.setDefaultButton(cancel);
            box.setEscapeButton(cancel);
            box.exec();
            // The close box presses the escape button; anything else keeps both sides too.
            if (reload && box.clickedButton() == reload) return MessageAnswer::Reload;
            if (box.clickedButton() == overwrite) return MessageAnswer::Overwrite;
            return MessageAnswer::Cancel;
        }
    }
    const int answer = box.exec();
    switch (buttons) {
        case MessageButtons::Ok: return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::SaveDiscardCancel:
            if (answer == QMessageBox::Save) return MessageAnswer::Save;
            return answer == QMessageBox::Discard ? MessageAnswer::Discard : MessageAnswer::Cancel;
        case MessageButtons::ReloadOverwriteCancel:
        case MessageButtons::OverwriteCancel: break;
    }
    return MessageAnswer::Cancel;
}

QString DialogNameFilter(const FileFilter& filter) {
    QStringList patterns = filter.pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        if (pattern.trimmed() == QLatin1String("*.*")) pattern = QStringLiteral("*");
    // Qt reads the patterns from the parentheses at the end of a filter, so a
    // description that shows "(*.*)" gets the real patterns after it; the
    // dialog hides them, so the caption reads as it always did.
    return filter.description + QLatin1Char(' ') +
           QStringLiteral("(%1)").arg(patterns.join(QLatin1Char(' ')));
}

QDate RealPlatform::today() const { return QDate::currentDate(); }

QString RealPlatform::programFolder() const {
    // Linux reads this from /proc/self/exe, so a link to the program still
    // names the folder of the real file, where the data files are.
    return QCoreApplication::applicationDirPath();
}

QString RealPlatform::showOpenDialog(QWidget* owner, const QList<FileFilter>& filters,
                                     const QString& initialFolder,
                                     const QString& initialFileName) {
    QStringList nameFilters;
    for (const FileFilter& f : filters) nameFilters << DialogNameFilter(f);
    QFileDialog dialog(owner);
    // Left empty, a native dialog names itself in the system's language,
    // whatever the program's face.
    dialog.setWindowTitle(PlatformText::tr("ファイルを開く"));
    const std::string_view face = ActiveUiLanguage().Code();
    const QLocale locale(QString::fromUtf8(face.data(), qsizetype(face.size())));
    if (locale.language() != QLocale::system().language())
        dialog.setProxyModel(new FileDetailsInLocale(locale, &dialog));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.first());
    dialog.setDirectory(initialFolder);
    dialog.selectFile(initialFileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

bool RealPlatform::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool RealPlatform::startDetached(const QString& program) {
    return QProcess::startDetached(program, {});
}

QString RealPlatform::registryFile() const {
    return QStringLiteral("/etc/xdg/") + FromUtf8(kVendorName) + QStringLiteral("/registry.ini");
}

}  // namespace quorvane
