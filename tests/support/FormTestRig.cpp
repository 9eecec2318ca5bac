#include "support/FormTestRig.h"

#include <memory>

namespace kestrix {

FakeWindow::FakeWindow(FormTestRig& rig, const FormLayout& layout)
    // A frame as Windows draws one: borders and a title bar.
    : outer{layout.clientWidth + 120, layout.clientHeight + 450}, m_rig(rig) {}

void FakeWindow::showModal(WindowView& modalOwner) {
    shown = true;
    owner = &modalOwner;
    m_rig.whileModal();
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
    return DriveTable({{'C', base / "c", "SYSTEM"}, {'D', base / "d"}, {'X', base / "missing"}},
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

}  // namespace kestrix
