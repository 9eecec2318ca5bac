#include "platform/FolderEntries.h"

#include <utility>

#include "platform/EarlyFolderListing.h"

namespace kestrix {

std::vector<std::filesystem::path> folderEntryNames(const std::filesystem::path& folder,
                                                    EntryType type) {
    if (auto early = EarlyFolderListing::take(folder, type)) {
        return *std::move(early);
    }
    return readFolderEntries(folder, type).value_or(std::vector<std::filesystem::path>{});
}

bool folderEntriesArriving(const std::filesystem::path& folder, EntryType type) {
    return EarlyFolderListing::arriving(folder, type);
}

}  // namespace kestrix
