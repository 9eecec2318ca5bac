#include "windows/FolderNames.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

#include "platform/WindowsPath.h"

namespace kestrix {

std::vector<std::string> visibleNames(const std::filesystem::path& folder, EntryType type) {
    std::vector<std::string> names = folderEntryNames(folder, type);
    std::erase_if(names, [](const std::string& name) { return name.starts_with('.'); });
    // A folder may hold tens of thousands of names: each is folded once, and
    // the sort moves indices, not strings.
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names) {
        keys.push_back(WindowsPath::foldCase(name));
    }
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&keys, &names](std::uint32_t a, std::uint32_t b) {
        return keys[a] < keys[b] || (keys[a] == keys[b] && names[a] < names[b]);
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    return sorted;
}

}  // namespace kestrix
