#include "windows/ClassicForm.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPushButton>

#include "app/Module1.h"
#include "app/Twips.h"
#include "platform/MessageBox.h"
#include "platform/qt/DirListBox.h"

namespace kestrix {
namespace {

// The layouts were drawn for an 8-point sans-serif at 96 dots per inch.
// Liberation Sans has Arial's metrics, so every text fits its control as
// drawn; Windows brings its own dialog face.
QFont classicFont() {
#ifdef Q_OS_WIN
    QFont font("MS Shell Dlg 2");
#else
    QFont font("Liberation Sans");
#endif
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

}  // namespace

ClassicForm::ClassicForm(Module1& module, const QString& title, int clientWidthTwips,
                         int clientHeightTwips)
    : m_module(module) {
    setWindowTitle(title);
    setFont(classicFont());
    // The controls keep their places: the window is drawn for one size.
    setFixedSize(Twips::toPixels(clientWidthTwips), Twips::toPixels(clientHeightTwips));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void ClassicForm::showFirst() {
    if (loadIfNeeded()) {
        show();
    }
}

void ClassicForm::showModal() {
    if (loadIfNeeded() && !m_module.programEnding()) {
        exec();
    }
}

bool ClassicForm::loadIfNeeded() {
    if (m_loaded) {
        return true;
    }
    m_loaded = true;
    m_loading = true;
    m_hiddenDuringLoad = false;
    try {
        load();
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    return !m_hiddenDuringLoad;
}

void ClassicForm::hideForm() {
    if (m_loading) {
        m_hiddenDuringLoad = true;
    }
    hide();
}

void ClassicForm::handle(const std::function<void()>& handler) {
    m_module.runHandler(handler);
}

void ClassicForm::placeWidget(QWidget* control, const char* name, int left, int top, int width,
                              int height) {
    control->setParent(this);
    control->setObjectName(name);
    // No button is a default button: Enter does not click one the user has not
    // chosen.
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        button->setAutoDefault(false);
    }
    control->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                         Twips::toPixels(height));
}

void ClassicForm::reportOpenFailures(DirListBox* list) {
    connect(list, &DirListBox::openFailed, this, [this](const QString& description) {
        handle([this, description] {
            m_module.services().messageBox.show(description.toStdString());
        });
    });
}

void ClassicForm::setTabOrderOf(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    if (controls.size() > 0) {
        (*controls.begin())->setFocus();
    }
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
}

void ClassicForm::closeEvent(QCloseEvent* event) {
    m_loaded = false;
    QDialog::closeEvent(event);
}

void ClassicForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kestrix
