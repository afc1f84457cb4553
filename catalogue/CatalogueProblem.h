#pragma once
// What can be wrong with a catalogue file, and the limits that keep a
// hostile file from costing more than a real one.

#include <cstddef>
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

enum class CatalogueProblemKind {
    EmptyFile,          // not even a header
    NoRecords,          // a header and nothing after it
    BlankLine,          // skipped; later records are not shifted
    UnterminatedQuote,  // the item ends at the line break
    TextAfterQuote,     // "abc"def
    IncompleteGroup,    // fewer than four items
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

// Only the first problems are kept; the rest, and the records they cost,
// are counted apart.
inline void AddProblem(std::vector<CatalogueProblem>& problems, std::size_t& unlisted,
                       CatalogueProblem problem) {
    if (problems.size() < kMaxCatalogueProblems) problems.push_back(problem);
    else ++unlisted;
}

}  // namespace quorvane
