#include "ui/qt/QtFormWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <utility>

#include "ui/qt/ClassicFont.h"
#include "ui/qt/SystemText.h"
#include "ui/qt/Twips.h"
#include "views/FormLayout.h"

namespace kestrix {

QtFormWindow::QtFormWindow(const FormLayout& layout)
    : m_enterClicks(toQt(layout.enterClicks)), m_escapeClicks(toQt(layout.escapeClicks)) {
    setWindowTitle(toQt(layout.title));
    setFont(classicFont());
    // The controls keep their places: the window is drawn for one size.
    setFixedSize(Twips::toPixels(layout.clientWidth), Twips::toPixels(layout.clientHeight));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void QtFormWindow::show() {
    QDialog::show();
}

// Qt's modal dialog already blocks every other window of the program, so the
// owner needs no Qt parent: the window keeps its own place on the screen.
void QtFormWindow::showModal(WindowView& /*owner*/) {
    exec();
}

void QtFormWindow::hide() {
    QDialog::hide();
}

TwipsSize QtFormWindow::outerSize() const {
    const QRect outer = frameGeometry();
    return {outer.width() * Twips::PerPixel, outer.height() * Twips::PerPixel};
}

TwipsSize QtFormWindow::screenSize() const {
    const QRect area = screenArea();
    return {area.width() * Twips::PerPixel, area.height() * Twips::PerPixel};
}

void QtFormWindow::moveTo(float left, float top) {
    const QRect area = screenArea();
    constexpr float perPixel = Twips::PerPixel;
    // A window sits on whole pixels: the twips are cut, not rounded, to them.
    move(area.left() + static_cast<int>(left / perPixel),
         area.top() + static_cast<int>(top / perPixel));
}

void QtFormWindow::onFrameClose(std::function<void()> handler) {
    m_frameClosed = std::move(handler);
}

QRect QtFormWindow::screenArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

void QtFormWindow::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (m_frameClosed) {
        m_frameClosed();
    }
}

void QtFormWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString& name = event->key() == Qt::Key_Escape ? m_escapeClicks
                          : enter                        ? m_enterClicks
                                                         : QString();
    if (auto* button = name.isEmpty() ? nullptr : findChild<QAbstractButton*>(name)) {
        button->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kestrix
