#include "support/FakeDesktop.h"

#include <memory>

namespace kestrix {

FormViews FakeDesktop::create(const FormLayout& layout) {
    auto owned = std::make_unique<FakeWindow>(*this, layout);
    FakeWindow& window = *owned;
    m_windows.push_back(owned.get());
    FormViews views(std::move(owned));
    for (const ControlLayout& control : layout.controls) {
        switch (control.kind) {
            case ControlKind::Label:
                break;
            case ControlKind::Button:
                views.add(control.name, &window.buttons[control.name]);
                break;
            case ControlKind::DriveList:
                views.add(control.name, &window.driveLists[control.name]);
                break;
            case ControlKind::DirList:
                views.add(control.name, &window.dirLists[control.name]);
                break;
            case ControlKind::FileList:
                views.add(control.name, &window.fileLists[control.name]);
                break;
            case ControlKind::ComboBox:
                views.add(control.name, &window.comboBoxes[control.name]);
                break;
        }
    }
    return views;
}

void FakeDesktop::hideAllWindows() {
    for (FakeWindow* window : m_windows) {
        window->hide();
    }
}

void FakeDesktop::runPendingEvents() {
    ++pendingEventRuns;
    if (onPendingEvents) {
        onPendingEvents();
    }
}

std::function<void()> FakeDesktop::nextStep() {
    if (m_steps.empty()) {
        return {};
    }
    std::function<void()> step = std::move(m_steps.front());
    m_steps.pop_front();
    return step;
}

}  // namespace kestrix
