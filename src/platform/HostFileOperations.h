#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileOperations.h"

namespace kestrix {

// The operating system's own file operations. Not final: a test derives
// from it to make one operation fail as a full disk would.
class HostFileOperations : public FileOperations {
public:
    PathKind inspect(const std::filesystem::path& path) const override;
    std::optional<FileIdentity> identity(const std::filesystem::path& path) const override;
    std::map<std::string, FileIdentity> identitiesIn(
        const std::filesystem::path& folder) const override;
    bool folderAllowsDeletion(const std::filesystem::path& path) const override;
    void deleteFile(const std::filesystem::path& path) override;
    std::string readFile(const std::filesystem::path& path) const override;
    void writeFile(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                   std::filesystem::perms permissions) override;
    std::filesystem::perms permissions(const std::filesystem::path& path) const override;
    std::filesystem::path canonical(const std::filesystem::path& path) const override;
    void replaceKeepingBackup(const std::filesystem::path& current,
                              const std::filesystem::path& replacement,
                              const std::filesystem::path& backup,
                              const std::filesystem::path& backupInProgress) override;
    void flushFolder(const std::filesystem::path& folder) override;
    void createFolder(const std::filesystem::path& path) override;
    void removeEmptyFolder(const std::filesystem::path& path) override;
    void moveFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

}  // namespace kestrix
