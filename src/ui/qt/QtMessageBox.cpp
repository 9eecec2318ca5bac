#include "ui/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "ui/qt/ClassicFont.h"
#include "ui/qt/SystemText.h"

namespace kestrix {

void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "KESTRIX", toQt(text), QMessageBox::Ok);
    box.setObjectName("KestrixMessageBox");
    box.setFont(classicFont());
    // The message box shows no icon anywhere, not even the one some styles
    // put on the OK button.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace kestrix
