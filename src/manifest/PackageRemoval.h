#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

class DriveTable;
class FileOperations;

enum class RemovalStatus {
    Removed,
    NotInstalled,    // no section of that name: nothing changed
    GameGroup,       // a group of the game's own installation: nothing changed
    UnsafeEntry,     // an entry points outside the game folder: nothing changed
    CannotDelete,    // a file, its folder or a manifest name stands in the way: nothing changed
    DeletionFailed,  // a step failed after the first deletion: the manifest still lists the package
};

struct RemovalResult {
    RemovalStatus status;
    // What the user is told: "done" when removed, with a warning after it
    // when the change may not have reached the disk yet.
    std::string message;
    // The package's files, as the manifest lists them (code page texts for
    // the window): those deleted, and those that were not on disk.
    std::vector<std::string> deleted = {};
    std::vector<std::string> notFound = {};
};

// Removes an installed package from a game folder: deletes its files, writes
// the manifest anew without its sections and keeps the previous one as
// manifest.bak.
//
// Everything that can be known beforehand is checked before the first
// deletion, so a refusal changes nothing. Files are told apart by what they
// are on disk, not by their text: no other name of the manifest, or of a file
// another section lists, is ever deleted. The manifest is replaced only after
// every file is gone: a removal cut short leaves the package listed, and
// running it again finishes it, since a file already gone counts as removed.
class PackageRemoval {
public:
    PackageRemoval(const DriveTable& drives, FileOperations& files);

    // gameDir is a Windows text. A manifest that cannot be read, or a new one
    // that cannot be written, raises PlatformError.
    RemovalResult remove(std::string_view gameDir, std::string_view packageName);

private:
    class Survey;

    void discard(const std::filesystem::path& newManifest);

    const DriveTable& m_drives;
    FileOperations& m_files;
};

}  // namespace kestrix
