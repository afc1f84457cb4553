// The catalogue as the editor holds it, and the same file written back.
#include "catalogue/CatalogueDocument.h"

#include "catalogue/CarryDate.h"
#include "catalogue/CatalogueReader.h"
#include "support/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace quorvane {
namespace {

using testing::ConvertUtf8;
using testing::ToShiftJis;
using namespace std::string_literals;

const std::string kHeader = "\"事象\",\"詳細\",\"日付\",\"出典\"\r\n";
const std::string kFarpoint = "\"ファーポイント\",\"最初の任務\",41153.7,\"TNG\"\r\n";
const std::string kContact = "\"ファーストコンタクト\",\"ワープ飛行\",#2063-04-05#,#NULL#\r\n";

std::string Encoded(const CatalogueDocument& document) {
    auto result = EncodeCatalogueDocument(document);
    if (auto* failure = std::get_if<EncodingFailure>(&result))
        ADD_FAILURE() << "refused at row " << failure->row << " column " << failure->column;
    return std::get_if<std::string>(&result) ? std::get<std::string>(result) : std::string();
}

std::string FileBytesOf(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The shipped file is in the form a save writes, so a save without an edit
// gives it back byte for byte.
TEST(CatalogueDocumentTest, ShippedCatalogueRoundTripsByteForByte) {
    const std::string bytes = FileBytesOf(QUORVANE_SHIPPED_CATALOGUE);
    const DocumentLoad load = ParseCatalogueDocument(bytes);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    EXPECT_EQ(load.document.rows.size(), ParseCatalogue(bytes).records.size());
    EXPECT_TRUE(load.document.kept.empty());
    EXPECT_EQ(Encoded(load.document), bytes);
}

// #NULL#, "" and an empty item all show as an empty cell; a save writes
// each back as it came.
TEST(CatalogueDocumentTest, Utf8FileKeepsItsMarkAndEachEmptySourceItsForm) {
    const std::string bytes = "\xEF\xBB\xBF"s + kHeader + kFarpoint + kContact +
                              "\"空\",\"引用符\",1,\"\"\r\n\"無\",\"項目\",2,\r\n";
    const DocumentLoad load = ParseCatalogueDocument(bytes);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    EXPECT_EQ(load.document.encoding, TextEncoding::Utf8);
    ASSERT_EQ(load.document.rows.size(), 4u);
    for (std::size_t row = 1; row < 4; ++row)
        EXPECT_EQ(load.document.rows[row].source, "") << row;  // not the record's "Nothing"
    EXPECT_EQ(load.document.rows[1].date, EventDate(DateValue{2063, 4, 5}));
    EXPECT_EQ(Encoded(load.document), bytes);
}

// A record that shares the header's last line is an event, and a save keeps
// it: the header as written, the record on a line of its own.
TEST(CatalogueDocumentTest, ARecordOnTheHeadersLineIsSavedOnALineOfItsOwn) {
    const std::string a = "\"A\",\"a\",1,\"s\"";
    const std::string b = "\"B\",\"b\",2,\"t\"\r\n";
    const struct {
        const char* name;
        std::string header;
    } cases[] = {{"one header line", "\"T\",\"D\",\"Date\",\"S\""},
                 {"a header over two lines", "\"T\",\"D\"\r\n\"Date\",\"S\""}};
    for (const auto& c : cases) {
        const DocumentLoad load = ParseCatalogueDocument(c.header + "," + a + "\r\n" + b);
        ASSERT_EQ(load.status, DocumentReadStatus::Ok) << c.name;
        ASSERT_EQ(load.document.rows.size(), 2u) << c.name;
        EXPECT_EQ(load.document.rows[0].title, "A") << c.name;
        EXPECT_EQ(Encoded(load.document), c.header + "\r\n" + a + "\r\n" + b) << c.name;
    }
}

// A row kept as read (a quote inside a bare item) on a last line without
// its end: the save adds the end, and what it wrote reads back as the same
// rows, so a second save changes nothing.
TEST(CatalogueDocumentTest, ARowKeptAsReadOnAnUnendedLastLineReadsBackTheSame) {
    const std::string bytes = ToShiftJis(kHeader + kFarpoint) + "2b\",\"d\",1,\"s\"";
    const DocumentLoad load = ParseCatalogueDocument(bytes);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    ASSERT_EQ(load.document.rows.size(), 2u);
    const std::string written = Encoded(load.document);
    EXPECT_EQ(written, bytes + "\r\n");
    const DocumentLoad again = ParseCatalogueDocument(written);
    EXPECT_EQ(again.document.rows, load.document.rows);
    EXPECT_EQ(Encoded(again.document), written);
}

TEST(CatalogueDocumentTest, RefusesWhatTheFileCannotHoldAtItsRowAndColumn) {
    struct Case {
        const char* name;
        int column;
        std::string text;
        std::string character;
    } cases[] = {
        {"emoji in a detail", 1, "転送😀事故", "😀"},
        {"wave dash, which CP932 maps one way only", 3, "TNG〜DS9", "〜"},
        {"double quote slipped past the cell", 0, "a\"b", "\""},
    };
    for (const Case& c : cases) {
        DocumentLoad load = ParseCatalogueDocument(ToShiftJis(kHeader + kFarpoint + kContact));
        EventRow& row = load.document.rows[1];
        (c.column == 0 ? row.title : c.column == 1 ? row.detail : row.source) = c.text;
        const auto result = EncodeCatalogueDocument(load.document);
        const auto* failure = std::get_if<EncodingFailure>(&result);
        ASSERT_NE(failure, nullptr) << c.name;
        EXPECT_EQ(failure->row, 1u) << c.name;
        EXPECT_EQ(failure->column, c.column) << c.name;
        EXPECT_EQ(failure->character, c.character) << c.name;
    }
}

TEST(CatalogueDocumentTest, SwitchingToUtf8KeepsTheHeaderAndKeptLinesReadable) {
    const std::string bad = "\"転送事故\",\"二人\",#2063-02-30#,\"TOS\"\r\n";
    DocumentLoad load = ParseCatalogueDocument(ToShiftJis(kHeader + kFarpoint + bad));
    load.document.encoding = TextEncoding::Utf8;
    EXPECT_EQ(Encoded(load.document), "\xEF\xBB\xBF"s + kHeader + kFarpoint + bad);
}

// A save writes the file in the form it came in: the same mark, the same
// byte order, the lines the reader could not read byte for byte; also after
// an edit, and also with a character Shift-JIS lacks.
TEST(CatalogueDocumentTest, Utf8WithoutMarkAndUtf16ComeBackAsTheyCame) {
    const std::string bad = "\"転送事故\",\"二人\",#2063-02-30#,\"TOS\"\r\n";
    const std::string text = kHeader + kFarpoint + bad + kContact;
    const std::string added = "\"長寿と繁栄を🖖\",\"挨拶\",42000.5,#NULL#\r\n";
    const auto le = [](const std::string& utf8) { return ConvertUtf8(utf8, "UTF-16LE"); };
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string addedBytes;
    } cases[] = {
        {"UTF-8 without a mark, as modern editors save it", text, TextEncoding::Utf8NoMark, added},
        {"UTF-16 little-endian with its mark (Notepad's Unicode)", "\xFF\xFE" + le(text),
         TextEncoding::Utf16Le, le(added)},
        {"UTF-16 big-endian with its mark", "\xFE\xFF" + ConvertUtf8(text, "UTF-16BE"),
         TextEncoding::Utf16Be, ConvertUtf8(added, "UTF-16BE")},
        {"UTF-16 with a lone surrogate in the line kept",
         "\xFF\xFE" + le(kHeader + kFarpoint + "\"") + "\x00\xD8"s + le("\",\"x\",1,\"y\"\r\n" + kContact),
         TextEncoding::Utf16Le, le(added)},
    };
    for (const auto& c : cases) {
        DocumentLoad load = ParseCatalogueDocument(c.bytes);
        ASSERT_EQ(load.status, DocumentReadStatus::Ok) << c.name;
        EXPECT_EQ(load.document.encoding, c.encoding) << c.name;
        ASSERT_EQ(load.document.rows.size(), 2u) << c.name;
        EXPECT_EQ(load.document.rows[0].title, "ファーポイント") << c.name;
        EXPECT_EQ(load.unreadableLines, 1u) << c.name;
        EXPECT_EQ(Encoded(load.document), c.bytes) << c.name;

        load.document.rows.push_back({"長寿と繁栄を🖖", "挨拶", 42000.5, ""});
        EXPECT_EQ(Encoded(load.document), c.bytes + c.addedBytes) << c.name;
    }
}

// Kept lines go back as the bytes they were; where those are no text in the
// file's encoding, the file would hold two encodings, and the user is told.
TEST(CatalogueDocumentTest, KeptLinesInAnotherEncodingAreFound) {
    // "あ" in UTF-8 ends in a Shift-JIS lead byte, which the quote cannot follow.
    const std::string inUtf8 = "\"A\",\"あ\",41000,\"TOS\"\r\n";
    const DocumentLoad mixed =
        ParseCatalogueDocument(ToShiftJis(kHeader + kFarpoint) + "\r\n" + inUtf8 + ToShiftJis(kContact));
    EXPECT_EQ(mixed.document.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(LineInAnotherEncoding(mixed.document), std::optional<std::size_t>(4));

    // A bad date or a blank line is unreadable, but no other encoding.
    const DocumentLoad plain = ParseCatalogueDocument(
        ToShiftJis(kHeader + kFarpoint + "\r\n\"転送事故\",\"二人\",#2063-02-30#,\"TOS\"\r\n" + kContact));
    EXPECT_EQ(plain.unreadableLines, 2u);
    EXPECT_EQ(LineInAnotherEncoding(plain.document), std::nullopt);
}

// Lines the reader skips come back unchanged and in place; everything else
// in these files is in the written form already, so the whole file must.
TEST(CatalogueDocumentTest, UnreadableLinesAreWrittenBackAtTheirPlaces) {
    struct Case {
        const char* name;
        std::string middle;  // Shift-JIS, between the two good records
        std::string tail;    // Shift-JIS, after them
        std::size_t keptLines;
    } cases[] = {
        {"bad group between good ones", ToShiftJis("\"二月三十日\",\"x\",#2063-02-30#,\"y\"\r\n"), "", 1},
        {"blank line", "\r\n", "", 1},
        {"unterminated quote", ToShiftJis("\"開いたまま,x,1,y\r\n"), "", 1},
        {"NUL and a byte no encoding has", "\"a\0b\",\"\xFF\",1,\"y\"\r\n"s, "", 1},
        {"duplicate title", ToShiftJis("\"ファーポイント\",\"again\",1,\"y\"\r\n"), "", 1},
        {"line of three items", ToShiftJis("\"三つ\",\"x\",1\r\n"), "", 1},
        {"bad group ended by a lone CR", ToShiftJis("\"三つ\",\"x\",1\r"), "", 1},
        {"LF then CR ends two lines", ToShiftJis("\"三つ\",\"x\",1\n\r"), "", 2},
        {"trailing comma", ToShiftJis("\"五つ\",\"x\",1,\"y\",\r\n"), "", 1},
        {"trailing line without a line end", "", ToShiftJis("\"途中\",\"x\""), 1},
        {"file ending in a lone CR", "", ToShiftJis("\"途中\",\"x\"\r"), 1},
    };
    for (const Case& c : cases) {
        const std::string bytes = ToShiftJis(kHeader + kFarpoint) + c.middle +
                                  ToShiftJis(kContact) + c.tail;
        const DocumentLoad load = ParseCatalogueDocument(bytes);
        ASSERT_EQ(load.status, DocumentReadStatus::Ok) << c.name;
        EXPECT_EQ(load.document.rows.size(), 2u) << c.name;
        EXPECT_EQ(load.unreadableLines, c.keptLines) << c.name;
        ASSERT_EQ(load.document.kept.size(), 1u) << c.name;
        EXPECT_EQ(load.document.kept[0].beforeRow, c.middle.empty() ? 2u : 1u) << c.name;
        EXPECT_EQ(Encoded(load.document), bytes) << c.name;
    }
}

TEST(CatalogueDocumentTest, RowAddedAfterAnUnfinishedLastGroupIsNotSwallowedByIt) {
    DocumentLoad load = ParseCatalogueDocument(ToShiftJis(kHeader + kFarpoint + "\"途中\",\"x\""));
    load.document.rows.push_back({"新しい", "行", 42000.5, ""});
    for (KeptLines& kept : load.document.kept) kept.beforeRow = 1;  // as if inserted before
    const CatalogueContent reread = ParseCatalogue(Encoded(load.document));
    ASSERT_EQ(reread.records.size(), 2u);
    EXPECT_EQ(reread.records[1].Title(), "新しい");
}

TEST(CatalogueDocumentTest, DateCellGrammar) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<EventDate> date;
    } cases[] = {
        {"Earth date", "2063-04-05", DateValue{2063, 4, 5}},
        {"stardate", "41153.7", 41153.7},
        {"negative stardate", "-5", -5.0},
        {"blanks around", " 41153.7 ", 41153.7},
        {"year below 100", "99-01-01", std::nullopt},
        {"year beyond 9999", "10000-01-01", std::nullopt},
        {"no such day", "2063-02-30", std::nullopt},
        {"grouping comma, not the file's number form", "41,153.7", std::nullopt},
        {"decimal comma", "41153,7", std::nullopt},
        {"exponent", "4e4", std::nullopt},
        {"slashes", "2063/04/05", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDateCell(c.text), c.date) << c.name;
        if (c.date) {
            EXPECT_EQ(ParseDateCell(DateCellText(*c.date)), c.date) << c.name;
        }
    }
}

