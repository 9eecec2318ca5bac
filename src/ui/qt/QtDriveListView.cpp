#include "ui/qt/QtDriveListView.h"

#include <QAbstractItemView>
#include <utility>

#include "ui/qt/SystemText.h"

namespace kestrix {

QtDriveListView::QtDriveListView() {
    // Raised by the user's choice alone, by mouse, wheel or keys; a change
    // the program makes is the drive list's own to report.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_picked) {
            m_picked(index);
        }
    });
}

void QtDriveListView::setItems(const std::vector<std::string>& texts) {
    clear();
    for (const std::string& text : texts) {
        addItem(toQt(text));
    }
    // The box is drawn narrow; its drop-down shows each drive's folder in full.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
}

void QtDriveListView::setCurrentIndex(int index) {
    QComboBox::setCurrentIndex(index);
}

void QtDriveListView::onPick(std::function<void(int index)> handler) {
    m_picked = std::move(handler);
}

}  // namespace kestrix
