#include "app/UiFace.h"

#include "settings/SettingsKeys.h"
#include "services/SettingsStore.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>

#include <cstdio>

namespace quorvane {

QString FaceCodes(const QString& separator) {
    QStringList codes;
    for (const UiLanguage face : UiLanguage::All())
        codes << QString::fromUtf8(face.Code().data(), qsizetype(face.Code().size()));
    return codes.join(separator);
}

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
                   "UiFace", "--language には %1 または system を指定してください（「%2」は使えません）。")
            .arg(FaceCodes(QStringLiteral(", ")), word);
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
