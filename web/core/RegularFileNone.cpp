// The page has no file system: every path is missing.
#include "files/RegularFile.h"

namespace quorvane {

struct RegularFile::Handle {};

RegularFile::RegularFile(const std::filesystem::path&) : m_state(RegularFileState::Missing) {}
RegularFile::~RegularFile() = default;
std::ptrdiff_t RegularFile::read(char*, std::size_t) { return -1; }

}  // namespace quorvane
