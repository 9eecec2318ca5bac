#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestrix {

class DirListView;
class DriveTable;

// The classic directory list: the drive's root and each folder down to the
// open one, then the open folder's sub-folders, each level indented. Opening
// an entry (a double click or Enter) moves the list there. Its value is the
// open folder as a Windows path, and the change event is raised whenever it
// moves, whether the user or the program moved it.
class DirListBox {
public:
    DirListBox(const DriveTable& drives, DirListView& view);

    std::string path() const { return m_path; }
    // Opens a folder given as a Windows path, or, given a drive value ("c:",
    // "c: [/]"), that drive's current directory. A drive that is not ready or
    // a folder that does not exist raises an error and leaves the list as it was.
    void setPath(const std::string& pathOrDrive);
    // A folder whose sub-folders are still being read early at start shows
    // its path rows at once and its sub-folders only here, where they are
    // waited for: the window shows before a listing of tens of thousands
    // arrives, and handles no input until it has. Does nothing otherwise.
    void finishListing();

    void onChange(std::function<void()> handler) { m_changed = std::move(handler); }
    // Opening an entry failed (the folder went away or cannot be read, or the
    // code page cannot write its name); the list stays where it was. The
    // user's open is no handler's, so the error is handed on as its
    // description instead of being raised.
    void onOpenFailed(std::function<void(const std::string& description)> handler) {
        m_openFailed = std::move(handler);
    }

private:
    void open(int index);
    enum class SubFolders { MayFollow, WaitForThem };
    void fill(SubFolders subFolders);

    const DriveTable& m_drives;
    DirListView& m_view;
    std::string m_path;
    bool m_subFoldersToFollow = false;
    // Where an entry leads: its Windows path, or, for a folder whose name the
    // code page cannot write, its host path, which opens only to report that.
    struct Target {
        std::string windowsPath;
        std::filesystem::path hostPath;
    };

    std::vector<Target> m_targets;
    std::function<void()> m_changed;
    std::function<void(const std::string&)> m_openFailed;
};

}  // namespace kestrix
