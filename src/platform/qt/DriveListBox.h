#pragma once

#include <QComboBox>
#include <string>

namespace kestrix {

class DriveTable;

// The classic drive list: a drop-down of the drives, whose value is a text
// that begins with the drive's letter ("z: [/]"). It raises changed() whenever
// another drive is picked, by the user or by the program alike.
class DriveListBox : public QComboBox {
    Q_OBJECT

public:
    explicit DriveListBox(const DriveTable& drives, QWidget* parent = nullptr);

    std::string drive() const;
    // Takes a bare letter, a drive value or any text that begins with a drive.
    // A letter that names no drive raises DeviceUnavailable.
    void setDrive(const std::string& value);
    // Shows the drive that holds a path without raising changed(): a window
    // that opens a folder shows its drive without being moved to that
    // drive's current directory.
    void showDriveOf(const std::string& path);

signals:
    void changed();

private:
    const DriveTable& m_drives;
};

}  // namespace kestrix
