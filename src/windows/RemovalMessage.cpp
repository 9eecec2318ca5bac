#include "windows/RemovalMessage.h"

namespace kestrix {

namespace {

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

std::string why(const RemovalOutcome& outcome) {
    switch (outcome.reason) {
        case RefusalReason::ReadOnly:
            return "is read-only";
        case RefusalReason::Folder:
            return "is a folder";
        case RefusalReason::NotOrdinaryFile:
            return "is not an ordinary file";
        case RefusalReason::FolderLocked:
            return "is in a folder where files may not be deleted";
        case RefusalReason::OutsideGameFolder:
            return "lies outside the game folder";
        case RefusalReason::CannotCheck:
            return "could not be checked (" + outcome.errorDescription + ")";
        case RefusalReason::None:
            break;
    }
    return "cannot be deleted";
}

}  // namespace

std::string RemovalMessage::of(std::string_view packageName, const RemovalOutcome& outcome) {
    const std::string notRemoved = "The package " + inQuotes(packageName) + " was not removed: ";
    switch (outcome.status) {
        case RemovalStatus::Removed:
            break;
        case RemovalStatus::RemovedNotFlushed:
            return "done, but the change may not be on the disk yet (" + outcome.errorDescription +
                   "). If the computer loses power before it writes its cache, the package may "
                   "be listed again: clicking Uninstall then will finish the removal.";
        case RemovalStatus::NotInstalled:
            return "No package named " + inQuotes(packageName) +
                   " is installed. Nothing was changed.";
        case RemovalStatus::UnsafeEntry:
            return notRemoved + "its entry " + inQuotes("File=" + outcome.path) +
                   " does not name a file inside the game folder. Nothing was changed.";
        case RemovalStatus::Refused:
            return notRemoved + inQuotes(outcome.path) + " " + why(outcome) +
                   ". Nothing was changed.";
        case RemovalStatus::DeletionFailed:
            return "Deleting " + inQuotes(outcome.path) + " failed: " + outcome.errorDescription +
                   ". The manifest was not changed: clicking Uninstall again will finish the "
                   "removal.";
        case RemovalStatus::ManifestNotReplaced:
            return "The files of " + inQuotes(packageName) +
                   " were deleted, but the manifest could not be updated: " +
                   outcome.errorDescription +
                   ". It still lists the package: clicking Uninstall again will finish the "
                   "removal.";
    }
    return "done";
}

}  // namespace kestrix
