#pragma once

#include <filesystem>
#include <vector>

namespace kestrix {

enum class EntryType { Folder, File };

// The names of a host folder's sub-folders or files, as the host spells them
// and in the host's order; a link counts as what it leads to. Paths, not
// strings: a Windows name is UTF-16, which a narrow string would re-encode. A
// folder that cannot be read lists nothing. Each system reads its folders its
// own way: the lists open folders of tens of thousands of entries.
std::vector<std::filesystem::path> folderEntryNames(const std::filesystem::path& folder,
                                                    EntryType type);

}  // namespace kestrix
