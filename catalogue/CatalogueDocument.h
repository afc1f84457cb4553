#pragma once
// A catalogue file as the editor holds it, and the same file written back:
// the header line as it was, the events in file order, and the lines the
// reader could not read, kept at their places so that a save loses nothing.
// Plain C++; the window does the file replacement, the rules live here.

#include "catalogue/CatalogueReader.h"
#include "catalogue/TaggedValue.h"
#include "text/TextCodec.h"
#include "catalogue/clsStarData.h"
#include "language/UiLanguage.h"
#include "ProgramInfo.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvane {

// An event's date: a stardate or an Earth date (years 100 to 9999).
using EventDate = std::variant<double, DateValue>;

struct EventRow {
    std::string title;   // UTF-8, never empty
    std::string detail;  // UTF-8, never empty
    EventDate date;
    std::string source;  // UTF-8
    // How an empty source is written; a new row's is #NULL#.
    EmptySource emptySource = EmptySource::Null;
    // The row's own line(s) as read, line end included, where its texts hold
    // what this format cannot write (a quote inside an unquoted item): while
    // nobody changes the row it is written back as it was. Empty otherwise,
    // and once the row is edited.
    std::string asRead{};

    bool operator==(const EventRow&) const = default;
};

// Lines of the file the reader skipped, byte for byte (line ends included),
// written back before the row they stood before (rows.size(): at the end).
struct KeptLines {
    std::size_t beforeRow = 0;
    std::string bytes;
    std::size_t firstLine = 0;  // 1-based, in the file as read
    std::size_t lineCount = 0;
    // The file ended inside a group of fewer than four items, which would
    // take the items of any line written after it: these lines stay last.
    bool unfinishedGroup = false;

    bool operator==(const KeptLines&) const = default;
};

struct CatalogueDocument {
    TextEncoding encoding = TextEncoding::ShiftJis;  // kept by a save
    std::string headerBytes;  // the header line as it was, without its line end
    std::array<std::string, 4> headings;  // title, detail, date, source (UTF-8)
    std::vector<EventRow> rows;           // in file order
    std::vector<KeptLines> kept;          // in file order
    // The encoding headerBytes and the kept lines are in: the one read.
    TextEncoding keptEncoding = TextEncoding::ShiftJis;
};

enum class DocumentReadStatus { Ok, Missing, NotAFile, Unreadable, TooLarge, NoHeader };

struct DocumentLoad {
    DocumentReadStatus status = DocumentReadStatus::Ok;
    CatalogueDocument document;
    std::size_t unreadableLines = 0;  // lines kept because they could not be read
    // What the reader found, for the event list's message: the file's
    // status, the problems and the records left out, which count the
    // records kept with the lines they share with a faulty group. Its
    // records are empty: they are the rows.
    CatalogueLoad reading;
};

// The one model of the file, for the event list and the editor alike: every
// record they show is a row, everything else is kept.
DocumentLoad ReadCatalogueDocument(const std::string& path);
// `rowLines`, when given, receives the line (1-based) each row starts on.
DocumentLoad ParseCatalogueDocument(std::string_view bytes,
                                    std::vector<std::size_t>* rowLines = nullptr);

// The record the event list and quorvane-cli hand out for a row: a source
// written #NULL# reads "Nothing", any other empty source empty text.
clsStarData RecordOf(EventRow&& row);

// A text the encoding cannot hold, where it stands.
// A double quote, a line break or a NUL byte in an item, or a date that is
// not a finite number, is refused the same way: this format cannot hold it.
struct EncodingFailure {
    std::size_t row = 0;     // 0-based index into rows; rows.size() for the header
    int column = 0;          // 0 title, 1 detail, 2 date, 3 source; -1 a kept line before `row`
    std::string character;   // the character, UTF-8
    // The format refuses it, not the encoding: no other encoding would help.
    bool formatCannotHold = false;
};

// The first byte of an item's text that this format cannot hold (a double
// quote, a line break, a NUL), or std::string_view::npos.
std::size_t FirstUnwritableByte(std::string_view text);
// Why the format refuses `character` (UTF-8, as EncodingFailure names it):
// a short reason, UTF-8, in the face of this run unless told otherwise.
std::string UnwritableReason(std::string_view character,
                             UiLanguage language = ActiveUiLanguage());

// The encoding's name as the user knows it: "Shift-JIS", "UTF-8", "UTF-16".
std::string_view EncodingName(TextEncoding encoding);

// The first line (1-based, as read) that a save would write back in another
// encoding than the rest: the header or a kept line that is no valid text in
// the encoding it was read in, and so goes back as the bytes it was.
std::optional<std::size_t> LineInAnotherEncoding(const CatalogueDocument& document);

// The file's bytes: the header line as it was, each row's items quoted,
// stardates as bare numbers (shortest form that reads back the same), Earth
// dates as #YYYY-MM-DD#, an empty source as it came (#NULL#, "" or no
// item; #NULL# for a new row), CRLF line ends, no
// trailing blank line; kept lines at their places; the whole in the
// document's encoding, with the byte-order mark it came with (UTF-8 with or
// without one, UTF-16 with one in its byte order). A document read from a file already in this form
// gives the same bytes.
std::variant<std::string, EncodingFailure> EncodeCatalogueDocument(const CatalogueDocument& document);

// The date cell's grammar: a stardate ("." as decimal point) or an Earth
// date "YYYY-MM-DD" in the years 100 to 9999; std::nullopt otherwise.
std::optional<EventDate> ParseDateCell(std::string_view text);
// The date as the cell shows it: "41153.7", "2063-04-05".
std::string DateCellText(const EventDate& date);

// Why a cell's text cannot stand (a short reason, UTF-8, as above), or
// std::nullopt when it can. `column` as in EncodingFailure. The title
// must not clash with another row's title by the catalogue's duplicate rule
// (`row` is the edited row's index, skipped in that comparison).
std::optional<std::string> CellRefusal(const CatalogueDocument& document, std::size_t row,
                                       int column, std::string_view text,
                                       UiLanguage language = ActiveUiLanguage());

// The user's own copy of the catalogue, for a program folder the user cannot
// write: StarTrek.vqd in the user's folder (files/UserFolder.h).
std::string UserCataloguePath();
// The user's copy of the catalogue named `fileName` (as CatalogueFileName gives).
std::string UserCataloguePath(std::string_view fileName);
// The catalogue a face looks for: "StarTrek.vqd" for Japanese,
// "StarTrek_en.vqd" for every other face.
std::string_view CatalogueFileName(UiLanguage language);
// Which face's catalogue the file at `path` is, by its name: the shipped
// file name its user copy and its shipped copy go by. Any other name
// counts as the Japanese catalogue.
std::string_view CatalogueFileNameOf(std::string_view path);
// The catalogue the program reads: the user's copy when there is one,
// otherwise the one in `programFolder`. The English face looks for its own
// catalogue so first, and reads the Japanese one where neither copy exists.
std::string CataloguePathToRead(const std::string& programFolder,
                                UiLanguage language = ActiveUiLanguage());
// The program's own catalogue `fileName` in `programFolder`, which the user's
// copy of the same name replaces.
std::string ShippedCataloguePath(const std::string& programFolder,
                                 std::string_view fileName = kCatalogueFileName);

}  // namespace quorvane
