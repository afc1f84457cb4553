#pragma once
// The one QApplication of a test or benchmark run: headless unless the caller
// chose a platform, under the program's own names, and with config and data
// folders of its own so that no run reads or writes the user's settings or
// the user's own copy of the catalogue.

#include "support/UserProfile.h"

#include <QApplication>
#include <QFont>
#include <QTemporaryDir>

namespace quorvane::testing {

// The designed geometry and font sizes are pinned for the fonts of the Linux
// runs. Wine's measure wider, so there the design grows to fit, as it should
// for a larger desktop font, and checks of the exact design do not apply.
#ifdef _WIN32
inline constexpr bool kDesignFonts = false;
#else
inline constexpr bool kDesignFonts = true;
#endif
inline constexpr const char* kOtherFonts =
    "the exact design is pinned for the Linux runs' fonts; Wine's measure wider";

class TestApplication {
public:
    TestApplication(int& argc, char** argv) : m_app(argc, argv) {
        QCoreApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
        QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
        // A desktop font as small as the one the windows were drawn for, so
        // that their geometry is exactly the designed twips; the tests of a
        // larger font set their own.
        QFont font = QApplication::font();
        font.setPointSizeF(7.5);
        QApplication::setFont(font);
    }

private:
    // Qt reads both variables when the application starts, so they are set
    // by a member built before it; the folder outlives the application.
    struct Environment {
        Environment() {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            UseSettingsStoreIn(config.path());
            UseUserDataFolder(data.path());
        }
        PrivateUserProfile profile;
        QTemporaryDir config;
        QTemporaryDir data;
    };

    Environment m_environment;
    QApplication m_app;
};

}  // namespace quorvane::testing
