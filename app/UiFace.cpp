#include "app/UiFace.h"

#include "settings/SettingsKeys.h"
#include "services/SettingsStore.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstdio>

namespace quorvane {

namespace {

QString FaceCodes() {
    QStringList codes;
    for (const UiLanguage face : UiLanguage::All())
        codes << QString::fromUtf8(face.Code().data(), qsizetype(face.Code().size()));
    return codes.join(QStringLiteral(", "));
}

QString LanguageKey() {
    return QString::fromLatin1(settings::kLanguage.section.data(), settings::kLanguage.section.size()) +
           QLatin1Char('/') +
           QString::fromLatin1(settings::kLanguage.name.data(), settings::kLanguage.name.size());
}

}  // namespace

UiLanguage ChooseFace(const SettingsStore& store) {
    const QString key = LanguageKey();
    const SettingsTexts stored = store.Read({key});
    return ChooseUiLanguage(stored.value(key).toStdString(), SystemPreferredLanguages());
}

std::optional<UiLanguage> StoreFaceChoice(SettingsStore& store, const QString& word) {
    const std::optional<UiLanguage> chosen = LanguageFromSetting(word.toStdString());
    // Only the exact words: a typo such as "english" would otherwise be
    // stored, read back as "follow the system", and pass for a choice.
    const bool known = word == QLatin1String("system") ||
                       (chosen && word.toLower().toStdString() == LanguageSettingText(*chosen));
    if (!known || !store.Write({{LanguageKey(), word}})) return std::nullopt;
    return chosen ? *chosen : LanguageForPreferences(SystemPreferredLanguages());
}

std::optional<UiLanguage> FaceForThisRun(const QStringList& arguments) {
    const auto store = OpenSettingsStore();
    const qsizetype at = arguments.indexOf(QStringLiteral("--language"));
    if (at < 0) return ChooseFace(*store);
    // The user's choice of face, kept for later runs and shown at once.
    const std::optional<UiLanguage> chosen = StoreFaceChoice(*store, arguments.value(at + 1));
    if (!chosen)
        std::fprintf(stderr,
                     "quorvane: --language takes %s or system, and the settings store "
                     "must be writable (%s)\n",
                     qUtf8Printable(FaceCodes()), qUtf8Printable(SettingsFilePath()));
    return chosen;
}

FaceTranslators::FaceTranslators(UiLanguage language) {
    SetActiveUiLanguage(language);
    const auto install = [this](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get())) {
            m_complete = false;
            return;
        }
        m_translators.push_back(std::move(translator));
    };
    const LanguageEntry& face = language.Entry();
    // Qt's own texts: on Linux Debian's qt6-translations-l10n, on Windows the
    // folder beside the program that qt.conf names.
    if (!face.qtTranslation.empty())
        install(QString::fromUtf8(face.qtTranslation.data(), qsizetype(face.qtTranslation.size())),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!language.IsSource())
        install(QStringLiteral("quorvane_") + QString::fromUtf8(face.code.data(), qsizetype(face.code.size())),
                QStringLiteral(":/translations"));
}

FaceTranslators::~FaceTranslators() {
    for (const auto& translator : m_translators) QCoreApplication::removeTranslator(translator.get());
    SetActiveUiLanguage(UiLanguage::Source());
}

}  // namespace quorvane
