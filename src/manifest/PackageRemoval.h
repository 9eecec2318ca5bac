#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrix {

class DriveTable;
class FileOperations;

enum class RemovalStatus {
    Removed,
    NotInstalled,    // no section of that name: nothing changed
    UnsafeEntry,     // an entry points outside the game folder: nothing changed
    CannotDelete,    // a file is read-only, a folder, or reached through a link: nothing changed
    DeletionFailed,  // a deletion failed midway: the manifest is as it was
};

struct RemovalResult {
    RemovalStatus status;
    std::string message;  // what the user is told: "done" when removed
};

// Removes an installed package from a game folder: deletes its files, writes
// the manifest anew without its sections and keeps the previous one as
// manifest.bak.
//
// Everything that can be known beforehand is checked before the first
// deletion, so a refusal changes nothing. The manifest is replaced only after
// every file is gone: a removal cut short leaves the package listed, and
// running it again finishes it, since a file already gone counts as removed.
class PackageRemoval {
public:
    PackageRemoval(const DriveTable& drives, FileOperations& files);

    // gameDir is a Windows text. A manifest that cannot be read, or a new one
    // that cannot be written, raises PlatformError.
    RemovalResult remove(std::string_view gameDir, std::string_view packageName);

private:
    void discard(const std::filesystem::path& newManifest);

    const DriveTable& m_drives;
    FileOperations& m_files;
};

}  // namespace kestrix
