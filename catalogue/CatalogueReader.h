#pragma once
// Reads the event catalogue: a text file of comma-separated items in groups
// of four, a header group of column headings and then one group per event.
// The file is Shift-JIS (code page 932); or UTF-8, with a byte-order mark or
// without (then the whole file is valid UTF-8 and not plain ASCII); or
// UTF-16 with its mark. Any bytes give records and problems; nothing here
// throws on bad input. The parts: ItemScanner splits the bytes into items,
// ItemParser makes tagged values of them, TextCodec decodes their text,
// TitleKey holds the duplicate rule, CatalogueMessages tells the user.

#include "catalogue/CatalogueMessages.h"
#include "catalogue/CatalogueProblem.h"
#include "text/TextCodec.h"
#include "catalogue/TitleKey.h"
#include "catalogue/clsStarData.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class FileReadStatus { Ok, Missing, NotAFile, Unreadable, TooLarge };

struct FileBytes {
    FileReadStatus status = FileReadStatus::Ok;
    std::string bytes;
    // The system's error number when the file could not be opened or read
    // (as RegularFile::error() gives it); 0 when none is known.
    int systemError = 0;
};

// The whole file, read at once; the file is closed again whatever happens.
FileBytes ReadCatalogueBytes(const std::string& path);

struct CatalogueContent {
    // Title, detail, date and source headings in their text form; absent
    // when the header group could not be read.
    std::optional<std::array<std::string, 4>> headings;
    std::vector<clsStarData> records;        // the good records, in file order
    std::vector<CatalogueProblem> problems;  // in reading order
    std::size_t unlistedProblems = 0;        // beyond kMaxCatalogueProblems: counted only
    std::size_t skippedRecords = 0;          // record groups left out
    TextEncoding encoding = TextEncoding::ShiftJis;  // the file's, as recognised
    bool utf8 = false;                       // its items were read as UTF-8
};

// The text the reader scans: the file's bytes without their mark, UTF-16
// turned into UTF-8 line for line (so line numbers stay).
class CatalogueText {
public:
    explicit CatalogueText(std::string_view bytes);
    CatalogueText(const CatalogueText&) = delete;
    CatalogueText& operator=(const CatalogueText&) = delete;

    TextEncoding encoding() const { return m_encoding; }
    std::string_view text() const { return m_converted ? std::string_view(m_utf8) : m_bytes; }

private:
    TextEncoding m_encoding = TextEncoding::ShiftJis;
    std::string_view m_bytes;
    std::string m_utf8;
    bool m_converted = false;
};

// How a source without text stands in the file: #NULL#, "" or an empty
// item. Only #NULL# reads "Nothing"; a save writes each back as it came.
enum class EmptySource : unsigned char { Null, Quoted, Missing };

// Where one group of four items stood, and what became of it: for the
// editor, which writes back what it could not read at the same place.
struct CatalogueGroup {
    static constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);
    std::size_t firstLine = 1;  // 1-based
    std::size_t lastLine = 1;
    bool endsLine = false;   // its last item ended a line (or the file)
    bool complete = false;   // four items, or cut short at a line break
    bool nullSource = false; // the source item was #NULL#, which the record calls "Nothing"
    std::size_t record = kNoRecord;  // index into records; none for the header
    std::size_t end = 0;  // offset in the text read just past the separator after its last item
    EmptySource emptySource = EmptySource::Null;  // the source's form, where it has no text
};

// Records beyond `maxRecords` are skipped and reported once. `groups`, when
// given, receives every group in file order, the header's first.
CatalogueContent ParseCatalogue(std::string_view bytes,
                                std::size_t maxRecords = kMaxCatalogueRecords,
                                std::vector<CatalogueGroup>* groups = nullptr);
CatalogueContent ParseCatalogue(const CatalogueText& text,
                                std::size_t maxRecords = kMaxCatalogueRecords,
                                std::vector<CatalogueGroup>* groups = nullptr);

// What a reading found, for the one message about it: the file's status
// and, when it was read, its problems and the records left out.
struct CatalogueLoad {
    FileReadStatus status = FileReadStatus::Ok;
    CatalogueContent content;  // empty unless status is Ok
};

}  // namespace quorvane
