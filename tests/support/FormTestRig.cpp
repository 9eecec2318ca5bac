#include "support/FormTestRig.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "windows/Form1.h"

namespace kestrix {

FakeWindow::FakeWindow(FormTestRig& rig, const FormLayout& layout)
    // A frame as Windows draws one: borders and a title bar.
    : outer{layout.clientWidth + 120, layout.clientHeight + 450}, m_rig(rig) {}

void FakeWindow::showModal(WindowView& modalOwner) {
    shown = true;
    owner = &modalOwner;
    if (!m_rig.steps.empty()) {
        const std::function<void()> step = std::move(m_rig.steps.front());
        m_rig.steps.pop_front();
        step();
    }
    if (shown) {
        closeByFrame();
    }
}

FormViews FormTestRig::create(const FormLayout& layout) {
    auto owned = std::make_unique<FakeWindow>(*this, layout);
    FakeWindow& window = *owned;
    m_windows.push_back(owned.get());
    FormViews views(std::move(owned));
    for (const ControlLayout& control : layout.controls) {
        FakeControl& fake = window.controls[control.name];
        const FormViews::Control kinds[] = {
            static_cast<ButtonView*>(&fake), static_cast<DriveListView*>(&fake),
            static_cast<DirListView*>(&fake), static_cast<FileListView*>(&fake),
            static_cast<ComboBoxView*>(&fake)};
        if (control.kind != ControlKind::Label) {
            views.add(control.name, kinds[static_cast<int>(control.kind) - 1]);
        }
    }
    return views;
}

namespace {

DriveTable testDrives(const std::filesystem::path& base) {
    std::filesystem::create_directories(base / "c" / "cwd");
    std::filesystem::create_directories(base / "d");
    return DriveTable({{'C', base / "c"}, {'D', base / "d"}, {'X', base / "missing"}},
                      base / "c" / "cwd");
}

}  // namespace

FormTestRig::FormTestRig()
    : drives(testDrives(root.path())),
      module({*this, *this, *this, *this, drives, files}, *this),
      forms(module, *this) {}

std::string FormTestRig::makeFolder(const std::string& windowsPath) {
    std::filesystem::create_directories(host(windowsPath));
    return windowsPath;
}

void FormTestRig::makeFile(const std::string& windowsPath, const std::string& content) {
    writeBytes(host(windowsPath), content);
}

std::vector<std::vector<std::string>> FormTestRig::rows(const std::string& path) {
    std::vector<std::vector<std::string>> found;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        auto& row = found.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) {
            row.push_back(field);
        }
        if (line.empty() || line.starts_with('#')) {
            found.pop_back();
        }
    }
    return found;
}

void FormTestRig::whileShown(ClassicForm& form, const std::function<void()>& step) {
    steps.push_back(step);
    module.runHandler([this, &form] { form.showModal(forms.form1()); });
}

}  // namespace kestrix
