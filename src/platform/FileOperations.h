#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// What a path holds, as far as deleting it is concerned. A read-only file
// stands for the Windows attribute that makes a deletion with the force flag
// unset fail; on POSIX it is a file that no one may write, whoever asks, so
// that the answer does not depend on being root.
enum class PathKind { Missing, File, ReadOnlyFile, Folder, Other };

// The file operations that removing a package needs. An interface, so that
// tests can make one fail midway and each operating system brings its own.
// Every failure is a PlatformError.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // A link is followed: what matters is what a deletion would reach.
    virtual PathKind inspect(const std::filesystem::path& path) const = 0;

    // With the force flag unset: a read-only file raises PermissionDenied, a
    // missing one FileNotFound.
    virtual void deleteFile(const std::filesystem::path& path) = 0;

    virtual std::string readFile(const std::filesystem::path& path) const = 0;

    // Replaces whatever the path held with the pieces one after another,
    // which spares joining a large file's parts first. When it returns, the
    // bytes are on disk and the file has exactly the given permissions.
    virtual void writeFile(const std::filesystem::path& path,
                           const std::vector<std::string_view>& pieces,
                           std::filesystem::perms permissions) = 0;

    virtual std::filesystem::perms permissions(const std::filesystem::path& path) const = 0;

    // The path with every link resolved; the path must exist.
    virtual std::filesystem::path canonical(const std::filesystem::path& path) const = 0;

    // Keeps current's content as backup and puts replacement in current's
    // place, so that current is at every moment either complete file and a
    // crash never leaves it half-written. The backup may be missing;
    // replacement is gone afterwards.
    virtual void replaceKeepingBackup(const std::filesystem::path& current,
                                      const std::filesystem::path& replacement,
                                      const std::filesystem::path& backup) = 0;
};

}  // namespace kestrix
