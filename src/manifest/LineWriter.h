#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace kestrix {

class FileOperations;

// Writes a manifest line by line. Nothing reaches the disk before close(),
// which writes the whole file and flushes it: a failure midway never leaves a
// half-written manifest behind, and a file that close() has finished survives
// a power cut.
class LineWriter {
public:
    explicit LineWriter(FileOperations& files);

    // Starts a new file that will replace whatever the path holds.
    void create(const std::filesystem::path& path,
                std::filesystem::perms permissions = std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_write |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);

    // Bytes as they stand, for lines copied with their own line ends. They
    // are not copied, so that a large manifest is never held twice: they must
    // stay alive until close().
    void writeRaw(std::string_view bytes);

    void close();

private:
    FileOperations& m_files;
    std::filesystem::path m_path;
    std::filesystem::perms m_permissions = std::filesystem::perms::none;
    std::vector<std::string_view> m_pieces;
};

}  // namespace kestrix
