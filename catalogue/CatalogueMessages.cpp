#include "catalogue/CatalogueMessages.h"

#include "catalogue/CatalogueReader.h"

#include "language/Words.h"

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

using T = CatalogueWording;


// The sources' words; users and their scripts know the Japanese ones.
SourceText SourceOf(CatalogueWording text) {
    switch (text) {
        case T::EmptyFile: return QV_TEXT("CatalogueMessages", "見出しもデータもありません");
        case T::NoRecords: return QV_TEXT("CatalogueMessages", "見出しの後にデータがありません");
        case T::BlankLine: return QV_TEXT("CatalogueMessages", "空の行があります");
        case T::UnterminatedQuote: return QV_TEXT("CatalogueMessages", "「\"」が閉じていません");
        case T::TextAfterQuote: return QV_TEXT("CatalogueMessages", "閉じた「\"」の後に文字があります");
        case T::IncompleteGroup: return QV_TEXT("CatalogueMessages", "項目が 4 つそろっていません");
        case T::InvalidDate: return QV_TEXT("CatalogueMessages", "日付が正しくありません");
        case T::NullValue: return QV_TEXT("CatalogueMessages", "#NULL# は出典にしか使えません");
        case T::ErrorValue: return QV_TEXT("CatalogueMessages", "エラー値は使えません");
        case T::NotANumber: return QV_TEXT("CatalogueMessages", "日付の欄が日付でも数値でもありません");
        case T::NumberOutOfRange: return QV_TEXT("CatalogueMessages", "数値が大きすぎます");
        case T::DuplicateTitle:
        case T::TitleTaken: return QV_TEXT("CatalogueMessages", "同じ事象がすでにあります");
        case T::NotUtf8: return QV_TEXT("CatalogueMessages", "UTF-8 として読めない文字があります");
        case T::NotShiftJis: return QV_TEXT("CatalogueMessages", "Shift-JIS として読めない文字があります");
        case T::NotUtf16: return QV_TEXT("CatalogueMessages", "UTF-16 として読めない文字があります");
        case T::NulCharacter: return QV_TEXT("CatalogueMessages", "NUL 文字があります");
        case T::TooManyRecords: return QV_TEXT("CatalogueMessages", "データが %1を超えています");
        case T::UnreadableData: return QV_TEXT("CatalogueMessages", "読めないデータがあります");
        case T::FileMissing: return QV_TEXT("CatalogueMessages", "%1 が見つかりません。");
        case T::NotAFile: return QV_TEXT("CatalogueMessages", "%1 はファイルではありません。");
        case T::FileUnreadable: return QV_TEXT("CatalogueMessages", "%1 を読み込めません。");
        case T::FileTooLarge: return QV_TEXT("CatalogueMessages", "%1 は大きすぎるため読み込めません。（%2 まで）");
        case T::ProblemOnLine: return QV_TEXT("CatalogueMessages", "%1 の %2 行目に誤りがあります（%3）。");
        case T::NoEventsInFile: return QV_TEXT("CatalogueMessages", "%1 には事象がありません（%2）。");
        case T::SaveTooLarge: return QV_TEXT("CatalogueMessages", "ファイルが %1 を超えるため、保存すると読み込めなくなります。");
        case T::SaveTooManyRecords:
            return QV_TEXT("CatalogueMessages", "事象が %1を超えるため、保存すると超えた分を読み込めなくなります。");
        case T::CannotHoldQuote: return QV_TEXT("CatalogueMessages", "この形式では項目の中に「\"」を書けません");
        case T::CannotHoldLineBreak: return QV_TEXT("CatalogueMessages", "この形式では項目の中に改行を書けません");
        case T::CannotHoldNul: return QV_TEXT("CatalogueMessages", "この形式では項目の中に NUL 文字を書けません");
        case T::CannotHoldValue: return QV_TEXT("CatalogueMessages", "この形式では書けない値です");
        case T::DateCellForm: return QV_TEXT("CatalogueMessages", "日付は宇宙暦（例 41153.7）か西暦（例 2063-04-05）で入力してください");
        case T::QuoteNotAllowed: return QV_TEXT("CatalogueMessages", "「\"」は使えません");
        case T::LineBreakNotAllowed: return QV_TEXT("CatalogueMessages", "改行は使えません");
        case T::TitleRequired: return QV_TEXT("CatalogueMessages", "事象を入力してください");
        case T::DetailRequired: return QV_TEXT("CatalogueMessages", "詳細を入力してください");
        case T::ItemNotWritable: return QV_TEXT("CatalogueMessages", "%1 番目の項目は保存できません（%2）");
        case T::SkippedRecords:
        case T::MoreProblems: break;
    }
    return QV_TEXT("CatalogueMessages", "読めないデータがあります");
}

