#include "editor/SaveBytes.h"

#include "ProgramInfo.h"
#include "services/Platform.h"
#include "widgets/Utf8.h"

#include <QCoreApplication>

using quorvane::EncodingFailure;
using quorvane::FromUtf8;
using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;

namespace {

// The editor's own words, where its other texts are.
struct EditorText {
    Q_DECLARE_TR_FUNCTIONS(frmEditor)
};

// Where a refused character stands, as the user finds it in the grid.
QString Place(const quorvane::CatalogueDocument& document, const EncodingFailure& failure) {
    const std::size_t rowCount = document.rows.size();
    if (failure.column < 0)
        return failure.row < rowCount ? EditorText::tr("%1 件目の事象の前にある読み込めなかった行").arg(failure.row + 1)
                                      : EditorText::tr("最後の読み込めなかった行");
    if (failure.row >= rowCount) return EditorText::tr("見出しの行");
    return EditorText::tr("%1 件目の事象「%2」の「%3」欄（%4 列目）")
        .arg(failure.row + 1)
        .arg(FromUtf8(document.rows[failure.row].title),
             FromUtf8(document.headings[static_cast<std::size_t>(failure.column)]))
        .arg(failure.column + 1);
}

class Encoder {
public:
    Encoder(quorvane::Platform& platform, QWidget* parent, const quorvane::CatalogueDocument& document)
        : m_platform(platform), m_parent(parent), m_document(document) {}

    bool ask(const QString& question, MessageIcon icon) {
        return m_platform.showMessage(m_parent, question, FromUtf8(quorvane::kProgramCaption), icon,
                                      MessageButtons::YesNo) == MessageAnswer::Yes;
    }

    SaveRefused refuse(const EncodingFailure& failure, const QString& reason) {
        m_platform.showMessage(m_parent, reason, FromUtf8(quorvane::kProgramCaption), MessageIcon::Warning,
                               MessageButtons::Ok);
        if (failure.column >= 0 && failure.row < m_document.rows.size())
            return {static_cast<int>(failure.row), failure.column};
        return {};
    }

    QString place(const EncodingFailure& failure) const { return Place(m_document, failure); }

    QString formatRefusal(const EncodingFailure& failure) const {
        const QString character = FromUtf8(failure.character);
        return EditorText::tr("%1に「%2」(%3) があります。\n%4。このままでは保存できません。")
            .arg(place(failure), character, CodePoint(character),
                 FromUtf8(quorvane::UnwritableReason(failure.character)));
    }

    std::variant<SaveBytes, SaveRefused> encode();

private:
    quorvane::Platform& m_platform;
    QWidget* m_parent;
    const quorvane::CatalogueDocument& m_document;
};

std::variant<SaveBytes, SaveRefused> Encoder::encode() {
    if (const auto line = quorvane::LineInAnotherEncoding(m_document)) {
        if (!ask(EditorText::tr("読み込めなかった %1 行目は %2 の文字として正しくありません。\n"
                                "この行は読み込んだときのまま書き戻すため、保存したファイルには"
                                "別の文字コードの行が混ざります。\n保存しますか？")
                     .arg(*line)
                     .arg(FromUtf8(quorvane::EncodingName(m_document.keptEncoding))),
                 MessageIcon::Warning))
            return SaveRefused{};
    }
    quorvane::TextEncoding encoding = m_document.encoding;
    auto encoded = quorvane::EncodeCatalogueDocument(m_document);
    if (const auto* failure = std::get_if<EncodingFailure>(&encoded)) {
        const QString character = FromUtf8(failure->character);
        // No encoding holds what the format cannot: offering UTF-8 would
        // only fail again.
        if (failure->formatCannotHold) return refuse(*failure, formatRefusal(*failure));
        if (encoding != quorvane::TextEncoding::ShiftJis)
            return refuse(*failure, EditorText::tr("%1にある文字「%2」(%3) は %4 で保存できません。")
                                        .arg(place(*failure), character, CodePoint(character),
                                             FromUtf8(quorvane::EncodingName(encoding))));
        if (!ask(EditorText::tr("%1にある文字「%2」(%3) は Shift-JIS で保存できません。\n"
                                "UTF-8 (BOM 付き) のファイルとして保存しますか？")
                     .arg(place(*failure), character, CodePoint(character)),
                 MessageIcon::Question))
            return SaveRefused{};
        quorvane::CatalogueDocument asUtf8 = m_document;
        asUtf8.encoding = quorvane::TextEncoding::Utf8;
        encoded = quorvane::EncodeCatalogueDocument(asUtf8);
        if (const auto* again = std::get_if<EncodingFailure>(&encoded)) {
            const QString other = FromUtf8(again->character);
            return refuse(*again, again->formatCannotHold
                                      ? formatRefusal(*again)
                                      : EditorText::tr("%1にある文字「%2」(%3) は UTF-8 でも保存できません。")
                                            .arg(place(*again), other, CodePoint(other)));
        }
        encoding = quorvane::TextEncoding::Utf8;
    }
    return SaveBytes{std::get<std::string>(std::move(encoded)), encoding};
}

}  // namespace

std::variant<SaveBytes, SaveRefused> EncodeForSave(quorvane::Platform& platform, QWidget* parent,
                                                   const quorvane::CatalogueDocument& document) {
    return Encoder(platform, parent, document).encode();
}

QString CodePoint(const QString& character) {
    const QList<uint> points = character.toUcs4();
    return points.isEmpty() ? QString()
                            : QStringLiteral("U+%1").arg(points.first(), 4, 16, QLatin1Char('0')).toUpper();
}
