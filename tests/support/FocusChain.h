#pragma once

#include <QStringList>
#include <QWidget>

namespace kestrix {

// The names of a window's named controls in the order the Tab key visits
// them, starting from the first; the inner parts of compound controls are
// skipped.
inline QStringList focusChain(QWidget& window, const QStringList& controls) {
    QStringList order;
    QWidget* widget = window.nextInFocusChain();
    while (widget != &window) {
        if (controls.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    }
    return order;
}

}  // namespace kestrix
