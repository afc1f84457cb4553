#pragma once
// The face of a run, one of language/Languages.txt: chosen once at start, before any
// window exists, from the user's setting and then the system's preferred UI
// languages, and shown through Qt's translators.

#include "language/UiLanguage.h"
#include "services/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

class SettingsStore;

// The user's preferred UI languages, most preferred first: on Linux from
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG, as quorvane-cli reads them; on
// Windows the display languages.
std::vector<std::string> SystemPreferredLanguages();

// The Language setting first, then the system's preferences.
UiLanguage ChooseFace(const SettingsStore& store);

// "--language ja|en|system" stored for this and every later run: "system"
// hands the choice back to the system. No language for any other word, or
// when the store would not take it.
// Every face's code, in the list's order, joined by `separator`.
QString FaceCodes(const QString& separator);

struct FaceChoice {
    std::optional<UiLanguage> language;
    bool unknownWord = false;
    SettingsWrite stored;  // why the store did not take it
};
FaceChoice StoreFaceChoice(SettingsStore& store, const QString& word);

// Why `word` was not taken, for the user, in the face of the translators
// installed.
QString DescribeRefusedFace(const FaceChoice& choice, const QString& word);

// The face this run shows: the word of "--language", when given, is stored
// first (StoreFaceChoice) and shown at once; without it, ChooseFace. No value
// when the word was refused, which has been told on stderr.
std::optional<UiLanguage> FaceForThisRun(const std::optional<QString>& languageWord);

// The translators of one face, installed into the application while this
// lives: the face's translation of the program (none for the sources' own
// language) and Qt's own texts (buttons, menus, dialogs) where the list
// names them; without, Qt's own texts are English.
class FaceTranslators {
public:
    explicit FaceTranslators(UiLanguage language);
    ~FaceTranslators();
    FaceTranslators(const FaceTranslators&) = delete;
    FaceTranslators& operator=(const FaceTranslators&) = delete;

    // False when a translation was missing: its texts then show untranslated.
    bool complete() const { return m_complete; }

private:
    std::vector<std::unique_ptr<QTranslator>> m_translators;
    bool m_complete = true;
};

}  // namespace quorvane
