#include "bench/support/CatalogueGenerator.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace quorvane::bench {

namespace {

// A fixed-seed generator, so every run measures the same file.
class SplitMix64 {
public:
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t m_state = 0x51A7DA7Eull;
};

constexpr std::array<std::string_view, 24> kTitleWords = {
    "銀河",   "艦隊",     "惑星",   "遮蔽装置", "転送",   "ボーグ", "時間",   "連邦",
    "亜空間", "ワープ",   "中立地帯", "宇宙基地", "探査",  "反乱",   "休戦",   "外交",
    "彗星",   "星雲",     "救難信号", "植民地", "条約",  "帝国",   "漂流者", "遭遇"};

// Some Latin titles, so the case folding of the sort is exercised too.
constexpr std::array<std::string_view, 6> kLatinWords = {"Data", "Enterprise", "Voyager",
                                                         "Defiant", "Q", "Borg"};

constexpr std::array<std::string_view, 12> kDetailParts = {
    "艦隊が未知の宇宙船と遭遇する。",
    "副長が上陸班を率いて調査する。",
    "転送装置の故障で乗員が取り残される。",
    "連邦と帝国の交渉が決裂しかける。",
    "船長が難しい決断を迫られる。",
    "亜空間の異常で時間がずれ始める。",
    "医療室に謎の患者が運び込まれる。",
    "機関部がワープコアの暴走を食い止める。",
    "古い記録から失われた植民地が見つかる。",
    "救難信号の発信元は無人の宇宙基地だった。",
    "中立地帯で遮蔽艦が姿を現す。",
    "乗員の一人が過去の自分に出会う。"};

constexpr std::array<std::string_view, 6> kDetailEnds = {"緊急事態。", "記録終了。", "航星日誌。",
                                                        "警戒態勢。", "任務継続。", "以上。"};

constexpr std::array<std::string_view, 6> kSeries = {"宇宙大作戦", "新スタートレック",
                                                     "ディープ・スペース・ナイン", "ヴォイジャー",
                                                     "エンタープライズ", "劇場版"};

void AppendNumber(std::string& out, std::uint64_t value) { out += std::to_string(value); }

void AppendTwoDigits(std::string& out, unsigned value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// At least `bytes` of the details' sentences, one after another.
void AppendLongText(std::string& out, std::size_t bytes, SplitMix64& random) {
    const std::size_t end = out.size() + bytes;
    while (out.size() < end) out += kDetailParts[random.below(kDetailParts.size())];
}

}  // namespace

std::string GenerateCatalogueText(std::size_t records, std::size_t longItemBytes) {
    SplitMix64 random;
    std::string text;
    text.reserve(records * 150 + 64 + 3 * longItemBytes);
    text += "\"事象\",\"詳細\",\"日付\",\"出典\"\r\n";
    for (std::size_t i = 0; i < records; ++i) {
        const bool longItems = i == 0 && longItemBytes > 0;
        // Title: two words and the record's own number, which keeps it unique.
        text += '"';
        if (longItems) {
            text += "A ";
            AppendLongText(text, longItemBytes, random);
        } else if (i % 10 == 3) {
            text += kLatinWords[random.below(kLatinWords.size())];
            text += ' ';
        }
        text += kTitleWords[random.below(kTitleWords.size())];
        text += "の";
        text += kTitleWords[random.below(kTitleWords.size())];
        text += "（";
        AppendNumber(text, i + 1);
        text += "）\",\"";

        if (longItems) AppendLongText(text, longItemBytes, random);
        text += kDetailParts[random.below(kDetailParts.size())];
        text += kDetailEnds[random.below(kDetailEnds.size())];
        text += "\",";

        if (random.below(5) < 3) {
            // A stardate with one decimal, from a little before stardate 0.
            const std::uint64_t tenths = random.below(1'050'000);
            const std::int64_t signedTenths = static_cast<std::int64_t>(tenths) - 50'000;
            if (signedTenths < 0) text += '-';
            const std::uint64_t magnitude =
                static_cast<std::uint64_t>(signedTenths < 0 ? -signedTenths : signedTenths);
            AppendNumber(text, magnitude / 10);
            text += '.';
            text += static_cast<char>('0' + magnitude % 10);
        } else {
            text += '#';
            AppendNumber(text, 1900 + random.below(600));
            text += '-';
            AppendTwoDigits(text, static_cast<unsigned>(1 + random.below(12)));
            text += '-';
            AppendTwoDigits(text, static_cast<unsigned>(1 + random.below(28)));
            text += '#';
        }
        text += ',';

        if (i % 20 == 7) {
            text += "#NULL#";
        } else {
            text += '"';
            text += kSeries[random.below(kSeries.size())];
            if (longItems) AppendLongText(text, longItemBytes, random);
            text += " 第";
            AppendNumber(text, 1 + random.below(180));
            text += "話\"";
        }
        text += "\r\n";
    }
    return text;
}

namespace {

std::string Convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string out(in.size() * 3 / 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t done = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG)
            throw std::runtime_error(std::string("text does not convert from ") + from + " to " +
                                     to + " at byte " +
                                     std::to_string(in.size() - inLeft));
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return out;
}

}  // namespace

std::string EncodeShiftJis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8); }

std::string DecodeShiftJis(std::string_view shiftJis) {
    return Convert("UTF-8", "CP932", shiftJis);
}

DecodedFile ReadAndDecodeShiftJis(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        close(fd);
        throw std::runtime_error("cannot read " + path);
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    auto bytes = std::make_unique_for_overwrite<char[]>(size);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, bytes.get() + got, size - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    if (got != size) throw std::runtime_error("cannot read " + path);

    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter from CP932");
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
    // No code page 932 character takes more than three UTF-8 bytes.
    DecodedFile decoded{std::make_unique_for_overwrite<char[]>(3 * size), 0};
    char* in = bytes.get();
    std::size_t inLeft = size;
    char* out = decoded.text.get();
    std::size_t outLeft = 3 * size;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        throw std::runtime_error(path + " does not decode from Shift-JIS");
    decoded.size = 3 * size - outLeft;
    return decoded;
}

std::string GenerateCatalogue(std::size_t records, std::size_t longItemBytes) {
    return EncodeShiftJis(GenerateCatalogueText(records, longItemBytes));
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.read(bytes.data(), size);
    if (!file) throw std::runtime_error("cannot read " + path);
    return bytes;
}

}  // namespace quorvane::bench
