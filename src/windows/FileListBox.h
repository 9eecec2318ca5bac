#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrix {

class DriveTable;
class FileListView;

// The classic file list: the files of one folder that match a pattern, in
// name order, hidden files and those whose names the code page cannot write
// left out. Choosing a file only selects it.
class FileListBox {
public:
    FileListBox(const DriveTable& drives, FileListView& view);

    std::string path() const { return m_path; }
    // A folder that does not exist, or a drive that is not ready, raises an
    // error and leaves the list as it was.
    void setPath(const std::string& folder);

    std::string pattern() const { return m_pattern; }
    void setPattern(const std::string& pattern);

    // The selected name without its folder, empty when none is selected.
    std::string fileName() const;

private:
    void fill(const std::filesystem::path& folder);

    const DriveTable& m_drives;
    FileListView& m_view;
    std::string m_path;
    std::string m_pattern = "*.*";
    std::vector<std::string> m_names;
};

}  // namespace kestrix
