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

using T = CatalogueWording;

// The original face: these words are what users and their scripts know.
std::string_view JapaneseWords(CatalogueWording text) {
    switch (text) {
        case T::EmptyFile: return "見出しもデータもありません";
        case T::NoRecords: return "見出しの後にデータがありません";
        case T::BlankLine: return "空の行があります";
        case T::UnterminatedQuote: return "「\"」が閉じていません";
        case T::TextAfterQuote: return "閉じた「\"」の後に文字があります";
        case T::IncompleteGroup: return "項目が 4 つそろっていません";
        case T::InvalidDate: return "日付が正しくありません";
        case T::NullValue: return "#NULL# は出典にしか使えません";
        case T::ErrorValue: return "エラー値は使えません";
        case T::NotANumber: return "日付の欄が日付でも数値でもありません";
        case T::NumberOutOfRange: return "数値が大きすぎます";
        case T::DuplicateTitle: return "同じ事象がすでにあります";
        case T::NotUtf8: return "UTF-8 として読めない文字があります";
        case T::NotShiftJis: return "Shift-JIS として読めない文字があります";
        case T::NotUtf16: return "UTF-16 として読めない文字があります";
        case T::NulCharacter: return "NUL 文字があります";
        case T::TooManyRecords: return "データが %1を超えています";
        case T::UnreadableData: return "読めないデータがあります";
        case T::FileMissing: return "%1 が見つかりません。";
        case T::NotAFile: return "%1 はファイルではありません。";
        case T::FileUnreadable: return "%1 を読み込めません。";
        case T::FileTooLarge: return "%1 は大きすぎるため読み込めません。（%2 まで）";
        case T::ProblemOnLine: return "%1 の %2 行目に誤りがあります（%3）。\n読み込めなかったデータ：%4 件";
        case T::CannotHoldQuote: return "この形式では項目の中に「\"」を書けません";
        case T::CannotHoldLineBreak: return "この形式では項目の中に改行を書けません";
        case T::CannotHoldNul: return "この形式では項目の中に NUL 文字を書けません";
        case T::CannotHoldValue: return "この形式では書けない値です";
        case T::DateCellForm: return "日付は宇宙暦（例 41153.7）か西暦（例 2063-04-05）で入力してください";
        case T::QuoteNotAllowed: return "「\"」は使えません";
        case T::LineBreakNotAllowed: return "改行は使えません";
        case T::TitleRequired: return "事象を入力してください";
        case T::DetailRequired: return "詳細を入力してください";
        case T::TitleTaken: return "同じ事象がすでにあります";
        case T::ItemNotWritable: return "%1 番目の項目は保存できません（%2）";
        case T::MoreProblems: return "ほかに %1 件の誤りがあります（%2 件を超える分は示しません）";
    }
    return "読めないデータがあります";
}

// A line's reasons stand inside parentheses or after "FILE:LINE: ", so they
// start in lower case; the editor's refusals stand alone.
std::string_view EnglishWords(CatalogueWording text) {
    switch (text) {
        case T::EmptyFile: return "no header and no events";
        case T::NoRecords: return "no events after the header";
        case T::BlankLine: return "a blank line";
        case T::UnterminatedQuote: return "a \" is never closed";
        case T::TextAfterQuote: return "text after a closing \"";
        case T::IncompleteGroup: return "fewer than 4 items";
        case T::InvalidDate: return "not a valid date";
        case T::NullValue: return "#NULL# can stand only as the source";
        case T::ErrorValue: return "error values cannot be used";
        case T::NotANumber: return "the date is neither a date nor a number";
        case T::NumberOutOfRange: return "the number is too large";
        case T::DuplicateTitle: return "an event with this title is already listed";
        case T::NotUtf8: return "characters that cannot be read as UTF-8";
        case T::NotShiftJis: return "characters that cannot be read as Shift-JIS";
        case T::NotUtf16: return "characters that cannot be read as UTF-16";
        case T::NulCharacter: return "a NUL character";
        case T::TooManyRecords: return "more than %1 events";
        case T::UnreadableData: return "data that cannot be read";
        case T::FileMissing: return "%1 cannot be found.";
        case T::NotAFile: return "%1 is not a file.";
        case T::FileUnreadable: return "%1 cannot be read.";
        case T::FileTooLarge: return "%1 is too large to read (the limit is %2).";
        case T::ProblemOnLine: return "Line %2 of %1 has an error (%3).\nEvents that could not be read: %4";
        case T::CannotHoldQuote: return "This format cannot hold a \" inside an item";
        case T::CannotHoldLineBreak: return "This format cannot hold a line break inside an item";
        case T::CannotHoldNul: return "This format cannot hold a NUL character inside an item";
        case T::CannotHoldValue: return "This format cannot hold this value";
        case T::DateCellForm: return "Enter a stardate (like 41153.7) or an Earth date (like 2063-04-05)";
        case T::QuoteNotAllowed: return "A \" cannot be used here";
        case T::LineBreakNotAllowed: return "A line break cannot be used here";
        case T::TitleRequired: return "Enter the event";
        case T::DetailRequired: return "Enter the detail";
        case T::TitleTaken: return "An event with this title is already listed";
        case T::ItemNotWritable: return "item %1 cannot be saved (%2)";
        case T::MoreProblems: return "%1 more errors (no more than %2 are listed)";
    }
    return "data that cannot be read";
}

// "%1".."%9" take the arguments; any other "%" stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += *(args.begin() + n);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// A count as each face writes a round limit: "100 万件", "1,000,000".
std::string CountText(std::size_t count, UiLanguage language) {
    const std::string digits = std::to_string(count);
    if (language == UiLanguage::Japanese) {
        if (count >= 10000 && count % 10000 == 0) return std::to_string(count / 10000) + " 万件";
        return digits + " 件";
    }
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
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
    switch (language) {
        case UiLanguage::Japanese: return Fill(JapaneseWords(text), args);
        case UiLanguage::English: return Fill(EnglishWords(text), args);
    }
    return Fill(JapaneseWords(text), args);
}

std::string ProblemReason(CatalogueProblemKind kind, TextEncoding encoding, UiLanguage language) {
    const CatalogueWording text = TextOf(kind, encoding);
    if (text == T::TooManyRecords)
        return CatalogueWords(text, language, {CountText(kMaxCatalogueRecords, language)});
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
    return CatalogueWords(T::ProblemOnLine, language,
                          {fileName, std::to_string(*line), ProblemReason(kind, content.encoding, language),
                           std::to_string(content.skippedRecords)});
}

}  // namespace quorvane
