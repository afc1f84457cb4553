#pragma once
// The program's own catalogue and a user's copy of it: a newer program ships
// events the copy has never seen. Which of them the copy lacks, a fingerprint
// that tells one shipped file from the next, and the copy's bytes with those
// events written after its own, which stay exactly as they were.

#include "catalogue/CatalogueDocument.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvane {

// Changes whenever the shipped file's bytes do; 16 hexadecimal digits.
std::string CatalogueFingerprint(std::string_view bytes);

// The events of `shipped` whose titles `user` lacks, by the catalogue's
// duplicate rule, in the shipped order.
std::vector<EventRow> MissingEvents(const CatalogueDocument& user, const CatalogueDocument& shipped);

// Whether lines written after `user`'s last one would be read as their own
// events: not when the file ends inside a group, which would take them in.
bool CanAppendEvents(const CatalogueDocument& user);

// `fileBytes` with `rows` on lines of their own after its last line, in the
// file's encoding and as a save writes them. Every byte up to the end of the
// last line that holds anything stays; blank lines after it go, as they
// would stand between the old events and the new.
std::variant<std::string, EncodingFailure> AppendEvents(std::string_view fileBytes,
                                                         const std::vector<EventRow>& rows);

}  // namespace quorvane
