#include "manifest/LineWriter.h"

#include "platform/FileOperations.h"

namespace kestrix {

LineWriter::LineWriter(FileOperations& files) : m_files(files) {}

void LineWriter::create(const std::filesystem::path& path, std::filesystem::perms permissions) {
    m_path = path;
    m_permissions = permissions;
    m_pieces.clear();
}

void LineWriter::writeRaw(std::string_view bytes) {
    m_pieces.push_back(bytes);
}

void LineWriter::close() {
    m_files.writeFile(m_path, m_pieces, m_permissions);
    m_pieces.clear();
}

}  // namespace kestrix
