#pragma once
// What the user is told about a catalogue file: the reason for each kind of
// problem, the one message for a whole load, and the editor's refusals.
// Each text is named here; its words, UTF-8, come from the face's translation.

#include "catalogue/CatalogueProblem.h"
#include "text/TextCodec.h"
#include "language/UiLanguage.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

struct CatalogueContent;
struct CatalogueLoad;

// The arguments, in order, are given where a text takes them.
enum class CatalogueWording {
    // Why a line is wrong.
    EmptyFile,
    NoRecords,
    BlankLine,
    UnterminatedQuote,
    TextAfterQuote,
    IncompleteGroup,
    InvalidDate,
    NullValue,
    ErrorValue,
    NotANumber,
    NumberOutOfRange,
    DuplicateTitle,
    NotUtf8,
    NotShiftJis,
    NotUtf16,
    NulCharacter,
    TooManyRecords,  // the record limit
    UnreadableData,
    // The whole file; each takes the file's name.
    FileMissing,
    NotAFile,
    FileUnreadable,
    FileTooLarge,    // name, size limit
    ProblemOnLine,   // name, line, reason
    NoEventsInFile,  // name, reason
    SkippedRecords,  // counted: records left out
    // Why the editor refuses a save that would pass a reading limit.
    SaveTooLarge,        // size limit
    SaveTooManyRecords,  // record limit
    // What an item cannot hold in this format.
    CannotHoldQuote,
    CannotHoldLineBreak,
    CannotHoldNul,
    CannotHoldValue,
    // Why the editor refuses a cell's text.
    DateCellForm,
    QuoteNotAllowed,
    LineBreakNotAllowed,
    TitleRequired,
    DetailRequired,
    TitleTaken,
    // quorvane-cli --check's own findings.
    ItemNotWritable,  // item number (1 to 4), reason
    MoreProblems,     // counted: problems not listed; listing limit
};
inline constexpr CatalogueWording kLastCatalogueWording = CatalogueWording::MoreProblems;

// The text in `language`, with "%1", "%2"… replaced by the arguments.
std::string CatalogueWords(CatalogueWording text, UiLanguage language,
                           std::initializer_list<std::string_view> args = {});
// A counted text (SkippedRecords, MoreProblems) in the plural form for `count`.
std::string CatalogueWordsN(CatalogueWording text, std::size_t count, UiLanguage language,
                            std::initializer_list<std::string_view> args = {});

// Why a save of `bytes` holding `records` events is refused: the file could
// not be read back whole. No value within the limits.
std::optional<std::string> SaveLimitRefusal(std::size_t bytes, std::size_t records,
                                            UiLanguage language = ActiveUiLanguage());

// Why a line is wrong, for a message or a list of every problem; the file's
// `encoding` is named where that is the reason.
std::string ProblemReason(CatalogueProblemKind kind, TextEncoding encoding,
                          UiLanguage language = ActiveUiLanguage());

// Line of the earliest problem, if any.
std::optional<std::size_t> FirstProblemLine(const CatalogueContent& content);

// The one message that tells the user what went wrong with the file, or
// empty text when it loaded cleanly.
std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load,
                             UiLanguage language = ActiveUiLanguage());

}  // namespace quorvane
