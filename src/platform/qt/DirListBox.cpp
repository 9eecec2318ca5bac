#include "platform/qt/DirListBox.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"

namespace kestrix {
namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPixels = 10;

// Draws each entry shifted by its depth, as the classic list shows the tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(DepthRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

bool isDriveValue(const std::string& text) {
    return WindowsPath::driveLetter(text) &&
           (text.size() == 2 || !WindowsPath::isSeparator(text[2]));
}

// Hidden folders stay out of the list, as they do on Windows; on Linux a
// leading dot hides a name.
std::vector<std::string> subFolders(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (!name.starts_with('.') && entry.is_directory(typeError)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return WindowsPath::foldCase(a) < WindowsPath::foldCase(b);
    });
    return names;
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

}  // namespace

DirListBox::DirListBox(const DriveTable& drives, QWidget* parent)
    : QListWidget(parent), m_drives(drives) {
    setItemDelegate(new IndentDelegate(this));
    // Long names are cut, as the classic list does, rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::openEntry);
}

void DirListBox::setPath(const std::string& pathOrDrive) {
    std::string wanted = pathOrDrive;
    if (isDriveValue(pathOrDrive)) {
        const char letter = *WindowsPath::driveLetter(pathOrDrive);
        if (!m_drives.isReady(letter)) {
            throw PlatformError(ErrorNumber::DeviceUnavailable);
        }
        wanted = m_drives.currentDirectory(letter);
    }
    const std::filesystem::path host = m_drives.toHost(wanted);
    std::error_code error;
    if (!std::filesystem::is_directory(host, error)) {
        throw PlatformError(ErrorNumber::PathNotFound);
    }
    // Shown and stored with the names as they are on disk.
    const std::string opened = m_drives.toWindows(host);
    if (opened == m_path) {
        return;
    }
    m_path = opened;
    fill();
    emit changed();
}

void DirListBox::fill() {
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto addEntry = [this](const QIcon& icon, const std::string& label,
                                 const std::string& path, int depth) {
        auto* item = new QListWidgetItem(icon, QString::fromStdString(label), this);
        item->setData(PathRole, QString::fromStdString(path));
        item->setData(DepthRole, depth);
        return item;
    };

    const std::string root = m_path.substr(0, 3);
    std::string folder = root;
    QListWidgetItem* openItem = addEntry(openIcon, root, root, 0);
    int depth = 0;
    for (const std::string& name : WindowsPath::components(m_path.substr(3))) {
        folder = joined(folder, name);
        openItem = addEntry(openIcon, name, folder, ++depth);
    }
    for (const std::string& name : subFolders(m_drives.toHost(m_path))) {
        addEntry(closedIcon, name, joined(m_path, name), depth + 1);
    }
    setCurrentItem(openItem);
}

void DirListBox::openEntry(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    // Raised from the user's click, not from a handler: the error must not
    // leave through the event loop.
    try {
        setPath(item->data(PathRole).toString().toStdString());
    } catch (const PlatformError& error) {
        emit openFailed(QString::fromStdString(error.description()));
    }
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace kestrix
