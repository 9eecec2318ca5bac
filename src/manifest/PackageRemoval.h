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
    RemovedNotFlushed,  // removed, but the folder could not be flushed: the change may be lost
    NotInstalled,       // no section of that name: nothing changed
    UnsafeEntry,        // an entry points outside the game folder: nothing changed
    Refused,            // a file, its folder or a manifest name stands in the way: nothing changed
    DeletionFailed,     // a deletion failed: the manifest still lists the package
    ManifestNotReplaced,  // the files are gone, but the manifest still lists the package
};

// Why a path stops the removal before anything changes.
enum class RefusalReason {
    None,
    ReadOnly,
    Folder,
    NotOrdinaryFile,
    FolderLocked,  // its folder does not allow deletion
    OutsideGameFolder,
    CannotCheck,  // looking at it failed; errorDescription says why
};

// What a removal did, for the window to put in words.
struct RemovalOutcome {
    RemovalStatus status = RemovalStatus::Removed;
    RefusalReason reason = RefusalReason::None;  // for Refused
    // The Windows text the status concerns: the entry for UnsafeEntry, the
    // file for Refused and DeletionFailed, the manifest otherwise.
    std::string path;
    // The platform's words, where an error is behind the status.
    std::string errorDescription;
    // Windows paths of the files deleted, in order.
    std::vector<std::string> deleted;
    // Listed files that were already gone.
    std::vector<std::string> notFound;

    // The package is no longer listed.
    bool packageRemoved() const {
        return status == RemovalStatus::Removed || status == RemovalStatus::RemovedNotFlushed;
    }
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
    RemovalOutcome remove(std::string_view gameDir, std::string_view packageName);

private:
    class Survey;

    void discard(const std::filesystem::path& newManifest);

    const DriveTable& m_drives;
    FileOperations& m_files;
};

}  // namespace kestrix
