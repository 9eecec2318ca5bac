#include "platform/DriveTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"
#include "platform/posix/UnixFileName.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

// Sorted, so that a lookup among names differing only in case picks the same
// one on every run, whatever order the file system lists them in.
std::vector<std::string> entryNames(const fs::path& folder, std::error_code& error) {
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Only a folder or name that is not there says that the name is missing.
// Any other failure leaves it unknown, and taking it for missing would let a
// caller count an existing file as gone.
void raiseUnlessAbsent(const std::error_code& error) {
    if (!error || error == std::errc::no_such_file_or_directory ||
        error == std::errc::not_a_directory) {
        return;
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        throw PlatformError(ErrorNumber::PermissionDenied);
    }
    throw PlatformError(ErrorNumber::PathFileAccessError,
                        PlatformError::standardDescription(ErrorNumber::PathFileAccessError) +
                            " (" + error.message() + ")");
}

// The entry of the folder that a Windows name stands for: the exact name
// first, since a case-sensitive file system may hold several spellings. The
// others are compared as Windows texts, so that case folds across the whole
// code page; an entry that the code page cannot write is no Windows name and
// never matches.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name,
                                     const CodePage& codePage) {
    const std::string diskName = UnixFileName::fromWindows(name, codePage);
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / diskName, error))) {
        return diskName;
    }
    raiseUnlessAbsent(error);
    const std::vector<std::string> names = entryNames(folder, error);
    raiseUnlessAbsent(error);
    for (const std::string& entry : names) {
        const std::optional<std::string> entryName = UnixFileName::toWindows(entry, codePage);
        if (entryName && codePage.equalsIgnoringCase(*entryName, name)) {
            return entry;
        }
    }
    return std::nullopt;
}

// Windows resolves "." and ".." on the text alone, before the file system is
// asked, and ".." at a root stays there.
std::vector<std::string> withoutDots(const std::vector<std::string>& names) {
    std::vector<std::string> resolved;
    for (const std::string& name : names) {
        if (name == "..") {
            if (!resolved.empty()) {
                resolved.pop_back();
            }
        } else if (name != ".") {
            resolved.push_back(name);
        }
    }
    return resolved;
}

}  // namespace

bool DriveTable::sameName(const fs::path& a, const fs::path& b) {
    return a == b;
}

// A drive's folder may be reached through a link (dosdevices/c: is one), so
// both its spelling and its real location count.
std::optional<std::ptrdiff_t> DriveTable::heldLength(const Drive& drive,
                                                     const fs::path& path) const {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(drive.root, error);
    const std::optional<std::ptrdiff_t> spelled = prefixLength(drive.root, path);
    return error ? spelled : std::max(spelled, prefixLength(normalFolder(canonical), path));
}

DriveTable DriveTable::fromSystem() {
    std::map<char, fs::path> roots;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        const fs::path dosdevices = fs::path(home) / ".wine" / "dosdevices";
        // Wine names its links in lower case; "c::" and the like are raw
        // devices, not drives.
        std::error_code unreadable;  // a prefix that cannot be read has no drives to offer
        for (const std::string& name : entryNames(dosdevices, unreadable)) {
            if (name.size() != 2 || name[0] < 'a' || name[0] > 'z' || name[1] != ':') {
                continue;
            }
            // A relative target is read from the dosdevices folder, as Wine
            // reads it; the drive's folder may be missing.
            std::error_code error;
            const fs::path target = fs::read_symlink(dosdevices / name, error);
            if (!error) {
                const fs::path resolved = fs::weakly_canonical(dosdevices / target, error);
                roots[WindowsPath::upperCaseLetter(name[0])] =
                    normalFolder(error ? dosdevices / target : resolved);
            }
        }
    }
    // Wine always gives Z: the whole file system, so every host path has a
    // Windows form even when the prefix maps z: elsewhere or is missing.
    roots['Z'] = "/";

    std::vector<Drive> drives;
    for (const auto& [letter, root] : roots) {
        drives.push_back(Drive{letter, root});
    }
    return DriveTable(std::move(drives), fs::current_path());
}

bool DriveTable::isReady(char letter) const {
    const Drive* drive = findDrive(letter);
    std::error_code error;
    return drive != nullptr && fs::is_directory(drive->root, error);
}

fs::path DriveTable::toHost(std::string_view windowsPath) const {
    char letter = 0;
    std::vector<std::string> names;
    if (const std::optional<char> drive = WindowsPath::driveLetter(windowsPath)) {
        // "C:" and "C:UT" are taken from the drive's root, not from its current
        // directory: a stored text then names the same file whatever the
        // process's current directory is.
        letter = *drive;
        names = WindowsPath::components(windowsPath.substr(2));
    } else {
        const std::string current = processCurrentDirectory();
        letter = current[0];
        if (windowsPath.empty() || !WindowsPath::isSeparator(windowsPath[0])) {
            names = WindowsPath::components(std::string_view(current).substr(2));
        }
        for (std::string& name : WindowsPath::components(windowsPath)) {
            names.push_back(std::move(name));
        }
    }

    if (!isReady(letter)) {
        throw PlatformError(ErrorNumber::DeviceUnavailable);
    }

    // Once a name is not found its folder does not exist, so every later name
    // is taken as written too.
    fs::path host = findDrive(letter)->root;
    for (const std::string& name : withoutDots(names)) {
        host /= findEntry(host, name, *m_codePage)
                    .value_or(UnixFileName::fromWindows(name, *m_codePage));
    }
    return host;
}

std::string DriveTable::toWindows(const fs::path& hostPath) const {
    const fs::path path = normalFolder(m_processCurrentDirectory / hostPath);
    std::ptrdiff_t bestLength = 0;
    const Drive* best = holdingDrive(path, bestLength);
    if (best == nullptr) {
        throw PlatformError(
            ErrorNumber::PathNotFound,
            PlatformError::standardDescription(ErrorNumber::PathNotFound) + ": " + path.string());
    }

    std::string windows{best->letter, ':', '\\'};
    auto name = path.begin();
    std::advance(name, bestLength);
    for (; name != path.end(); ++name) {
        if (windows.back() != '\\') {
            windows += '\\';
        }
        const std::optional<std::string> windowsName = nameOf(*name);
        if (!windowsName) {
            for (auto rest = name; rest != path.end(); ++rest) {
                if (rest != name) {
                    windows += '\\';
                }
                windows += describe(*rest);
            }
            throw unwritableName(windows);
        }
        windows += *windowsName;
    }
    return windows;
}

std::optional<std::string> DriveTable::nameOf(const fs::path& hostName) const {
    return UnixFileName::toWindows(hostName.native(), *m_codePage);
}

std::string DriveTable::describe(const fs::path& hostName) const {
    return UnixFileName::describe(hostName.native(), *m_codePage);
}

}  // namespace kestrix
