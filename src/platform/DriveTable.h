#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

namespace kestrix {

class PlatformError;

// A drive as the Windows side of the program sees it: a letter and the host
// folder it stands for (on Windows the system's drives stand for their own
// roots; a table built for tests may give a letter any folder).
struct Drive {
    char letter;  // upper case
    std::filesystem::path root;
    // What the drive list shows in brackets beside the letter: on Windows the
    // volume's label, in the code page; empty where there is none, and the
    // list then shows the root as the host spells it.
    std::string label = {};
};

// Maps the Windows path texts that the program stores, compares and shows
// onto the host's file system, and host folders back to Windows texts.
//
// The Windows texts are in the system's code page. On Linux the letters are
// those of the user's default Wine prefix, with Z: standing for "/" as Wine
// has it; each component of a path is looked up under its UTF-8 name, as Wine
// names files (see UnixFileName), and found without regard to letter case, as
// the code page folds it, when the exact name does not exist, so that
// "system\manifest.ini" finds System/Manifest.ini and "CAF\xC9.unr" café.unr.
class DriveTable {
public:
    // Tests give temporary folders as drives, a current directory and a code
    // page of their own.
    DriveTable(std::vector<Drive> drives, std::filesystem::path processCurrentDirectory,
               const CodePage& codePage = CodePage::system());

    // The user's drives and the process's current directory.
    static DriveTable fromSystem();

    const std::vector<Drive>& drives() const { return m_drives; }
    const CodePage& codePage() const { return *m_codePage; }

    // A drive is ready when it is in the table and its folder exists.
    bool isReady(char letter) const;

    // The host path that a Windows text names. Components that exist are
    // matched case-insensitively; the first one that does not exist, and all
    // after it, are taken as written, so that a file about to be created keeps
    // its name. "C:" and "C:UT" start at the drive's root; a text without a
    // letter starts at the process's current directory ("\UT" at the root of
    // its drive). Raises DeviceUnavailable for a drive that is not ready.
    std::filesystem::path toHost(std::string_view windowsPath) const;

    // The Windows text for a host path, by the drive whose folder holds it most
    // specifically ("/home/me/.wine/drive_c/UT" is "C:\UT", not "Z:\home\...").
    // Raises PathNotFound for a path under no drive, which only a table
    // without Z: can meet, and BadFileName for a name that the code page
    // cannot write, with the name spelled out in the description.
    std::string toWindows(const std::filesystem::path& hostPath) const;

    // The Windows text of one name in a host folder, as a list of the
    // folder's entries shows it; nothing when the code page cannot write it.
    std::optional<std::string> nameOf(const std::filesystem::path& hostName) const;
    // A host name for the windows, in the code page, that never fails: each
    // character the code page cannot write spelled as its number ("<U+0416>").
    std::string describe(const std::filesystem::path& hostName) const;

    // Each drive keeps a current directory: the process's own for its drive,
    // the root for the others. Windows form.
    std::string currentDirectory(char letter) const;
    std::string processCurrentDirectory() const;

private:
    // Lexically normal, without the trailing separator that would add an
    // empty last component and spoil comparisons by component ("C:\UT\" is
    // "C:\UT", as the directory lists show their paths); a root keeps its own.
    static std::filesystem::path normalFolder(const std::filesystem::path& path);
    // Whether two names of a host path are one, as the host compares them.
    static bool sameName(const std::filesystem::path& a, const std::filesystem::path& b);
    // The number of leading components of path that folder holds, or nothing
    // when folder is neither path nor an ancestor of it by whole components.
    static std::optional<std::ptrdiff_t> prefixLength(const std::filesystem::path& folder,
                                                      const std::filesystem::path& path);
    const Drive* findDrive(char letter) const;
    // The drive whose folder holds path most specifically, with the number of
    // path's leading names it holds; nothing when no drive holds it.
    const Drive* holdingDrive(const std::filesystem::path& path, std::ptrdiff_t& heldNames) const;
    // How many leading names of path the drive's folder holds, as this host
    // sees it, or nothing.
    std::optional<std::ptrdiff_t> heldLength(const Drive& drive,
                                             const std::filesystem::path& path) const;
    // BadFileName for a path that holds a name the code page cannot write,
    // given with each such character spelled out.
    PlatformError unwritableName(const std::string& describedPath) const;

    std::vector<Drive> m_drives;
    std::filesystem::path m_processCurrentDirectory;
    const CodePage* m_codePage;
};

}  // namespace kestrix
