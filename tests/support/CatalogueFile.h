#pragma once
// Catalogue files as the window tests write them: record lines given in
// UTF-8, the file in Shift-JIS under the usual heading line.

#include "support/ShiftJis.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include <string>

namespace quorvane::testing {

inline const std::string kCatalogueHeading = "\"事象\",\"詳細\",\"日付\",\"出典\"\r\n";

// The bytes exactly as given; a file that cannot be written fails the test.
inline QString WriteTestFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

inline QString WriteCatalogue(const QString& path, const std::string& utf8Records) {
    return WriteTestFile(path, ToShiftJis(kCatalogueHeading + utf8Records));
}

}  // namespace quorvane::testing