// The texts that show a count, "%n".
SourceText CountedSourceOf(CatalogueWording text) {
    if (text == T::SkippedRecords) return QV_TEXT_N("CatalogueMessages", "読み込めなかったデータ：%n 件");
    return QV_TEXT_N("CatalogueMessages", "ほかに %n 件の誤りがあります（%1 件を超える分は示しません）");
}

// The record limit as each face writes it: "100 万件", "1,000,000".
std::string RecordLimitText(UiLanguage language) {
    static_assert(kMaxCatalogueRecords == 1'000'000, "the texts name the limit");
    return Words(QV_TEXT("CatalogueMessages", "100 万件"), {}, language);
}

static_assert(kMaxCatalogueBytes % (1024 * 1024) == 0, "the size limit is told in whole MB");
const std::string kSizeLimit = std::to_string(kMaxCatalogueBytes / (1024 * 1024)) + " MB";

CatalogueWording TextOf(CatalogueProblemKind kind, TextEncoding encoding) {
    switch (kind) {
        case CatalogueProblemKind::EmptyFile: return T::EmptyFile;
        case CatalogueProblemKind::NoRecords: return T::NoRecords;
        case CatalogueProblemKind::BlankLine: return T::BlankLine;
        case CatalogueProblemKind::UnterminatedQuote: return T::UnterminatedQuote;
        case CatalogueProblemKind::TextAfterQuote: return T::TextAfterQuote;
        case CatalogueProblemKind::IncompleteGroup: return T::IncompleteGroup;
        case CatalogueProblemKind::InvalidDate: return T::InvalidDate;
        case CatalogueProblemKind::NullValue: return T::NullValue;
        case CatalogueProblemKind::ErrorValue: return T::ErrorValue;
        case CatalogueProblemKind::NotANumber: return T::NotANumber;
        case CatalogueProblemKind::NumberOutOfRange: return T::NumberOutOfRange;
        case CatalogueProblemKind::DuplicateTitle: return T::DuplicateTitle;
        case CatalogueProblemKind::InvalidCharacters:
            switch (encoding) {
                case TextEncoding::ShiftJis: return T::NotShiftJis;
                case TextEncoding::Utf16Le:
                case TextEncoding::Utf16Be: return T::NotUtf16;
                case TextEncoding::Utf8:
                case TextEncoding::Utf8NoMark: return T::NotUtf8;
            }
            return T::NotUtf8;
        case CatalogueProblemKind::NulCharacter: return T::NulCharacter;
        case CatalogueProblemKind::TooManyRecords: return T::TooManyRecords;
    }
    return T::UnreadableData;
}

}  // namespace

std::string CatalogueWords(CatalogueWording text, UiLanguage language,
                           std::initializer_list<std::string_view> args) {
    return Words(SourceOf(text), args, language);
}

std::string CatalogueWordsN(CatalogueWording text, std::size_t count, UiLanguage language,
                            std::initializer_list<std::string_view> args) {
    return WordsN(CountedSourceOf(text), static_cast<long long>(count), args, language);
}

std::string ProblemReason(CatalogueProblemKind kind, TextEncoding encoding, UiLanguage language) {
    const CatalogueWording text = TextOf(kind, encoding);
    if (text == T::TooManyRecords)
        return CatalogueWords(text, language, {RecordLimitText(language)});
    return CatalogueWords(text, language);
}

std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load,
                             UiLanguage language) {
    switch (load.status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return CatalogueWords(T::FileMissing, language, {fileName});
        case FileReadStatus::NotAFile: return CatalogueWords(T::NotAFile, language, {fileName});
        case FileReadStatus::Unreadable:
            return CatalogueWords(T::FileUnreadable, language, {fileName});
        case FileReadStatus::TooLarge:
            return CatalogueWords(T::FileTooLarge, language, {fileName, kSizeLimit});
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
    const std::string reason = ProblemReason(kind, content.encoding, language);
    // A file with nothing to read is not a line in error.
    if (kind == CatalogueProblemKind::EmptyFile || kind == CatalogueProblemKind::NoRecords)
        return CatalogueWords(T::NoEventsInFile, language, {fileName, reason});
    std::string message = CatalogueWords(T::ProblemOnLine, language, {fileName, std::to_string(*line), reason});
    if (content.skippedRecords > 0)
        message += "\n" + CatalogueWordsN(T::SkippedRecords, content.skippedRecords, language);
    return message;
}

std::optional<std::string> SaveLimitRefusal(std::size_t bytes, std::size_t records, UiLanguage language) {
    if (bytes > kMaxCatalogueBytes) return CatalogueWords(T::SaveTooLarge, language, {kSizeLimit});
    if (records > kMaxCatalogueRecords)
        return CatalogueWords(T::SaveTooManyRecords, language, {RecordLimitText(language)});
    return std::nullopt;
}

}  // namespace quorvane
