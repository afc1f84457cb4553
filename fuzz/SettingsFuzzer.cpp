// Any settings file, read as the program's start reads it and saved as its
// close saves it: a save rewrites only the keys whose text changes, the file
// it writes reads back as exactly what was set and kept, a second close
// changes no byte, and the next start restores the same options. The window
// and quorvane-cli, each reading the file from disk its own way, choose the
// same face. Each input is the whole settings file.

#include "FuzzInput.h"
#include "app/UiFace.h"
#include "cli/System.h"
#include "language/UiLanguage.h"
#include "mainwindow/WindowSettings.h"
#include "services/IniFormat.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <filesystem>

using namespace quorvane;

namespace {

// Stands for a run of bytes that makes its line too long to read, so that
// short inputs meet such lines.
constexpr QByteArrayView kLongRun = "\x7f\x7f";

std::string Bytes(const QByteArray& bytes) {
    return fuzz::Quoted(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The close: every key the window writes, and the values Qt would rebuild
// as objects spelt as texts.
void Close(IniDocument& document, const SettingsTexts& texts, const std::string& context) {
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        FUZZ_CHECK(document.set(it.key(), it.value()), context + " " + it.key().toStdString());
    document.respellUnparsedValues();
}

// The file both programs read, in a config folder of the fuzzer's own.
std::string SettingsFileForThisRun() {
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "quorvane-fuzz-settings-XXXXXX").string();
        if (!::mkdtemp(folder.data())) std::abort();
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        const std::string file = settings::SettingsFilePath();
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        return file;
    }();
    return path;
}

void ChooseTheSameFace(const QByteArray& input, const std::string& context) {
    std::ofstream(SettingsFileForThisRun(), std::ios::binary | std::ios::trunc)
        .write(input.constData(), input.size());
    const std::vector<std::string> preferred = SystemPreferredLanguages();
    const UiLanguage cli = ChooseUiLanguage(cli::LanguageSetting(), preferred);
    FUZZ_CHECK(cli == ChooseFace(*OpenSettingsStore()), context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string context = Bytes(input);
    if (const qsizetype run = input.indexOf(kLongRun); run >= 0) {
        QByteArray longer;
        longer.reserve(input.size() + MaxIniLineSize);
        longer.append(QByteArrayView(input).first(run)).append(MaxIniLineSize, 'x');
        input = longer.append(QByteArrayView(input).sliced(run + kLongRun.size()));
    }

    // Without the key's name both follow the system, whatever else the file holds.
    const std::string_view name = settings::kLanguage.name;
    if (input.contains(QByteArrayView(name.data(), qsizetype(name.size())))) ChooseTheSameFace(input, context);

    IniDocument document;
    document.parse(input);
    FUZZ_CHECK(document.bytes() == input, context);
    const SettingsTexts read = document.texts();

    // A window as created: month-day entry, the check boxes off.
    ConverterOptions created;
    created.resetWrap = created.liveConversion = created.yearWindow = false;
    created.entryMode = EntryMode::MonthDay;
    StoredSettings restored = ReadStoredSettings(read, created);
    // Every other input has the user type a text of its own.
    if (size % 2 == 1)
        restored.options.resetNumber =
            QString::fromUtf8(reinterpret_cast<const char*>(data), std::min<qsizetype>(size, 64)).toStdString();
    const SettingsTexts saved = StoredTexts(restored);

    Close(document, saved, context);
    const QByteArray written = document.bytes();
    const std::string both = context + "\n  written " + Bytes(written);

    IniDocument reread;
    reread.parse(written);
    SettingsTexts expected = read;
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) expected.insert(it.key(), it.value());
    // A key named only on lines too long to read, set to the text a missing
    // key reads as, keeps those lines and still reads as missing.
    for (const settings::Key& key : settings::kAllKeys) {
        const QString name = SettingsKey(key);
        if (!reread.texts().contains(name) && expected.value(name) == QString::fromUtf8(key.missing.data(), qsizetype(key.missing.size())))
            expected.remove(name);
    }
    FUZZ_CHECK(reread.texts() == expected, both);
    // Positions go back with seven significant digits, as they always did.
    const StoredSettings next = ReadStoredSettings(reread.texts(), created);
    FUZZ_CHECK(next.options == restored.options, both);
    FUZZ_CHECK(std::fabs(next.topTwips - restored.topTwips) <= 1e-6 * std::fabs(restored.topTwips) &&
                   std::fabs(next.leftTwips - restored.leftTwips) <= 1e-6 * std::fabs(restored.leftTwips),
               both);

    Close(reread, saved, both);
    FUZZ_CHECK(reread.bytes() == written, both + "\n  again " + Bytes(reread.bytes()));
    return 0;
}
