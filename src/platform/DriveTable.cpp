#include "platform/DriveTable.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"

// What the drive tables of both systems share; each system's own part, in
// posix/ and win/, finds the drives and maps the texts onto its file system.

namespace kestrix {

namespace fs = std::filesystem;

DriveTable::DriveTable(std::vector<Drive> drives, fs::path processCurrentDirectory,
                       const CodePage& codePage)
    : m_drives(std::move(drives)),
      m_processCurrentDirectory(normalFolder(fs::absolute(processCurrentDirectory))),
      m_codePage(&codePage) {
    for (Drive& drive : m_drives) {
        drive.letter = WindowsPath::upperCaseLetter(drive.letter);
        drive.root = normalFolder(fs::absolute(drive.root));
    }
}

fs::path DriveTable::normalFolder(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    if (normal.has_relative_path() && !normal.has_filename()) {
        normal = normal.parent_path();
    }
    return normal.make_preferred();
}

std::optional<std::ptrdiff_t> DriveTable::prefixLength(const fs::path& folder,
                                                       const fs::path& path) {
    const auto [folderEnd, pathEnd] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end(), sameName);
    if (folderEnd != folder.end()) {
        return std::nullopt;
    }
    return std::distance(path.begin(), pathEnd);
}

const Drive* DriveTable::findDrive(char letter) const {
    const char upper = WindowsPath::upperCaseLetter(letter);
    const auto drive = std::find_if(m_drives.begin(), m_drives.end(),
                                    [upper](const Drive& d) { return d.letter == upper; });
    return drive == m_drives.end() ? nullptr : &*drive;
}

const Drive* DriveTable::holdingDrive(const fs::path& path, std::ptrdiff_t& heldNames) const {
    const Drive* best = nullptr;
    heldNames = 0;
    for (const Drive& drive : m_drives) {
        const std::optional<std::ptrdiff_t> length = heldLength(drive, path);
        if (length && (best == nullptr || *length > heldNames)) {
            best = &drive;
            heldNames = *length;
        }
    }
    return best;
}

PlatformError DriveTable::unwritableName(const std::string& describedPath) const {
    return PlatformError(ErrorNumber::BadFileName,
                         "The name \"" + describedPath + "\" holds characters that " +
                             m_codePage->name() +
                             ", this system's code page, cannot write, so Windows programs such "
                             "as the game's tools cannot reach it. Rename it, or choose another "
                             "folder.");
}

std::string DriveTable::currentDirectory(char letter) const {
    const std::string current = processCurrentDirectory();
    const char upper = WindowsPath::upperCaseLetter(letter);
    if (WindowsPath::upperCaseLetter(current[0]) == upper) {
        return current;
    }
    return std::string{upper, ':', '\\'};
}

std::string DriveTable::processCurrentDirectory() const {
    return toWindows(m_processCurrentDirectory);
}

}  // namespace kestrix
