#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace kestrix {

enum class EntryType { Folder, File };

// The names of a host folder's sub-folders or files, as the host spells them
// and in the host's order; a link counts as what it leads to. Paths, not
// strings: a Windows name is UTF-16, which a narrow string would re-encode. A
// folder that cannot be read lists nothing. The folder a program reads early
// (EarlyFolderListing) serves its first read from that early listing.
std::vector<std::filesystem::path> folderEntryNames(const std::filesystem::path& folder,
                                                    EntryType type);

// Whether that read would wait for the early listing, which is still being
// read: a list may show the rest of itself meanwhile.
bool folderEntriesArriving(const std::filesystem::path& folder, EntryType type);

// Each system's own read of a folder, which tells a folder that cannot be
// read, or whose listing fails part-way (nothing), from an empty one. Each
// reads the listing in one pass that carries the entries' types: the lists
// open folders of tens of thousands of entries.
std::optional<std::vector<std::filesystem::path>> readFolderEntries(
    const std::filesystem::path& folder, EntryType type);

}  // namespace kestrix
