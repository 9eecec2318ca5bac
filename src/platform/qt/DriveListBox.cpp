#include "platform/qt/DriveListBox.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"

namespace kestrix {
namespace {

QString driveValue(const Drive& drive) {
    const char letter = WindowsPath::foldCase(drive.letter);
    return QString("%1: [%2]").arg(QChar(letter), QString::fromStdString(drive.root.string()));
}

}  // namespace

DriveListBox::DriveListBox(const DriveTable& drives, QWidget* parent)
    : QComboBox(parent), m_drives(drives) {
    for (const Drive& drive : m_drives.drives()) {
        addItem(driveValue(drive), QChar(drive.letter));
    }
    // Start on the drive that holds the current directory, as the classic list does.
    const auto current = WindowsPath::driveLetter(m_drives.processCurrentDirectory());
    if (current) {
        setCurrentIndex(findData(QChar(*current)));
    }
    // The box is drawn narrow; its drop-down shows each drive's folder in full.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::changed);
}

std::string DriveListBox::drive() const {
    return currentText().toStdString();
}

void DriveListBox::setDrive(const std::string& value) {
    const std::string padded = value.size() == 1 ? value + ":" : value;
    const auto letter = WindowsPath::driveLetter(padded);
    const int index = letter ? findData(QChar(*letter)) : -1;
    if (index < 0) {
        throw PlatformError(ErrorNumber::DeviceUnavailable);
    }
    setCurrentIndex(index);
}

void DriveListBox::showDriveOf(const std::string& path) {
    const QSignalBlocker blocker(this);
    setDrive(path);
}

}  // namespace kestrix
