#include "ui/qt/QtWindowSystem.h"

#include <QApplication>
#include <QWidget>

namespace kestrix {

void QtWindowSystem::hideAllWindows() {
    // Hiding, unlike closing, runs no handler, and it ends the nested loop of
    // every window shown modally.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
}

void QtWindowSystem::quit(int exitCode) {
    QApplication::exit(exitCode);
}

void QtWindowSystem::runPendingEvents() {
    QCoreApplication::processEvents();
}

}  // namespace kestrix
