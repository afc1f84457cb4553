#pragma once
// Paths of the system's and the user's special folders, looked up afresh on
// every read. A folder this desktop has no counterpart for, or that does not
// exist on this machine, answers empty text.

#include <QString>
#include <cstdint>

class clsSystemFolder {
public:
    QString Windows() const;   // none here: ""
    QString System() const;    // none here: ""
    QString Temp() const;      // ends with "/"
    QString Desktop() const;
    QString Programs() const;  // the user's applications folder
    QString Personal() const;  // documents
    QString Favorites() const;
    QString Startup() const;   // autostart entries
    QString Recent() const;
    QString SendTo() const;
    QString Fonts() const;
    QString StartMenu() const;  // the user's applications folder

    // Identifiers of the special folders.
    static constexpr std::int32_t CSIDL_DESKTOP = 0;
    static constexpr std::int32_t CSIDL_PROGRAMS = 2;
    static constexpr std::int32_t CSIDL_PERSONAL = 5;
    static constexpr std::int32_t CSIDL_FAVORITES = 6;
    static constexpr std::int32_t CSIDL_STARTUP = 7;
    static constexpr std::int32_t CSIDL_RECENT = 8;
    static constexpr std::int32_t CSIDL_SENDTO = 9;
    static constexpr std::int32_t CSIDL_STARTMENU = 11;
    static constexpr std::int32_t CSIDL_FONTS = 20;

private:
    static QString SpecialFolderPath(std::int32_t folderId);
};
