#include "ui/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kestrix {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace kestrix
