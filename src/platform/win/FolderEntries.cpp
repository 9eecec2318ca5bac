#include "platform/FolderEntries.h"

#include <system_error>

namespace kestrix {

std::vector<std::filesystem::path> folderEntryNames(const std::filesystem::path& folder,
                                                    EntryType type) {
    std::vector<std::filesystem::path> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code typeError;
        const bool wanted = type == EntryType::Folder ? entry.is_directory(typeError)
                                                      : entry.is_regular_file(typeError);
        if (wanted) {
            names.push_back(entry.path().filename());
        }
    }
    return names;
}

}  // namespace kestrix
