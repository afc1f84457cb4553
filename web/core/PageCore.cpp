// The core as the page calls it. One entry point: the page writes a request
// into the input buffer (fields separated by tabs, the first naming the
// request) and reads the answer from the output buffer, UTF-8 both ways.
// Nothing here decides anything the windows decide: each request is one
// call of the same core functions the windows and quorvane-cli call.
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueMessages.h"
#include "catalogue/TaggedValue.h"
#include "catalogue/TitleKey.h"
#include "conversion/StardateArithmetic.h"
#include "language/UiLanguage.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using namespace quorvane;

std::string g_in;
std::string g_out;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

std::string_view At(const std::vector<std::string_view>& f, std::size_t i) {
    return i < f.size() ? f[i] : std::string_view();
}

bool On(std::string_view text) { return text == "1"; }

// "ja", "de": the face's code, as the settings write it; any other text
// reads as the fallback face, as a language without a face of its own does.
UiLanguage Face(std::string_view text) {
    return LanguageFromSetting(text).value_or(UiLanguage::Fallback());
}

EntryMode Mode(std::string_view text) {
    return text == "yd" ? EntryMode::DayOfYear : EntryMode::MonthDay;
}

void AppendJson(std::string_view text, std::string& out) {
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

// E stardate resetWrap base90 reset: year, day of the year, month, day.
void EarthDate(const std::vector<std::string_view>& f) {
    const EarthDateTexts t = EarthDateFor(At(f, 1), {On(At(f, 2)), At(f, 4), On(At(f, 3))});
    g_out = t.year + '\t' + t.dayOfYear + '\t' + t.month + '\t' + t.day;
}

// S year mode month day dayOfYear resetWrap reset face: "ok", the stardate;
// or "fail", year / yearday / date, the message.
void Stardate(const std::vector<std::string_view>& f) {
    const StardateResult r = StardateFromEarthDate(EarthDateInputOf(
        At(f, 1), Mode(At(f, 2)), At(f, 3), At(f, 4), At(f, 5), {On(At(f, 6)), At(f, 7), false}));
    if (r.ok()) {
        g_out = "ok\t" + r.stardate;
        return;
    }
    const char* kind = r.failure == StardateFailure::InvalidYear        ? "year"
                       : r.failure == StardateFailure::InvalidDayOfYear ? "yearday"
                                                                        : "date";
    g_out = std::string("fail\t") + kind + '\t' + std::string(FailureMessage(r.failure, Face(At(f, 8))));
}

// C year mode month day dayOfYear: "1" when complete.
void Complete(const std::vector<std::string_view>& f) {
    g_out = IsEarthDateComplete(At(f, 1), Mode(At(f, 2)), At(f, 3), At(f, 4), At(f, 5)) ? "1" : "0";
}

// L setting preferred...: the face the program would show.
void Language(const std::vector<std::string_view>& f) {
    std::vector<std::string> preferred;
    for (std::size_t i = 2; i < f.size(); ++i) preferred.emplace_back(f[i]);
    g_out = LanguageSettingText(ChooseUiLanguage(At(f, 1), preferred));
}

// V face fileName, a line break, then the file's bytes: the event list as
// JSON, read as the data list reads it, with its one message.
void Catalogue(std::string_view request) {
    const std::size_t end = request.find('\n');
    const std::vector<std::string_view> f = Fields(request.substr(0, end));
    const std::string_view bytes =
        end == std::string_view::npos ? std::string_view() : request.substr(end + 1);
    DocumentLoad load = ParseCatalogueDocument(bytes);
    const std::vector<EventRow>& rows = load.document.rows;

    g_out = "{\"headings\":";
    if (load.status == DocumentReadStatus::NoHeader) {
        g_out += "null";
    } else {
        g_out += '[';
        for (std::size_t i = 0; i < 4; ++i) {
            if (i) g_out += ',';
            AppendJson(load.document.headings[i], g_out);
        }
        g_out += ']';
    }
    g_out += ",\"events\":[";
    const std::vector<std::size_t> order =
        TitleOrder(rows.size(), [&](std::size_t i) { return std::string_view(rows[i].title); });
    for (std::size_t n = 0; n < order.size(); ++n) {
        const EventRow& row = rows[order[n]];
        g_out += n ? ",[" : "[";
        AppendJson(row.title, g_out);
        g_out += ',';
        AppendJson(row.detail, g_out);
        g_out += ',';
        if (const double* stardate = std::get_if<double>(&row.date)) {
            AppendJson(ShortestDecimal(*stardate), g_out);
        } else {
            const DateValue& d = std::get<DateValue>(row.date);
            g_out += '[' + std::to_string(d.year) + ',' + std::to_string(d.month) + ',' +
                     std::to_string(d.day) + ']';
        }
        g_out += ',';
        // As the record handed out reads it: only #NULL# is "Nothing".
        const bool null = row.source.empty() && row.emptySource == EmptySource::Null;
        AppendJson(null ? std::string_view(clsStarData::kNullSource) : std::string_view(row.source),
                   g_out);
        g_out += ']';
    }
    g_out += "],\"message\":";
    AppendJson(CatalogueMessage(At(f, 2), load.reading, Face(At(f, 1))), g_out);
    g_out += '}';
}

// B stardate count: converts the same stardate `count` times, for the
// bench's row against the native core; answers the last result.
void Repeat(const std::vector<std::string_view>& f) {
    const long count = std::strtol(std::string(At(f, 2)).c_str(), nullptr, 10);
    EarthDateTexts t;
    for (long i = 0; i < count; ++i) t = EarthDateFor(At(f, 1), {true, "100000", true});
    g_out = t.year + '\t' + t.dayOfYear + '\t' + t.month + '\t' + t.day;
}

}  // namespace

extern "C" {

__attribute__((export_name("qv_input"))) char* qv_input(std::size_t size) {
    g_in.resize(size);
    return g_in.data();
}

__attribute__((export_name("qv_call"))) const char* qv_call() {
    const std::string_view request(g_in);
    g_out.clear();
    const std::vector<std::string_view> f = Fields(request.substr(0, request.find('\n')));
    switch (request.empty() ? '\0' : request[0]) {
        case 'E': EarthDate(f); break;
        case 'S': Stardate(f); break;
        case 'C': Complete(f); break;
        case 'L': Language(f); break;
        case 'V': Catalogue(request); break;
        case 'B': Repeat(f); break;
        default: break;
    }
    return g_out.data();
}

__attribute__((export_name("qv_output_size"))) std::size_t qv_output_size() { return g_out.size(); }

}
