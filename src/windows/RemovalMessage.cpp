#include "windows/RemovalMessage.h"

#include <vector>

namespace kestrix {

namespace {

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

// The first few names of a list, for a message that must stay readable.
std::string firstFew(const std::vector<std::string>& names) {
    constexpr std::size_t shown = 3;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < shown; ++i) {
        text += (i == 0 ? "" : ", ") + names[i];
    }
    return names.size() > shown ? text + ", ..." : text;
}

// A listed file that was not on disk counts as removed, so that a second
// Uninstall finishes one cut short; but a name read wrongly looks just the
// same, so the user is told.
std::string notFoundNote(const std::vector<std::string>& notFound) {
    if (notFound.empty()) {
        return {};
    }
    return ", but " + std::to_string(notFound.size()) + " of the package's files " +
           (notFound.size() == 1 ? "was" : "were") + " not found: " + firstFew(notFound) +
           (notFound.size() == 1
                ? ". It may have been deleted before, or its name may be spelt otherwise on disk"
                : ". They may have been deleted before, or their names may be spelt otherwise on "
                  "disk");
}

std::string why(const RemovalOutcome& outcome, const CodePage& codePage) {
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
        case RefusalReason::Unreachable:
            return "holds characters that " + codePage.name() +
                   ", this system's code page, cannot write, so it cannot be reached";
        case RefusalReason::InUse:
            return "is in use by another program (is the game running?); close it and try again";
        case RefusalReason::FolderNotWritable:
            break;
        case RefusalReason::None:
            break;
    }
    return "cannot be deleted";
}

}  // namespace

std::string RemovalMessage::of(std::string_view packageName, const RemovalOutcome& outcome,
                               const CodePage& codePage) {
    const std::string notRemoved = "The package " + inQuotes(packageName) + " was not removed: ";
    switch (outcome.status) {
        case RemovalStatus::Removed:
            return "done" + notFoundNote(outcome.notFound) + (outcome.notFound.empty() ? "" : ".");
        case RemovalStatus::RemovedNotFlushed:
            return "done" + notFoundNote(outcome.notFound) +
                   (outcome.notFound.empty() ? ", but" : "; and") +
                   " the change may not be on the disk yet (" + outcome.errorDescription +
                   "). If the computer loses power before it writes its cache, the package may "
                   "be listed again: clicking Uninstall then will finish the removal.";
        case RemovalStatus::NotInstalled:
            return "No package named " + inQuotes(packageName) +
                   " is installed. Nothing was changed.";
        case RemovalStatus::GameGroup:
            return inQuotes(packageName) +
                   " is a part of the game's own installation, not a package installed into this "
                   "folder, and is never removed. Nothing was changed.";
        case RemovalStatus::UnsafeEntry:
            return notRemoved + "its entry " + inQuotes("File=" + outcome.path) +
                   " does not name a file inside the game folder. Nothing was changed.";
        case RemovalStatus::Refused:
            if (outcome.reason == RefusalReason::FolderNotWritable) {
                return notRemoved + "you may not write in the folder " + inQuotes(outcome.path) +
                       " (" + outcome.errorDescription +
                       "). Start KESTRIX as a user who may write there (on Windows: right-click "
                       "it, "
                       "then Run as administrator), or move the game to a folder of your own, "
                       "out of Program Files. Nothing was changed.";
            }
            return notRemoved + inQuotes(outcome.path) + " " + why(outcome, codePage) +
                   ". Nothing was changed.";
        case RemovalStatus::DeletionFailed:
            return "Deleting " + inQuotes(outcome.path) + " failed: " + outcome.errorDescription +
                   "." +
                   (outcome.deleted.empty() ? ""
                                            : " These files were deleted before it: " +
                                                  firstFew(outcome.deleted) + ".") +
                   " The manifest was not changed: clicking Uninstall again will finish the "
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
