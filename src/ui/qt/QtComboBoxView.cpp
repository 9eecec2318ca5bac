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

// A typed name that the code page cannot write is no header's name: it comes
// back with each such character spelled as its number ("<U+0416>"), so that
// it matches no package and the user is told which name was not found.
std::string QtComboBoxView::itemText(int index) const {
    const QString text = QComboBox::itemText(index);
    return fromQt(text).value_or(describeFromQt(text));
}

std::string QtComboBoxView::editText() const {
    const QString text = currentText();
    return fromQt(text).value_or(describeFromQt(text));
}

void QtComboBoxView::setEditText(const std::string& text) {
    QComboBox::setCurrentIndex(-1);
    QComboBox::setEditText(toQt(text));
}

void QtComboBoxView::clear() {
    QComboBox::clear();
}

}  // namespace kestrix
