#include "app/ProgramOptions.h"

#include "app/UiFace.h"
#include "services/SettingsStore.h"

#include <QCoreApplication>

#include <cstdio>

namespace quorvane {

namespace {

// The texts are marked where they stand (QT_TRANSLATE_NOOP) for lupdate.
QString Text(const char* source) { return QCoreApplication::translate("ProgramOptions", source); }

const QString kLanguageOption = QStringLiteral("--language");
const QString kCheckInstallOption = QStringLiteral("--check-install");

}  // namespace

ProgramOptions ParseProgramOptions(const QStringList& arguments) {
    using Refusal = ProgramOptions::Refusal;
    ProgramOptions options;
    const auto refuse = [&options](Refusal refusal, const QString& argument) {
        options.refusal = refusal;
        options.argument = argument;
    };
    for (qsizetype i = 0; i < arguments.size() && options.ok(); ++i) {
        const QString& argument = arguments[i];
        if (argument == kCheckInstallOption) {
            options.checkInstall = true;
        } else if (argument == kLanguageOption || argument.startsWith(kLanguageOption + u'=')) {
            if (options.language)
                refuse(Refusal::Twice, kLanguageOption);
            else if (argument != kLanguageOption)
                options.language = argument.sliced(kLanguageOption.size() + 1);
            else if (i + 1 < arguments.size())
                options.language = arguments[++i];
            else
                refuse(Refusal::NoValue, kLanguageOption);
        } else {
            refuse(Refusal::Unknown, argument);
        }
    }
    // The check reports on the files alone; a choice of face beside it would
    // pass silently untaken.
    if (options.ok() && options.checkInstall && arguments.size() > 1)
        refuse(Refusal::NotAlone, kCheckInstallOption);
    return options;
}

QString DescribeRefusal(const ProgramOptions& options) {
    using Refusal = ProgramOptions::Refusal;
    const char* why = nullptr;
    switch (options.refusal) {
        case Refusal::None: return {};
        case Refusal::Unknown: why = QT_TRANSLATE_NOOP("ProgramOptions", "この引数は使えません: %1"); break;
        case Refusal::Twice: why = QT_TRANSLATE_NOOP("ProgramOptions", "%1 が 2 度あります。"); break;
        case Refusal::NoValue: why = QT_TRANSLATE_NOOP("ProgramOptions", "%1 には値が要ります。"); break;
        case Refusal::NotAlone:
            why = QT_TRANSLATE_NOOP("ProgramOptions", "%1 はほかの引数と一緒には使えません。");
            break;
    }
    return Text(why).arg(options.argument) + u'\n' +
           Text(QT_TRANSLATE_NOOP("ProgramOptions", "使い方: quorvane [--language %1|system]\n"
                                                    "        quorvane --check-install"))
               .arg(FaceCodes(QStringLiteral("|")));
}

int RefuseProgramOptions(const ProgramOptions& options) {
    const FaceTranslators face(ChooseFace(*OpenSettingsStore()));
    std::fprintf(stderr, "quorvane: %s\n", qUtf8Printable(DescribeRefusal(options)));
    return 2;
}

}  // namespace quorvane
