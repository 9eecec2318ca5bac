#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>

namespace kestrix {

class DirListBox;
class Module1;

// What the three windows have in common: a fixed client area laid out in
// twips, a load that runs when the window is first shown (and again after it
// was closed by its frame), and handlers that all run inside the module's
// guard.
class ClassicForm : public QDialog {
    Q_OBJECT

public:
    ClassicForm(Module1& module, const QString& title, int clientWidthTwips, int clientHeightTwips);

    // The first window: loads it if needed and shows it, without waiting.
    void showFirst();
    // Shows the window modally, loading it first if needed; returns when the
    // window has gone away. The load runs in the caller's handler, so an error
    // in it reaches the caller's guard.
    void showModal();
    // Hides the window; a window hidden during its own load is not shown.
    void hideForm();

protected:
    virtual void load() = 0;

    Module1& module() { return m_module; }

    // Runs a handler inside the module's guard.
    void handle(const std::function<void()>& handler);

    // Places a control by its twips and names it as the documents do.
    template <typename Control>
    Control* place(Control* control, const char* name, int left, int top, int width, int height) {
        placeWidget(control, name, left, top, width, height);
        return control;
    }

    // A folder the user opens in a directory list that has gone, or cannot be
    // read, is reported with its description; the list stays where it was.
    void reportOpenFailures(DirListBox* list);

    // Keyboard focus moves through the controls in this order.
    void setTabOrderOf(std::initializer_list<QWidget*> controls);

    // Closing by the frame unloads the window: the next show loads it anew.
    void closeEvent(QCloseEvent* event) override;
    // No button is a cancel button: Escape does not close a window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeWidget(QWidget* control, const char* name, int left, int top, int width, int height);
    bool loadIfNeeded();

    Module1& m_module;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_hiddenDuringLoad = false;
};

}  // namespace kestrix
