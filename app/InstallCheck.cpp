#include "app/InstallCheck.h"

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"
#include "files/FileBytes.h"
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

const char* Describe(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return "no such file";
        case FileReadStatus::NotAFile: return "not a file";
        case FileReadStatus::Unreadable: return "permission denied or read error";
        case FileReadStatus::TooLarge: return "too large";
    }
    return "unknown error";
}

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

// Read as the program reads it: a pipe, a device or a huge file in its place
// must not hang the check or exhaust memory.
bool CheckReadMe(const QString& path, const QString& name, QTextStream& out) {
    const FileBytes read =
        ReadRegularFileBytes(QFile::encodeName(path).toStdString(), kMaxReadmeBytes);
    const char* problem = nullptr;
    if (read.status != FileReadStatus::Ok)
        problem = Describe(read.status);
    else if (read.bytes.empty())
        problem = "empty file";
    if (problem) {
        out << name << ": cannot read " << path << ": " << problem << '\n';
        return false;
    }
    out << name << ": ok " << path << '\n';
    return true;
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
    // Every file is checked even when one fails, so one run shows every gap.
    bool ok = true;
    for (std::string_view readme : kShippedReadmeFiles)
        ok = CheckReadMe(folder.filePath(Name(readme)), Name(readme), out) && ok;
    for (std::string_view catalogue : kShippedCatalogueFiles) {
        const QString shipped = folder.filePath(Name(catalogue));
        std::string userCopy = UserCataloguePath(catalogue);
        const bool useCopy = !userCopy.empty() && FileExists(userCopy);
        const QString path = useCopy ? QFile::decodeName(userCopy.c_str()) : shipped;
        ok = CheckCatalogue(path, Name(catalogue), useCopy && QFileInfo(path) != QFileInfo(shipped),
                            out) && ok;
    }
    out.flush();
    return ok ? 0 : 1;
}

int RunInstallCheck() {
    RealPlatform platform;
    QTextStream out(stdout);
    return RunInstallCheck(platform, out);
}

}  // namespace quorvane
