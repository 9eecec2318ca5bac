#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestrix {

class DriveListView;
class DriveTable;

// The classic drive list: a drop-down of the drives, whose value is a text
// that begins with the drive's letter ("z: [/]"). It raises its change event
// whenever another drive is picked, by the user or by the program alike.
class DriveListBox {
public:
    DriveListBox(const DriveTable& drives, DriveListView& view);

    std::string drive() const;
    // Takes a bare letter, a drive value or any text that begins with a drive.
    // A letter that names no drive raises DeviceUnavailable.
    void setDrive(const std::string& value);
    // Shows the drive that holds a path without raising the change event: a
    // window that opens a folder shows its drive without being moved to that
    // drive's current directory.
    void showDriveOf(const std::string& path);

    void onChange(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    int indexOf(const std::string& value) const;
    int existingIndex(const std::string& value) const;
    void select(int index);

    DriveListView& m_view;
    std::vector<char> m_letters;
    std::vector<std::string> m_texts;
    int m_current = -1;
    std::function<void()> m_changed;
};

}  // namespace kestrix
