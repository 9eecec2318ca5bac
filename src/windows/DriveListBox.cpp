#include "windows/DriveListBox.h"

#include <algorithm>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"
#include "views/DriveListView.h"

namespace kestrix {
namespace {

// "c: [SYSTEM]": the volume's label where the drive has one, else its root,
// a host path shown as the host spells it in the code page's characters, each
// one the code page lacks spelled as its number.
std::string driveValue(const DriveTable& drives, const Drive& drive) {
    const std::string shown = drive.label.empty() ? drives.describe(drive.root) : drive.label;
    return std::string(1, WindowsPath::foldCase(drive.letter)) + ": [" + shown + "]";
}

}  // namespace

DriveListBox::DriveListBox(const DriveTable& drives, DriveListView& view) : m_view(view) {
    for (const Drive& drive : drives.drives()) {
        m_letters.push_back(drive.letter);
        m_texts.push_back(driveValue(drives, drive));
    }
    m_view.setItems(m_texts);
    // Start on the drive that holds the current directory, as the classic list
    // does; a list whose current directory is on no drive shows its first.
    m_current = m_texts.empty() ? -1 : 0;
    const std::string current = drives.processCurrentDirectory();
    if (WindowsPath::driveLetter(current)) {
        m_current = indexOf(current);
    }
    m_view.setCurrentIndex(m_current);
    m_view.onPick([this](int index) { select(index); });
}

std::string DriveListBox::drive() const {
    return m_current < 0 ? std::string() : m_texts[m_current];
}

void DriveListBox::setDrive(const std::string& value) {
    const int index = existingIndex(value);
    m_view.setCurrentIndex(index);
    select(index);
}

void DriveListBox::showDriveOf(const std::string& path) {
    m_current = existingIndex(path);
    m_view.setCurrentIndex(m_current);
}

int DriveListBox::indexOf(const std::string& value) const {
    const std::string padded = value.size() == 1 ? value + ":" : value;
    const auto letter = WindowsPath::driveLetter(padded);
    const auto found =
        letter ? std::find(m_letters.begin(), m_letters.end(), *letter) : m_letters.end();
    return found == m_letters.end() ? -1 : static_cast<int>(found - m_letters.begin());
}

int DriveListBox::existingIndex(const std::string& value) const {
    const int index = indexOf(value);
    if (index < 0) {
        throw PlatformError(ErrorNumber::DeviceUnavailable);
    }
    return index;
}

void DriveListBox::select(int index) {
    if (index == m_current) {
        return;
    }
    m_current = index;
    if (m_changed) {
        m_changed();
    }
}

}  // namespace kestrix
