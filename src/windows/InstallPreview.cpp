#include "windows/InstallPreview.h"

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "package/PackageInstallation.h"
#include "views/FormLayout.h"

namespace kestrix {

namespace {

// As many lines as the window shows; the rest are counted.
constexpr std::size_t shownFiles = 12;
constexpr std::size_t shownEdits = 4;

template <typename Items, typename Name>
void listInto(std::string& text, const Items& items, std::size_t shown, Name name) {
    for (std::size_t i = 0; i < items.size() && i < shown; ++i) {
        text += "    " + name(items[i]) + "\n";
    }
    if (items.size() > shown) {
        text += "    and " + std::to_string(items.size() - shown) + " more\n";
    }
}

std::string describe(const InstallPlan& plan) {
    const PackageDescription& package = plan.description;
    std::string text = "Install " + package.caption() +
                       (package.version().empty() ? "" : ", version " + package.version()) + " (" +
                       package.product() + ")?\n\nFiles:\n";
    listInto(text, plan.placements, shownFiles, [](const Placement& placement) {
        return placement.name + (placement.replaces ? " (replaces the one there)" : "");
    });
    if (!plan.leftOut.empty()) {
        text += "\nCarried, but installed by none of its groups:\n";
        listInto(text, plan.leftOut, shownEdits, [](const std::string& name) { return name; });
    }
    if (!plan.settingsEdits.empty()) {
        text += "\nSettings changes:\n";
        listInto(text, plan.settingsEdits, shownEdits, [](const SettingsEdit& edit) {
            // The mark first, and the setting on a line of its own after the
            // file's name: a whole edit is wider than the window.
            std::string shown = edit.asWritten;
            if (const std::size_t comma = shown.find(','); comma != std::string::npos) {
                shown.insert(comma + 1, "\n        ");
            }
            return (edit.applied ? "made: " : "listed only: ") + shown;
        });
    }
    return text;
}

}  // namespace

FormLayout InstallPreview::layout(const InstallPlan& plan) {
    return FormLayout{"KESTRIX",
                      5760,
                      4260,
                      {
                          {"Label1", ControlKind::Label, describe(plan), 120, 120, 5520, 3360, 0},
                          {"Command1", ControlKind::Button, "Install", 2880, 3600, 1695, 495, 1},
                          {"Command2", ControlKind::Button, "Cancel", 960, 3600, 1695, 495, 2},
                      },
                      "Command1",
                      "Command2"};
}

InstallPreview::InstallPreview(Module1& module, ViewFactory& factory, const InstallPlan& plan)
    : ClassicForm(module, factory, layout(plan)) {
    onClick("Command1", [this] {
        m_confirmed = true;
        hideForm();
    });
    onClick("Command2", [this] { hideForm(); });
}

void InstallPreview::load() {
    CenterOnScreen(window());
}

bool InstallPreview::confirm(ClassicForm& owner) {
    m_confirmed = false;
    showModal(owner);
    return m_confirmed;
}

}  // namespace kestrix
