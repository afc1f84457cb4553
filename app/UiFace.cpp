#include "app/UiFace.h"

#include "settings/SettingsKeys.h"
#include "services/SettingsStore.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstdio>

namespace quorvane {

UiLanguage ChooseFace(const SettingsStore& store) {
    const QString key = SettingsKey(settings::kLanguage);
    const SettingsTexts stored = store.Read({key});
    return ChooseUiLanguage(stored.value(key).toStdString(), SystemPreferredLanguages());
}

FaceChoice StoreFaceChoice(SettingsStore& store, const QString& word) {
    const std::optional<UiLanguage> chosen = LanguageFromSetting(word.toStdString());
    // Only the words the setting takes: a typo such as "english" would
    // otherwise be stored, read back as "follow the system", and pass for a
    // choice.
    if (!chosen && word != QLatin1String("system")) return {std::nullopt, true, {}};
    if (const SettingsWrite written = store.Write({{SettingsKey(settings::kLanguage), word}}); !written)
        return {std::nullopt, false, written};
    return {chosen ? *chosen : LanguageForPreferences(SystemPreferredLanguages()), false, {}};
}

QString DescribeRefusedFace(const FaceChoice& choice, const QString& word) {
    if (choice.unknownWord)
        return QCoreApplication::translate(
                   "UiFace", "--language には ja、en、system のどれかを指定してください（「%1」は使えません）。")
            .arg(word);
    return QCoreApplication::translate("UiFace", "表示言語の選択を設定に保存できませんでした。\n%1\n%2")
        .arg(SettingsFilePath(), DescribeSettingsProblem(choice.stored));
}

std::optional<UiLanguage> FaceForThisRun(const std::optional<QString>& languageWord) {
    const auto store = OpenSettingsStore();
    if (!languageWord) return ChooseFace(*store);
    // The user's choice of face, kept for later runs and shown at once.
    const FaceChoice chosen = StoreFaceChoice(*store, *languageWord);
    if (!chosen.language) {
        // Told in the face the run would otherwise have had.
        const FaceTranslators face(ChooseFace(*store));
        std::fprintf(stderr, "quorvane: %s\n", qUtf8Printable(DescribeRefusedFace(chosen, *languageWord)));
    }
    return chosen.language;
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
    if (language == UiLanguage::Japanese) {
        // Linux: Debian's qt6-translations-l10n. Windows: the folder beside
        // the program that qt.conf names.
        install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    } else {
        install(QStringLiteral("quorvane_en"), QStringLiteral(":/translations"));
    }
}

FaceTranslators::~FaceTranslators() {
    for (const auto& translator : m_translators) QCoreApplication::removeTranslator(translator.get());
    SetActiveUiLanguage(UiLanguage::Japanese);
}

}  // namespace quorvane
