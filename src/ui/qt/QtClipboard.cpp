#include "ui/qt/QtClipboard.h"

#include "platform/ClipboardKeeper.h"
#include "ui/qt/SystemText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kestrix {

QtClipboard::QtClipboard(ClipboardKeeper* keeper) : m_keeper(keeper) {}

void QtClipboard::clear() {
    // The keeper's text replaces whatever is on the clipboard. Clearing it
    // through Qt as well could undo the keeper's text on Wayland, where the
    // compositor copies Qt's change to the X11 clipboard at a time of its own.
    if (m_keeper != nullptr && m_keeper->servesThisDesktop()) {
        return;
    }
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const std::string& text) {
    // The clipboard carries Unicode: the keeper gets UTF-8 made from Qt's
    // string, so that the code page is still settled in toQt alone.
    const QString unicode = toQt(text);
    if (m_keeper != nullptr && m_keeper->keep(unicode.toUtf8().toStdString())) {
        return;
    }
    QGuiApplication::clipboard()->setText(unicode);
}

}  // namespace kestrix
