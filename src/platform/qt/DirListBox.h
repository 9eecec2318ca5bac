#pragma once

#include <QListWidget>
#include <string>

namespace kestrix {

class DriveTable;

// The classic directory list: the drive's root and each folder down to the
// open one, then the open folder's sub-folders, each level indented. A double
// click or Enter opens an entry; a single click only highlights it. Its value
// is the open folder as a Windows path, and changed() is raised whenever it
// moves, whether the user or the program moved it.
class DirListBox : public QListWidget {
    Q_OBJECT

public:
    explicit DirListBox(const DriveTable& drives, QWidget* parent = nullptr);

    std::string path() const { return m_path; }
    // Opens a folder given as a Windows path, or, given a drive value ("c:",
    // "c: [/]"), that drive's current directory. A drive that is not ready or
    // a folder that does not exist raises an error and leaves the list as it was.
    void setPath(const std::string& pathOrDrive);

signals:
    void changed();
    // Opening an entry failed (the folder went away or cannot be read); the
    // list stays where it was.
    void openFailed(const QString& description);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openEntry(QListWidgetItem* item);
    void fill();

    const DriveTable& m_drives;
    std::string m_path;
};

}  // namespace kestrix
