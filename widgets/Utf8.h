#pragma once
// The program's own texts are UTF-8 in plain C++; Qt's are UTF-16.

#include <QString>
#include <QStringDecoder>
#include <string>
#include <string_view>

namespace quorvane {

// Unlike QString::fromUtf8, keeps a leading U+FEFF: in a text it is a
// character, not a byte-order mark.
inline QString FromUtf8(std::string_view text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace quorvane
