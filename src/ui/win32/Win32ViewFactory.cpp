#include "ui/win32/Win32ViewFactory.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/win32/Win32Button.h"
#include "ui/win32/Win32ComboBox.h"
#include "ui/win32/Win32DirList.h"
#include "ui/win32/Win32DriveList.h"
#include "ui/win32/Win32FileList.h"
#include "ui/win32/Win32Label.h"
#include "ui/win32/Win32WindowView.h"

namespace kestrix {
namespace {
// Clear of IDOK and IDCANCEL, which dialog navigation sends for Enter and
// Escape.
constexpr int FirstControlId = 100;

// The order of creation is the z-order, which is both the tab order and where
// screen readers look for a control's label: Microsoft Active Accessibility
// names a list or a combo box after the static text found by walking back in
// z-order (GetWindow with GW_HWNDPREV). So the controls come in tab order,
// and a label that names a control comes right before that control, wherever
// its own tab index would put it: labels take no focus.
std::vector<const ControlLayout*> creationOrder(const FormLayout& layout) {
    std::vector<const ControlLayout*> inTabOrder;
    for (const ControlLayout& control : layout.controls) {
        if (control.labelFor.empty()) {
            inTabOrder.push_back(&control);
        }
    }
    std::stable_sort(
        inTabOrder.begin(), inTabOrder.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });
    std::vector<const ControlLayout*> order;
    for (const ControlLayout* control : inTabOrder) {
        for (const ControlLayout& label : layout.controls) {
            if (label.labelFor == control->name) {
                order.push_back(&label);
            }
        }
        order.push_back(control);
    }
    return order;
}

// The walk back for a label stops at a control with WS_GROUP and WS_TABSTOP.
// A labelled control starts a group, so that its label names no unlabelled
// control after it (a drive box would otherwise be read out as the folder
// list's label).
void startGroup(HWND control) {
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | WS_GROUP);
}

// A control the forms reach through its view, by its name.
template <typename View, typename Control>
Control* withView(FormViews& views, const std::string& name, Control* control) {
    views.add(name, static_cast<View*>(control));
    return control;
}

}  // namespace

Win32ViewFactory::Win32ViewFactory() : Win32ViewFactory(ScreenScale::ofScreen()) {}

Win32ViewFactory::Win32ViewFactory(const ScreenScale& scale) : m_scale(scale), m_font(scale) {}

FormViews Win32ViewFactory::create(const FormLayout& layout) {
    auto window = std::make_unique<Win32WindowView>(layout, m_scale, m_font);
    HWND parent = window->handle();
    Win32WindowView& form = *window;
    FormViews views(std::move(window));

    Win32Control* enterClicks = nullptr;
    Win32Control* escapeClicks = nullptr;
    int id = FirstControlId;
    const ControlLayout* previous = nullptr;
    for (const ControlLayout* control : creationOrder(layout)) {
        const ControlLayout& c = *control;
        Win32Control* created = nullptr;
        switch (c.kind) {
            case ControlKind::Label:
                created = form.adopt(std::make_unique<Win32Label>(c, parent, id, m_scale, m_font));
                break;
            case ControlKind::Button: {
                Win32Button* button = withView<ButtonView>(
                    views, c.name,
                    form.adopt(std::make_unique<Win32Button>(c, parent, id, m_scale, m_font)));
                if (c.name == layout.enterClicks) {
                    enterClicks = button;
                }
                if (c.name == layout.escapeClicks) {
                    escapeClicks = button;
                }
                created = button;
                break;
            }
            case ControlKind::DriveList:
                created = withView<DriveListView>(
                    views, c.name,
                    form.adopt(std::make_unique<Win32DriveList>(c, parent, id, m_scale, m_font)));
                break;
            case ControlKind::DirList:
                created = withView<DirListView>(
                    views, c.name,
                    form.adopt(std::make_unique<Win32DirList>(c, parent, id, m_scale, m_font)));
                break;
            case ControlKind::FileList:
                created = withView<FileListView>(
                    views, c.name,
                    form.adopt(std::make_unique<Win32FileList>(c, parent, id, m_scale, m_font)));
                break;
            case ControlKind::ComboBox:
                created = withView<ComboBoxView>(
                    views, c.name,
                    form.adopt(std::make_unique<Win32ComboBox>(c, parent, id, m_scale, m_font)));
                break;
        }
        // A label is made right before the control it names.
        if (previous != nullptr && previous->labelFor == c.name) {
            startGroup(created->handle());
        }
        previous = &c;
        ++id;
    }
    form.setKeyButtons(enterClicks, escapeClicks);
    return views;
}

}  // namespace kestrix
