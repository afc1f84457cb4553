#pragma once
// The settings file as the window and quorvane-cli both find and read it:
// <config folder>/<vendor>/<product>.conf, read whole through one reader,
// so that both take every way of writing a value alike.

#include "settings/IniDocument.h"

#include <string>

namespace quorvane::settings {

enum class FileState {
    Read,        // read whole, or missing: a missing file holds no key
    NotAFile,    // a folder, a FIFO or a device stands in its place
    Unreadable,  // the system's reason in `error`
    TooLarge,    // over kMaxFileSize
};

struct FileRead {
    FileState state = FileState::Read;
    bool exists = false;
    int error = 0;  // errno of a failed open or read
    IniDocument document;
};

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config, then the
// vendor's folder and the product's file; empty when no home is known. Not
// on Windows, where the registry holds the settings.
std::string SettingsFilePath();

// Regular files only, never waited on, and none over kMaxFileSize.
FileRead ReadSettingsFile(const std::string& path);

// The Language setting in the file at SettingsFilePath(), as UTF-8; empty
// when it is missing or the file cannot be read. Not on Windows, where the
// registry holds the settings.
std::string StoredLanguageText();

}  // namespace quorvane::settings
