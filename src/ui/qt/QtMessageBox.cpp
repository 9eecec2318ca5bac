#include "ui/qt/QtMessageBox.h"

#include <QMessageBox>

#include "ui/qt/SystemText.h"

namespace kestrix {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "KESTRIX", toQt(text), QMessageBox::Ok);
    box.setObjectName("KestrixMessageBox");
    box.exec();
}

}  // namespace kestrix
