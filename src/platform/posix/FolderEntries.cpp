#include "platform/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

namespace kestrix {
namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// The entry's type from the listing itself where the file system gives it;
// a link, or a file system that does not say, costs one stat.
bool hasType(DIR* directory, const dirent& entry, EntryType type) {
    const unsigned char wanted = type == EntryType::Folder ? DT_DIR : DT_REG;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return entry.d_type == wanted;
    }
    struct stat status {};
    if (fstatat(dirfd(directory), entry.d_name, &status, 0) != 0) {
        return false;
    }
    return type == EntryType::Folder ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> folderEntryNames(const std::filesystem::path& folder,
                                                    EntryType type) {
    std::vector<std::filesystem::path> names;
    const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
    if (!directory) {
        return names;
    }
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && hasType(directory.get(), *entry, type)) {
            names.emplace_back(std::string(name));
        }
    }
    return names;
}

}  // namespace kestrix
