#include "editor/ShippedOffer.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/ShippedEvents.h"
#include "editor/SaveBytes.h"
#include "files/FileLocation.h"
#include "opendialog/OpenDialog.h"
#include "services/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "widgets/Utf8.h"

#include <QCoreApplication>

using quorvane::FromUtf8;

namespace {

struct EditorText {
    Q_DECLARE_TR_FUNCTIONS(frmEditor)
};

}  // namespace

std::optional<ShippedOffer> FindShippedOffer(const QString& programFolder, const std::string& path,
                                             const quorvane::CatalogueDocument& document) {
    // Each face's catalogue has its own user copy, shipped file and answer.
    const std::string_view name = quorvane::CatalogueFileNameOf(path);
    const std::string userCopy = quorvane::UserCataloguePath(name);
    if (userCopy.empty() || path != userCopy || !quorvane::CanAppendEvents(document)) return std::nullopt;
    const quorvane::FileBytes shippedFile =
        quorvane::ReadCatalogueBytes(quorvane::ShippedCataloguePath(quorvane::LocalPath(programFolder), name));
    if (shippedFile.status != quorvane::FileReadStatus::Ok) return std::nullopt;
    quorvane::DocumentLoad shipped = quorvane::ParseCatalogueDocument(shippedFile.bytes);
    if (shipped.status != quorvane::DocumentReadStatus::Ok) return std::nullopt;

    const quorvane::settings::Key& answered = name == quorvane::kEnglishCatalogueFileName
                                                  ? quorvane::settings::kOfferedEnglishEvents
                                                  : quorvane::settings::kOfferedEvents;
    ShippedOffer offer;
    offer.key = quorvane::SettingsKey(answered);
    offer.fingerprint = FromUtf8(quorvane::CatalogueFingerprint(shippedFile.bytes));
    if (quorvane::OpenSettingsStore()->Read({offer.key}).value(offer.key) == offer.fingerprint) return std::nullopt;
    offer.missing = quorvane::MissingEvents(document, shipped.document).size();
    offer.shipped = std::move(shipped.document);
    return offer;
}

std::variant<Appended, QString> AppendShippedEvents(const std::string& path,
                                                    const quorvane::CatalogueDocument& shipped) {
    // What is missing is worked out from the file as it is now: another
    // Quorvane may have added the same events while the question was open.
    const quorvane::FileBytes file = quorvane::ReadCatalogueBytes(path);
    if (file.status != quorvane::FileReadStatus::Ok)
        return file.systemError != 0 ? qt_error_string(file.systemError)
                                     : EditorText::tr("%1 を読み込めませんでした。")
                                           .arg(quorvane::FromLocalPath(quorvane::GetFileName(path)));
    const quorvane::DocumentLoad now = quorvane::ParseCatalogueDocument(file.bytes);
    if (now.status != quorvane::DocumentReadStatus::Ok || !quorvane::CanAppendEvents(now.document))
        return EditorText::tr("%1 の最後の行が閉じていないため、後に行を書き足せません。")
            .arg(quorvane::FromLocalPath(quorvane::GetFileName(path)));
    const std::vector<quorvane::EventRow> rows = quorvane::MissingEvents(now.document, shipped);
    if (rows.empty()) return Appended{};
    // The user's lines are the bytes they were: the new ones only follow.
    auto appended = quorvane::AppendEvents(file.bytes, rows);
    if (const auto* failure = std::get_if<quorvane::EncodingFailure>(&appended)) {
        if (failure->character.empty())
            return EditorText::tr("このファイルは UTF-16 の文字の途中で終わっているため、後に行を書き足せません。");
        if (failure->formatCannotHold) return FromUtf8(quorvane::UnwritableReason(failure->character));
        return EditorText::tr("文字「%1」(%2) は %3 のファイルに書けません。")
            .arg(FromUtf8(failure->character), CodePoint(FromUtf8(failure->character)),
                 FromUtf8(quorvane::EncodingName(now.document.encoding)));
    }
    return Appended{std::get<std::string>(std::move(appended)), static_cast<int>(rows.size())};
}
