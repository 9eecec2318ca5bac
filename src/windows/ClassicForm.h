#pragma once

#include <functional>
#include <string>

#include "views/FormViews.h"

namespace kestrix {

class DirListBox;
class Module1;
class ViewFactory;
struct FormLayout;

// What the three windows have in common: views built from a layout table, a
// load that runs when the window is first shown (and again after it was
// closed by its frame), and handlers that all run inside the module's guard.
class ClassicForm {
public:
    ClassicForm(Module1& module, ViewFactory& factory, const FormLayout& layout);
    virtual ~ClassicForm() = default;
    ClassicForm(const ClassicForm&) = delete;
    ClassicForm& operator=(const ClassicForm&) = delete;

    // The first window: loads it if needed and shows it, without waiting.
    void showFirst();
    // Shows the window modally, owned by another, loading it first if needed;
    // returns when the window has gone away. The load runs in the caller's
    // handler, so an error in it reaches the caller's guard.
    void showModal(ClassicForm& owner);
    // Hides the window; a window hidden during its own load is not shown.
    void hideForm();

    WindowView& window() const { return m_views.window(); }

protected:
    virtual void load() = 0;
    // The window is on screen after its first load: what the load left to
    // follow is filled in here, before the user's first input is handled.
    virtual void finishShowing() {}
    // The user closed the window by its frame; it is unloaded already.
    virtual void frameClosed() {}

    Module1& module() { return m_module; }

    template <typename View>
    View& control(const std::string& name) const {
        return m_views.control<View>(name);
    }

    // Runs a handler inside the module's guard.
    void handle(const std::function<void()>& handler);
    void onClick(const std::string& button, const std::function<void()>& handler);

    // A folder the user opens in a directory list that has gone, or cannot be
    // read, is reported with its description; the list stays where it was.
    void reportOpenFailures(DirListBox& list);

private:
    bool loadIfNeeded();

    Module1& m_module;
    FormViews m_views;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_hiddenDuringLoad = false;
};

}  // namespace kestrix
