#include "ui/qt/QtFileListView.h"

#include "ui/qt/SystemText.h"

namespace kestrix {

void QtFileListView::setEntries(const std::vector<std::string>& names) {
    clear();
    for (const std::string& name : names) {
        addItem(toQt(name));
    }
}

std::optional<int> QtFileListView::selectedIndex() const {
    const QListWidgetItem* item = currentItem();
    if (item == nullptr || !item->isSelected()) {
        return std::nullopt;
    }
    return currentRow();
}

}  // namespace kestrix
