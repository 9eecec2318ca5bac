#include "platform/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>

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

// readdir gives each entry's type with its name on most file systems: a
// folder of 20,000 sub-folders is listed without a stat for each.
std::optional<std::vector<std::filesystem::path>> readFolderEntries(
    const std::filesystem::path& folder, EntryType type) {
    std::vector<std::filesystem::path> names;
    const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
    if (!directory) {
        return std::nullopt;
    }
    // readdir tells its end from a failure only by errno.
    errno = 0;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && hasType(directory.get(), *entry, type)) {
            names.emplace_back(std::string(name));
        }
        errno = 0;
    }
    if (errno != 0) {
        return std::nullopt;
    }
    return names;
}

}  // namespace kestrix
