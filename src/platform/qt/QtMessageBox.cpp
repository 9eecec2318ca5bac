#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>

namespace kestrix {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "KESTRIX", QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName("KestrixMessageBox");
    box.exec();
}

}  // namespace kestrix
