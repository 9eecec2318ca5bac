#include "ui/win32/Win32ViewFactory.h"

#include <algorithm>
#include <memory>

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
}  // namespace

Win32ViewFactory::Win32ViewFactory() : Win32ViewFactory(ScreenScale::ofScreen()) {}

Win32ViewFactory::Win32ViewFactory(const ScreenScale& scale) : m_scale(scale), m_font(scale) {}

FormViews Win32ViewFactory::create(const FormLayout& layout) {
    auto window = std::make_unique<Win32WindowView>(layout, m_scale, m_font);
    HWND parent = window->handle();
    Win32WindowView& form = *window;
    FormViews views(std::move(window));

    // Tab moves through the controls in the order they were created.
    std::vector<const ControlLayout*> inTabOrder;
    for (const ControlLayout& control : layout.controls) {
        inTabOrder.push_back(&control);
    }
    std::stable_sort(
        inTabOrder.begin(), inTabOrder.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });

    Win32Control* enterClicks = nullptr;
    Win32Control* escapeClicks = nullptr;
    int id = FirstControlId;
    for (const ControlLayout* control : inTabOrder) {
        const ControlLayout& c = *control;
        switch (c.kind) {
            case ControlKind::Label:
                form.adopt(std::make_unique<Win32Label>(c, parent, id, m_scale, m_font));
                break;
            case ControlKind::Button: {
                Win32Button* button =
                    form.adopt(std::make_unique<Win32Button>(c, parent, id, m_scale, m_font));
                views.add(c.name, static_cast<ButtonView*>(button));
                if (c.name == layout.enterClicks) {
                    enterClicks = button;
                }
                if (c.name == layout.escapeClicks) {
                    escapeClicks = button;
                }
                break;
            }
            case ControlKind::DriveList:
                views.add(c.name,
                          static_cast<DriveListView*>(form.adopt(
                              std::make_unique<Win32DriveList>(c, parent, id, m_scale, m_font))));
                break;
            case ControlKind::DirList:
                views.add(c.name,
                          static_cast<DirListView*>(form.adopt(
                              std::make_unique<Win32DirList>(c, parent, id, m_scale, m_font))));
                break;
            case ControlKind::FileList:
                views.add(c.name,
                          static_cast<FileListView*>(form.adopt(
                              std::make_unique<Win32FileList>(c, parent, id, m_scale, m_font))));
                break;
            case ControlKind::ComboBox:
                views.add(c.name,
                          static_cast<ComboBoxView*>(form.adopt(
                              std::make_unique<Win32ComboBox>(c, parent, id, m_scale, m_font))));
                break;
        }
        ++id;
    }
    form.setKeyButtons(enterClicks, escapeClicks);
    return views;
}

}  // namespace kestrix
