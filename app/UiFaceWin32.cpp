#include "app/UiFace.h"

#include <QLocale>

namespace quorvane {

std::vector<std::string> SystemPreferredLanguages() {
    std::vector<std::string> preferred;
    for (const QString& language : QLocale::system().uiLanguages()) preferred.push_back(language.toStdString());
    return preferred;
}

}  // namespace quorvane
