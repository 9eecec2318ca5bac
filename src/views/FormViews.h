#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "views/ButtonView.h"
#include "views/ComboBoxView.h"
#include "views/DirListView.h"
#include "views/DriveListView.h"
#include "views/FileListView.h"
#include "views/WindowView.h"

namespace kestrix {

// The views of one window, as a ViewFactory hands them back: the window, and
// each control by its name in the layout table. Labels have no view: their
// text never changes after the table has drawn it. The control views belong
// to the window and live as long as it does.
class FormViews {
public:
    using Control =
        std::variant<ButtonView*, DriveListView*, DirListView*, FileListView*, ComboBoxView*>;

    explicit FormViews(std::unique_ptr<WindowView> window) : m_window(std::move(window)) {}

    WindowView& window() const { return *m_window; }

    void add(const std::string& name, Control control) { m_controls.emplace(name, control); }

    // A name the table does not hold, or a control of another kind, is a
    // mistake in the program and raises an exception.
    template <typename View>
    View& control(const std::string& name) const {
        return *std::get<View*>(m_controls.at(name));
    }

private:
    std::unique_ptr<WindowView> m_window;
    std::map<std::string, Control> m_controls;
};

}  // namespace kestrix