TEST(CatalogueDocumentTest, CellRefusals) {
    const CatalogueDocument doc = ParseCatalogueDocument(ToShiftJis(kHeader + kFarpoint + kContact)).document;
    struct Case {
        const char* name;
        std::size_t row;
        int column;
        std::string text;
        std::optional<std::string> reason;
    } cases[] = {
        {"empty title", 0, 0, "", "事象を入力してください"},
        {"blank detail", 0, 1, "  ", "詳細を入力してください"},
        {"its own title again", 0, 0, "ファーポイント", std::nullopt},
        {"another row's title", 1, 0, "ファーポイント", "同じ事象がすでにあります"},
        {"double quote", 0, 3, "a\"b", "「\"」は使えません"},
        {"bad date", 0, 2, "41,153.7",
         "日付は宇宙暦（例 41153.7）か西暦（例 2063-04-05）で入力してください"},
        {"empty source", 0, 3, "", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellRefusal(doc, c.row, c.column, c.text), c.reason) << c.name;

    CatalogueDocument latin = doc;
    latin.rows[0].title = "Farpoint";
    EXPECT_EQ(CellRefusal(latin, 1, 0, "FARPOINT"), "同じ事象がすでにあります");
}

#ifdef _WIN32
// The user's copy lives in the roaming application data folder, the one
// %APPDATA% names, so that it follows the user from machine to machine.
TEST(CatalogueDocumentTest, UserCopyInAppDataIsReadFirst) {
    namespace fs = std::filesystem;
    const char* appData = std::getenv("APPDATA");
    ASSERT_TRUE(appData && *appData);
    EXPECT_EQ(UserCataloguePath(), std::string(appData) + "\\OvrekSoft\\Quorvane\\StarTrek.vqd");
    const std::string user = UserCataloguePath();
    const fs::path copy(reinterpret_cast<const char8_t*>(user.c_str()));
    if (fs::exists(copy)) GTEST_SKIP() << "the user's own copy is there, and is left alone";

    const fs::path program = fs::temp_directory_path() / "quorvane-user-program";
    fs::create_directories(program);
    EXPECT_EQ(CataloguePathToRead(program.string()), program.string() + "\\StarTrek.vqd");
    const bool madeFolder = fs::create_directories(copy.parent_path());
    std::ofstream(copy) << kHeader;
    EXPECT_EQ(CataloguePathToRead(program.string()), UserCataloguePath());
    fs::remove(copy);
    if (madeFolder) fs::remove(copy.parent_path());
    fs::remove_all(program);
}
#else
TEST(CatalogueDocumentTest, UserCopyIsReadFirstAndXdgDataHomeOnlyWhenAbsolute) {
    namespace fs = std::filesystem;
    const auto saved = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const auto restore = [](const char* name, const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    };
    const auto home = saved("HOME");
    const auto dataHome = saved("XDG_DATA_HOME");
    const fs::path root = fs::temp_directory_path() / ("quorvane-user-" + std::to_string(::getpid()));
    fs::create_directories(root / "program");
    const std::string program = (root / "program").string();
    ::setenv("HOME", root.c_str(), 1);
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(UserCataloguePath(), (root / ".local/share/OvrekSoft/Quorvane/StarTrek.vqd").string());

    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    EXPECT_EQ(CataloguePathToRead(program), program + "/StarTrek.vqd");
    fs::create_directories(root / "data/OvrekSoft/Quorvane");
    std::ofstream(root / "data/OvrekSoft/Quorvane/StarTrek.vqd") << kHeader;
    EXPECT_EQ(CataloguePathToRead(program), (root / "data/OvrekSoft/Quorvane/StarTrek.vqd").string());
    fs::remove_all(root);
    restore("HOME", home);
    restore("XDG_DATA_HOME", dataHome);
}

TEST(CatalogueDocumentTest, EnglishFaceReadsItsOwnCatalogueAndFallsBackToTheJapanese) {
    namespace fs = std::filesystem;
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> dataHome = saved ? std::optional<std::string>(saved) : std::nullopt;
    const fs::path root = fs::temp_directory_path() / ("quorvane-face-" + std::to_string(::getpid()));
    const fs::path user = root / "data/OvrekSoft/Quorvane";
    fs::create_directories(root / "program");
    fs::create_directories(user);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    const std::string program = (root / "program").string();
    const auto en = *UiLanguage::FromCode("en");
    const auto ja = *UiLanguage::FromCode("ja");

    std::ofstream(user / "StarTrek.vqd") << kHeader;
    EXPECT_EQ(CataloguePathToRead(program, en), (user / "StarTrek.vqd").string())
        << "no English catalogue anywhere: the user's Japanese one";
    std::ofstream(root / "program/StarTrek_en.vqd") << kHeader;
    EXPECT_EQ(CataloguePathToRead(program, en), program + "/StarTrek_en.vqd")
        << "the shipped English one before the user's Japanese copy";
    EXPECT_EQ(CataloguePathToRead(program, ja), (user / "StarTrek.vqd").string())
        << "the Japanese face never reads English";
    std::ofstream(user / "StarTrek_en.vqd") << kHeader;
    EXPECT_EQ(CataloguePathToRead(program, en), (user / "StarTrek_en.vqd").string())
        << "the user's English copy first";
    fs::remove_all(root);
    if (dataHome) ::setenv("XDG_DATA_HOME", dataHome->c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}
#endif

// The editor's converted column and quorvane-cli --events give the same text.
TEST(CatalogueDocumentTest, AnEventsDateInTheOtherCalendar) {
    const auto earth = [](int year, int month, int day) {
        DateValue date;
        date.year = year;
        date.month = month;
        date.day = day;
        return EventDate(date);
    };
    struct Case {
        const char* what;
        EventDate date;
        ConversionSwitches switches;
        std::string expected;
    };
    const Case cases[] = {
        {"a stardate's Earth date", 41153.7, {}, "2364-02-26"},
        {"a year below 1000 keeps four digits", -1400000.0, {}, "0923-01-01"},
        {"an Earth date's stardate", earth(2063, 4, 5), {}, "-259742.5"},
        {"the reset wraps an Earth date's stardate", earth(2063, 4, 5), {true, "100000", false}, "40257.5"},
        {"the year window alone moves no year", 41153.7, {false, "100000", true}, "2364-02-26"},
        {"an Earth date before the year 100 is none", -2223500.0, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(OtherCalendarText(c.date, c.switches), c.expected);
    }
    // With the reset wrap on as well, the window moves the year.
    EXPECT_NE(OtherCalendarText(41153.7, {true, "100000", true}), "2364-02-26");
}

}  // namespace
}  // namespace quorvane
