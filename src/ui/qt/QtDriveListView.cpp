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
}

void QtDriveListView::setCurrentIndex(int index) {
    QComboBox::setCurrentIndex(index);
}

// The box is drawn narrow; its drop-down shows each drive's folder in full.
// Sized when it opens: the drop-down is a window of its own, and making it at
// start-up would cost every start the time and memory of one more window.
void QtDriveListView::showPopup() {
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

void QtDriveListView::onPick(std::function<void(int index)> handler) {
    m_picked = std::move(handler);
}

}  // namespace kestrix
