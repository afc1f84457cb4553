#pragma once
// What the user is told about a catalogue file: the reason for each kind of
// problem and the one message for a whole load. Japanese, UTF-8.

#include "catalogue/CatalogueProblem.h"
#include "catalogue/TextCodec.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

struct CatalogueContent;
struct CatalogueLoad;

// Why a line is wrong, for a message or a list of every problem; the file's
// `encoding` is named where that is the reason.
std::string_view ProblemReason(CatalogueProblemKind kind, TextEncoding encoding);

// Line of the earliest problem, if any.
std::optional<std::size_t> FirstProblemLine(const CatalogueContent& content);

// The one message that tells the user what went wrong with the file, or
// empty text when it loaded cleanly.
std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load);

}  // namespace quorvane
