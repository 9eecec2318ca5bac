#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// What a path holds, as far as deleting it is concerned. A read-only file
// stands for the Windows attribute that makes a deletion with the force flag
// unset fail; on POSIX it is a file that no one may write, whoever asks, so
// that the answer does not depend on being root. A broken link is a link
// that leads nowhere: deleting it removes the link. A file in use is one that
// another program holds open without letting it be deleted, as Windows'
// sharing rules have it.
enum class PathKind { Missing, File, ReadOnlyFile, Folder, BrokenLink, InUse, Other };

// The file a path reaches once the host has resolved it: links, letter case,
// and on Windows the dots and blanks it drops at the end of a name. Two paths
// that reach one file have equal identities, whatever their text.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    // Where the host's IDs may repeat for different files (Windows: the
    // 64-bit IDs of ReFS; network shares that answer one ID for several
    // files), what else tells files apart: the rest of a longer ID, the size,
    // times and link count, and the one name of a file that has no other.
    // Two names are one file only when all of it agrees. Empty where the ID
    // alone is trusted.
    std::vector<std::uint64_t> traits{};
    std::filesystem::path soleName{};
    auto operator<=>(const FileIdentity&) const = default;
};

// The file operations that removing a package needs. An interface, so that
// tests can make one fail midway and each operating system brings its own.
// Every failure is a PlatformError.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // A link is followed: what matters is what a deletion would reach. A
    // path that cannot be looked at raises: it is never taken as missing.
    virtual PathKind inspect(const std::filesystem::path& path) const = 0;

    // Nothing when no file is there, or when the host gives it no identity
    // worth trusting (then it is told by its name); raises when that cannot
    // be told.
    virtual std::optional<FileIdentity> identity(const std::filesystem::path& path) const = 0;

    // The identities of the ordinary files in a folder by name, as far as
    // one listing tells them: far cheaper than asking for each of the
    // thousands of files a manifest lists. A name left out (a link, a
    // listing that failed, a host whose listings carry no identities) is for
    // identity() to answer.
    virtual std::map<std::string, FileIdentity> identitiesIn(
        const std::filesystem::path& folder) const = 0;

    // Whether the folder that holds path lets its entries be deleted. On
    // POSIX a folder that no one may write counts as locked, whoever asks,
    // as read-only files do.
    virtual bool folderAllowsDeletion(const std::filesystem::path& path) const = 0;

    // With the force flag unset: a read-only file raises PermissionDenied, a
    // missing one FileNotFound.
    virtual void deleteFile(const std::filesystem::path& path) = 0;

    // Refuses anything but an ordinary file, without waiting on a pipe or a
    // device that has nothing to give.
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
    // replacement is gone afterwards. Raises only while current still holds
    // its old content. The backup is made under backupInProgress first.
    virtual void replaceKeepingBackup(const std::filesystem::path& current,
                                      const std::filesystem::path& replacement,
                                      const std::filesystem::path& backup,
                                      const std::filesystem::path& backupInProgress) = 0;

    // Makes the renames done in the folder durable.
    virtual void flushFolder(const std::filesystem::path& folder) = 0;

    // What an install needs besides: a new folder (raises when anything is
    // there already), removing an empty one, and a rename in one step that
    // replaces whatever file the target names.
    virtual void createFolder(const std::filesystem::path& path) = 0;
    virtual void removeEmptyFolder(const std::filesystem::path& path) = 0;
    virtual void moveFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
};

}  // namespace kestrix
