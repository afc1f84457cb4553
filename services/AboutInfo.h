#pragma once
// The program's own name, copyright and links, kept in one place. The home
// page and mail address use a reserved example domain until real ones exist.

#include "ProgramInfo.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace quorvane::about {

// Shown through the about window's translation.
inline constexpr const char* ProductTitle = QT_TRANSLATE_NOOP("frmAbout", " Quorvane ～宇宙暦・西暦 換算 ～");
inline const QString VersionText =
    QStringLiteral("Ver ") + QString::fromUtf8(kProgramVersion.data(), qsizetype(kProgramVersion.size()));
inline const QString Copyright =
    QStringLiteral("Copyright (C) 2026 ") + QString::fromUtf8(kVendorName.data(), qsizetype(kVendorName.size()));
inline constexpr QStringView HomePageUrl = u"https://ovreksoft.example/";
inline constexpr QStringView MailAddress = u"qv@ovreksoft.example";
inline constexpr const char* TrekPageName = QT_TRANSLATE_NOOP("frmAbout", "宇宙暦ﾉｰﾄ");
inline constexpr QStringView TrekPageUrl = u"https://ovreksoft.example/startrek/";

}  // namespace quorvane::about
