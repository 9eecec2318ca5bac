#include "windows/ClassicForm.h"

#include "app/Module1.h"
#include "platform/MessageBox.h"
#include "views/ViewFactory.h"
#include "windows/DirListBox.h"

namespace kestrix {

ClassicForm::ClassicForm(Module1& module, ViewFactory& factory, const FormLayout& layout)
    : m_module(module), m_views(factory.create(layout)) {
    // Closing by the frame unloads the window: the next show loads it anew.
    window().onFrameClose([this] {
        m_loaded = false;
        handle([this] { frameClosed(); });
    });
}

void ClassicForm::showFirst() {
    if (loadIfNeeded()) {
        window().show();
        finishShowing();
    }
}

void ClassicForm::showModal(ClassicForm& owner) {
    if (loadIfNeeded() && !m_module.programEnding()) {
        window().showModal(owner.window());
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
    window().hide();
}

void ClassicForm::handle(const std::function<void()>& handler) {
    m_module.runHandler(handler);
}

void ClassicForm::onClick(const std::string& button, const std::function<void()>& handler) {
    control<ButtonView>(button).onClick([this, handler] { handle(handler); });
}

void ClassicForm::reportOpenFailures(DirListBox& list) {
    list.onOpenFailed([this](const std::string& description) {
        handle([this, description] { m_module.services().messageBox.show(description); });
    });
}

}  // namespace kestrix
