#pragma once
// The program's own texts are UTF-8 in plain C++; Qt's are UTF-16.

#include <QString>
#include <string>
#include <string_view>

namespace quorvane {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace quorvane
