#include "ui/qt/QtComboBoxView.h"

#include "ui/qt/SystemText.h"

namespace kestrix {

QtComboBoxView::QtComboBoxView() {
    // The user may type a name as well as pick one; typing adds nothing to the list.
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCurrentText(QString());
}

void QtComboBoxView::addItem(const std::string& text) {
    QComboBox::addItem(toQt(text));
}

void QtComboBoxView::removeItem(int index) {
    QComboBox::removeItem(index);
}

int QtComboBoxView::count() const {
    return QComboBox::count();
}

std::string QtComboBoxView::itemText(int index) const {
    return fromQt(QComboBox::itemText(index));
}

std::string QtComboBoxView::editText() const {
    return fromQt(currentText());
}

void QtComboBoxView::setEditText(const std::string& text) {
    QComboBox::setCurrentIndex(-1);
    QComboBox::setEditText(toQt(text));
}

void QtComboBoxView::clear() {
    QComboBox::clear();
}

}  // namespace kestrix
