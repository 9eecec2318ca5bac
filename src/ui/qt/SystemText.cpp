#include "ui/qt/SystemText.h"

namespace kestrix {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string fromQt(const QString& text) {
    return text.toStdString();
}

}  // namespace kestrix
