#include "windows/FolderNames.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>

#include "platform/DriveTable.h"
#include "platform/WindowsPath.h"

namespace kestrix {

std::vector<FolderName> visibleNames(const DriveTable& drives, const std::filesystem::path& folder,
                                     EntryType type) {
    std::vector<FolderName> names;
    for (std::filesystem::path& hostName : folderEntryNames(folder, type)) {
        if (hostName.native().starts_with(std::filesystem::path::value_type('.'))) {
            continue;
        }
        if (std::optional<std::string> text = drives.nameOf(hostName)) {
            names.push_back({*std::move(text), true, std::move(hostName)});
        } else {
            names.push_back({drives.describe(hostName), false, std::move(hostName)});
        }
    }
    // A folder may hold tens of thousands of names: each is folded once, and
    // the sort moves indices, not strings.
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const FolderName& name : names) {
        keys.push_back(WindowsPath::foldCase(name.text));
    }
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&keys, &names](std::uint32_t a, std::uint32_t b) {
        return keys[a] < keys[b] || (keys[a] == keys[b] && names[a].hostName < names[b].hostName);
    });
    std::vector<FolderName> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    return sorted;
}

}  // namespace kestrix
