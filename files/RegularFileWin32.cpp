// Windows keeps pipes and devices out of the folders a catalogue lives in,
// so a look at the name before opening it is enough here.
#include "files/RegularFile.h"

#include <fstream>

namespace quorvane {

struct RegularFile::Handle {
    std::ifstream stream;
};

RegularFile::RegularFile(const std::filesystem::path& path) : m_handle(std::make_unique<Handle>()) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        m_state = RegularFileState::Missing;
        return;
    }
    if (ec) return;
    if (!fs::is_regular_file(status)) {
        m_state = RegularFileState::NotAFile;
        return;
    }
    m_handle->stream.open(path, std::ios::in | std::ios::binary);
    if (!m_handle->stream.is_open()) {
        m_state = fs::exists(path, ec) ? RegularFileState::Unreadable : RegularFileState::Missing;
        return;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    m_size = ec ? 0 : size;
    m_state = RegularFileState::Open;
}

RegularFile::~RegularFile() = default;

std::ptrdiff_t RegularFile::read(char* into, std::size_t want) {
    if (m_state != RegularFileState::Open) return -1;
    std::ifstream& stream = m_handle->stream;
    if (stream.eof()) return 0;
    stream.read(into, static_cast<std::streamsize>(want));
    if (stream.bad()) return -1;
    return static_cast<std::ptrdiff_t>(stream.gcount());
}

}  // namespace quorvane
