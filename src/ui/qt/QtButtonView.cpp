#include "ui/qt/QtButtonView.h"

#include <utility>

namespace kestrix {

QtButtonView::QtButtonView(const QString& text) : QPushButton(text) {
    // No button is a default button: Enter does not click one the user has not
    // chosen.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_clicked) {
            m_clicked();
        }
    });
}

void QtButtonView::onClick(std::function<void()> handler) {
    m_clicked = std::move(handler);
}

}  // namespace kestrix
