#include "catalogue/CatalogueMessages.h"

#include "catalogue/CatalogueReader.h"

#include <algorithm>
#include <string>

namespace quorvane {

std::optional<std::size_t> FirstProblemLine(const CatalogueContent& content) {
    if (content.problems.empty()) return std::nullopt;
    std::size_t line = content.problems.front().line;
    for (const CatalogueProblem& p : content.problems) line = std::min(line, p.line);
    return line;
}

namespace {

// A round limit as Japanese text writes it: "100 万件".
std::string LimitCountText(std::size_t count) {
    if (count >= 10000 && count % 10000 == 0) return std::to_string(count / 10000) + " 万件";
    return std::to_string(count) + " 件";
}

static_assert(kMaxCatalogueBytes % (1024 * 1024) == 0, "the size limit is told in whole MB");
const std::string kSizeLimit = std::to_string(kMaxCatalogueBytes / (1024 * 1024)) + " MB";
const std::string kTooManyRecords = "データが " + LimitCountText(kMaxCatalogueRecords) + "を超えています";

}  // namespace

std::string_view ProblemReason(CatalogueProblemKind kind, TextEncoding encoding) {
    switch (kind) {
        case CatalogueProblemKind::EmptyFile: return "見出しもデータもありません";
        case CatalogueProblemKind::NoRecords: return "見出しの後にデータがありません";
        case CatalogueProblemKind::BlankLine: return "空の行があります";
        case CatalogueProblemKind::UnterminatedQuote: return "「\"」が閉じていません";
        case CatalogueProblemKind::TextAfterQuote: return "閉じた「\"」の後に文字があります";
        case CatalogueProblemKind::IncompleteGroup: return "項目が 4 つそろっていません";
        case CatalogueProblemKind::InvalidDate: return "日付が正しくありません";
        case CatalogueProblemKind::NullValue: return "#NULL# は出典にしか使えません";
        case CatalogueProblemKind::ErrorValue: return "エラー値は使えません";
        case CatalogueProblemKind::NotANumber: return "日付の欄が日付でも数値でもありません";
        case CatalogueProblemKind::NumberOutOfRange: return "数値が大きすぎます";
        case CatalogueProblemKind::DuplicateTitle: return "同じ事象がすでにあります";
        case CatalogueProblemKind::InvalidCharacters:
            switch (encoding) {
                case TextEncoding::ShiftJis: return "Shift-JIS として読めない文字があります";
                case TextEncoding::Utf16Le:
                case TextEncoding::Utf16Be: return "UTF-16 として読めない文字があります";
                default: return "UTF-8 として読めない文字があります";
            }
        case CatalogueProblemKind::NulCharacter: return "NUL 文字があります";
        case CatalogueProblemKind::TooManyRecords: return kTooManyRecords;
    }
    return "読めないデータがあります";
}

std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load) {
    const std::string name(fileName);
    switch (load.status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return name + " が見つかりません。";
        case FileReadStatus::NotAFile: return name + " はファイルではありません。";
        case FileReadStatus::Unreadable: return name + " を読み込めません。";
        case FileReadStatus::TooLarge:
            return name + " は大きすぎるため読み込めません。（" + kSizeLimit + " まで）";
    }
    const CatalogueContent& content = load.content;
    const std::optional<std::size_t> line = FirstProblemLine(content);
    if (!line) return {};
    CatalogueProblemKind kind = content.problems.front().kind;
    for (const CatalogueProblem& p : content.problems) {
        if (p.line == *line) {
            kind = p.kind;
            break;
        }
    }
    return name + " の " + std::to_string(*line) + " 行目に誤りがあります（" +
           std::string(ProblemReason(kind, content.encoding)) + "）。\n読み込めなかったデータ：" +
           std::to_string(content.skippedRecords) + " 件";
}

}  // namespace quorvane
