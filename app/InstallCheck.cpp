#include "app/InstallCheck.h"

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"
#include "files/FileLocation.h"
#include "services/RealPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstddef>
#include <cstdio>

namespace quorvane {
namespace {

const QString kReadMeName = QString::fromUtf8(kReadmeFileName.data(), qsizetype(kReadmeFileName.size()));
const QString kCatalogueName =
    QString::fromUtf8(kCatalogueFileName.data(), qsizetype(kCatalogueFileName.size()));
const QString kEnglishCatalogueName =
    QString::fromUtf8(kEnglishCatalogueFileName.data(), qsizetype(kEnglishCatalogueFileName.size()));

bool CheckReadMe(const QString& path, QTextStream& out) {
    QFile file(path);
    QString problem;
    if (QFileInfo(path).isDir())
        problem = QStringLiteral("not a file");
    else if (!file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    // Read it whole: a file can open and still fail to read.
    else if (file.readAll().isEmpty())
        problem = file.error() == QFileDevice::NoError ? QStringLiteral("empty file")
                                                       : file.errorString();
    if (!problem.isEmpty()) {
        out << kReadMeName << ": cannot read " << path << ": " << problem << '\n';
        return false;
    }
    out << kReadMeName << ": ok " << path << '\n';
    return true;
}

const char* Describe(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return "no such file";
        case FileReadStatus::NotAFile: return "not a file";
        case FileReadStatus::Unreadable: return "permission denied or read error";
        case FileReadStatus::TooLarge: return "too large for a catalogue";
    }
    return "unknown error";
}

// The window would greet the user with a message for any problem, so a
// shipped catalogue must load cleanly, not merely in part.
bool CheckCatalogue(const QString& path, const QString& fileName, bool userCopy, QTextStream& out) {
    // The user's copy replaces the shipped one everywhere, so it is the one checked.
    const QString name = userCopy ? fileName + QStringLiteral(" (the user's copy)") : fileName;
    const DocumentLoad document = ReadCatalogueDocument(QFile::encodeName(path).toStdString());
    const CatalogueLoad& load = document.reading;
    if (load.status != FileReadStatus::Ok) {
        out << name << ": cannot read " << path << ": " << Describe(load.status)
            << '\n';
        return false;
    }
    const CatalogueContent& content = load.content;
    if (document.document.rows.empty()) {
        out << name << ": no events in " << path << '\n';
        return false;
    }
    if (!content.problems.empty()) {
        out << name << ": " << content.problems.size() << " problem(s) in " << path
            << ", the first on line " << FirstProblemLine(content).value_or(0) << '\n';
        return false;
    }
    const std::size_t count = document.document.rows.size();
    out << name << ": ok " << path << " (" << count
        << (count == 1 ? " event)\n" : " events)\n");
    return true;
}

}  // namespace

int RunInstallCheck(const Platform& platform, QTextStream& out) {
    const QDir folder(platform.programFolder());
    // Both are checked even when the first fails, so one run shows every gap.
    const bool readMeOk = CheckReadMe(folder.filePath(kReadMeName), out);
    const QString shipped = folder.filePath(kCatalogueName);
    const QString catalogue = QFile::decodeName(
        CataloguePathToRead(QFile::encodeName(folder.path()).toStdString()).c_str());
    const bool catalogueOk = CheckCatalogue(
        catalogue, kCatalogueName, QFileInfo(catalogue) != QFileInfo(shipped), out);
    // A package that ships the English catalogue must hold it: the English
    // face would otherwise fall back to the Japanese events unnoticed.
    bool englishOk = true;
    if (kShipsEnglishCatalogue) {
        const QString shippedEnglish = folder.filePath(kEnglishCatalogueName);
        std::string userCopy = UserCataloguePath(kEnglishCatalogueFileName);
        const QString english =
            FileExists(userCopy) ? QFile::decodeName(userCopy.c_str()) : shippedEnglish;
        englishOk = CheckCatalogue(english, kEnglishCatalogueName,
                                   QFileInfo(english) != QFileInfo(shippedEnglish), out);
    }
    out.flush();
    return readMeOk && catalogueOk && englishOk ? 0 : 1;
}

int RunInstallCheck() {
    RealPlatform platform;
    QTextStream out(stdout);
    return RunInstallCheck(platform, out);
}

}  // namespace quorvane
