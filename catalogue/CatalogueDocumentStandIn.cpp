// TEMPORARY stand-in for the catalogue document, so that the editor window
// builds and runs in this branch before the real implementation lands. It
// reads through LoadCatalogue, keeps no unreadable lines (it only counts
// them) and writes the canonical form. Delete at merge.
#include "catalogue/CatalogueDocument.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/TitleKey.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace quorvane {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

DocumentLoad FromContent(std::string_view bytes) {
    DocumentLoad load;
    CatalogueContent content = ParseCatalogue(bytes);
    if (!content.headings) {
        load.status = DocumentReadStatus::NoHeader;
        return load;
    }
    CatalogueDocument& document = load.document;
    document.encoding = content.utf8 ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
    std::string_view body = content.utf8 ? bytes.substr(kUtf8Mark.size()) : bytes;
    document.headerBytes = std::string(body.substr(0, body.find_first_of("\r\n")));
    document.headings = *content.headings;
    for (const clsStarData& record : content.records) {
        EventRow row;
        row.title = record.Title();
        row.detail = record.Detail();
        if (record.IsStarDate()) row.date = record.SEDate().number();
        else row.date = record.SEDate().date();
        row.source = record.Source().text();
        if (row.source == "Nothing") row.source.clear();
        document.rows.push_back(std::move(row));
    }
    load.unreadableLines = content.skippedRecords;
    return load;
}

}  // namespace

DocumentLoad ReadCatalogueDocument(const std::string& path) {
    FileBytes file = ReadCatalogueBytes(path);
    if (file.status != FileReadStatus::Ok) {
        DocumentLoad load;
        switch (file.status) {
            case FileReadStatus::Missing: load.status = DocumentReadStatus::Missing; break;
            case FileReadStatus::NotAFile: load.status = DocumentReadStatus::NotAFile; break;
            case FileReadStatus::TooLarge: load.status = DocumentReadStatus::TooLarge; break;
            default: load.status = DocumentReadStatus::Unreadable; break;
        }
        return load;
    }
    return FromContent(file.bytes);
}

DocumentLoad ParseCatalogueDocument(std::string_view bytes) { return FromContent(bytes); }

std::variant<std::string, EncodingFailure> EncodeCatalogueDocument(
    const CatalogueDocument& document) {
    TextEncoder encoder(document.encoding);
    std::string out;
    if (document.encoding == TextEncoding::Utf8) out += kUtf8Mark;
    out += document.headerBytes;
    std::string encoded;
    for (std::size_t r = 0; r < document.rows.size(); ++r) {
        const EventRow& row = document.rows[r];
        out += "\r\n";
        const auto item = [&](int column, const std::string& text) -> std::optional<EncodingFailure> {
            std::size_t bad = 0;
            if (!encoder.encode(text, encoded, bad)) {
                std::size_t length = 1;
                const auto lead = static_cast<unsigned char>(text[bad]);
                if (lead >= 0xF0) length = 4;
                else if (lead >= 0xE0) length = 3;
                else if (lead >= 0xC0) length = 2;
                return EncodingFailure{r, column, text.substr(bad, length)};
            }
            out += '"';
            out += encoded;
            out += '"';
            return std::nullopt;
        };
        if (auto failure = item(0, row.title)) return *failure;
        out += ',';
        if (auto failure = item(1, row.detail)) return *failure;
        out += ',';
        if (std::holds_alternative<double>(row.date)) out += ShortestDecimal(std::get<double>(row.date));
        else out += "#" + DateCellText(row.date) + "#";
        out += ',';
        if (row.source.empty()) out += "#NULL#";
        else if (auto failure = item(3, row.source)) return *failure;
    }
    return out;
}

std::optional<EventDate> ParseDateCell(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        DateValue date;
        const char* p = text.data();
        auto number = [](const char* first, const char* last, int& value) {
            return std::from_chars(first, last, value).ptr == last;
        };
        int year = 0;
        if (!number(p, p + 4, year) || !number(p + 5, p + 7, date.month) ||
            !number(p + 8, p + 10, date.day))
            return std::nullopt;
        date.year = year;
        if (!IsValidDateValue(date)) return std::nullopt;
        return EventDate(date);
    }
    for (char c : text)
        if (!(c == '.' || c == '-' || (c >= '0' && c <= '9'))) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return EventDate(value);
}

std::string DateCellText(const EventDate& date) {
    if (const double* stardate = std::get_if<double>(&date)) return ShortestDecimal(*stardate);
    const DateValue& d = std::get<DateValue>(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(d.year), d.month, d.day);
    return text;
}

std::optional<std::string> CellRefusal(const CatalogueDocument& document, std::size_t row,
                                       int column, std::string_view text) {
    if (text.find('"') != std::string_view::npos)
        return "二重引用符 (\") はこのファイル形式に書き込めません";
    if (column == 2) {
        if (!ParseDateCell(text))
            return "日付は宇宙暦 (41153.7 など) か西暦 (2063-04-05 など、100 年から 9999 年) で入力してください";
        return std::nullopt;
    }
    if ((column == 0 || column == 1) && text.empty()) return "空欄にはできません";
    if (column == 0) {
        const std::string key = FoldTitle(text);
        for (std::size_t i = 0; i < document.rows.size(); ++i)
            if (i != row && FoldTitle(document.rows[i].title) == key)
                return "同じ事象がすでにあります";
    }
    return std::nullopt;
}

std::string UserCatalogueFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && *data) base = data;
    else base = std::string(std::getenv("HOME") ? std::getenv("HOME") : "") + "/.local/share";
    return base + "/OvrekSoft/Quorvane";
}

std::string UserCataloguePath() { return UserCatalogueFolder() + "/StarTrek.vqd"; }

std::string CataloguePathToRead(const std::string& programFolder) {
    const std::string user = UserCataloguePath();
    if (FILE* file = std::fopen(user.c_str(), "rb")) {
        std::fclose(file);
        return user;
    }
    return programFolder + "/StarTrek.vqd";
}

}  // namespace quorvane
