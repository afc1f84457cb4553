#pragma once
// Reads the event catalogue: a text file of comma-separated items in groups
// of four, a header group of column headings and then one group per event.
// The file is Shift-JIS (code page 932), or UTF-8 when it starts with a
// UTF-8 byte-order mark. Any bytes give records and problems; nothing here
// throws on bad input.

#include "catalogue/clsStarData.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// No real catalogue comes near this; a bigger file is something else.
inline constexpr std::size_t kMaxCatalogueBytes = 64u * 1024u * 1024u;

// More events than anyone browses in a drop-down list; records beyond it are
// skipped, which keeps memory in proportion for files of tiny records.
inline constexpr std::size_t kMaxCatalogueRecords = 1'000'000;

// Problems listed at most: the user is told the first one and the number of
// records lost, and a file of nothing but mistakes must not cost gigabytes.
inline constexpr std::size_t kMaxCatalogueProblems = 1000;

enum class FileReadStatus { Ok, Missing, NotAFile, Unreadable, TooLarge };

struct FileBytes {
    FileReadStatus status = FileReadStatus::Ok;
    std::string bytes;
};

// The whole file, read at once; the file is closed again whatever happens.
FileBytes ReadCatalogueBytes(const std::string& path);

enum class CatalogueProblemKind {
    EmptyFile,          // not even a header
    NoRecords,          // a header and nothing after it
    BlankLine,          // skipped; later records are not shifted
    UnterminatedQuote,  // the item ends at the line break
    TextAfterQuote,     // "abc"def
    IncompleteGroup,    // fewer than four items
    InvalidItem,        // #...# that is no date, #NULL#, #TRUE#, #FALSE# or #ERROR n#
    InvalidDate,        // not a real day, or outside the years 100 to 9999
    NullValue,          // #NULL# as title, detail or date
    ErrorValue,         // #ERROR n# anywhere
    NotANumber,         // a date column that is neither a date nor a number
    NumberOutOfRange,   // a number too large for a double
    DuplicateTitle,     // equal to an earlier title, letter case aside
    InvalidCharacters,  // bytes that are not valid in the file's encoding
    NulCharacter,       // a NUL byte
    TooManyRecords,     // beyond kMaxCatalogueRecords
};

struct CatalogueProblem {
    std::size_t line = 0;  // 1-based
    CatalogueProblemKind kind = CatalogueProblemKind::EmptyFile;
    bool operator==(const CatalogueProblem&) const = default;
};

struct CatalogueContent {
    // Title, detail, date and source headings in their text form; absent
    // when the header group could not be read.
    std::optional<std::array<std::string, 4>> headings;
    std::vector<clsStarData> records;        // the good records, in file order
    std::vector<CatalogueProblem> problems;  // in reading order
    std::size_t unlistedProblems = 0;        // beyond kMaxCatalogueProblems: counted only
    std::size_t skippedRecords = 0;          // record groups left out
    bool utf8 = false;                       // the file started with a UTF-8 mark
};

// Records beyond `maxRecords` are skipped and reported once.
CatalogueContent ParseCatalogue(std::string_view bytes,
                                std::size_t maxRecords = kMaxCatalogueRecords);

// The one key titles are compared by, for uniqueness and for the list order:
// letter case is folded (ASCII, Latin, Greek, Cyrillic and full-width Latin
// letters); full-width and half-width forms stay distinct.
std::string FoldTitle(std::string_view title);

// Indices of `records` in list order: by folded title, then file order.
std::vector<std::size_t> TitleOrder(const std::vector<clsStarData>& records);

struct CatalogueLoad {
    FileReadStatus status = FileReadStatus::Ok;
    CatalogueContent content;  // empty unless status is Ok
};

CatalogueLoad LoadCatalogue(const std::string& path);

// Line of the earliest problem, if any.
std::optional<std::size_t> FirstProblemLine(const CatalogueContent& content);

// Why a line was refused, as the window words it (UTF-8, Japanese).
std::string_view ProblemReason(CatalogueProblemKind kind, bool utf8);

// The one message that tells the user what went wrong with the file (UTF-8,
// Japanese), or empty text when it loaded cleanly.
std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load);

}  // namespace quorvane
