#pragma once
// The events a newer program ships that the user's copy of its catalogue
// lacks: whether to offer them, and the copy's bytes with them added.

#include "catalogue/CatalogueDocument.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

struct ShippedOffer {
    quorvane::CatalogueDocument shipped;
    // The settings key that remembers the answer for this copy, and the
    // shipped file's fingerprint it is remembered by.
    QString key;
    QString fingerprint;
    std::size_t missing = 0;  // events the copy lacks; 0: nothing to ask
};

// What to offer the document read from `path`; nothing when `path` is not a
// user's copy, the shipped file cannot be read, the copy cannot take lines
// at its end, or this version of the shipped file was answered already.
std::optional<ShippedOffer> FindShippedOffer(const QString& programFolder, const std::string& path,
                                             const quorvane::CatalogueDocument& document);

struct Appended {
    std::string bytes;
    int count = 0;  // 0: the file holds every shipped event already
};

// The file at `path` as it is now, with the events of `shipped` it lacks
// now added after its own lines; otherwise why it cannot take them.
std::variant<Appended, QString> AppendShippedEvents(const std::string& path,
                                                    const quorvane::CatalogueDocument& shipped);
