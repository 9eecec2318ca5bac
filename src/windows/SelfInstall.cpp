#include "windows/SelfInstall.h"

#include <string>

#include "app/Module1.h"
#include "package/PackageInstallation.h"
#include "package/PackageRefusal.h"
#include "platform/DriveTable.h"
#include "platform/GameFolder.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "windows/InstallPreview.h"

namespace kestrix {
namespace {

// Where the player's settings are, as the player knows the folder.
constexpr const char* SettingsFolder = "~/.utpg/System";

// The package's settings edits that were made, or those that were not, each
// on a line of its own after a line break.
std::string editsOf(const InstallPlan& plan, bool applied) {
    std::string lines;
    for (const SettingsEdit& edit : plan.settingsEdits) {
        if (edit.applied == applied) {
            lines += "\n" + edit.asWritten;
        }
    }
    return lines;
}

}  // namespace

SelfInstall::SelfInstall(Module1& module, ViewFactory& factory)
    : m_module(module), m_factory(factory) {}

bool SelfInstall::applies() const {
    // With no package chosen there is nothing to install: Install then says
    // why this copy of the game has no setup tool to start.
    if (m_module.state().PackageFile.empty()) {
        return false;
    }
    try {
        return GameFolder::isNativeLinuxBuild(
            m_module.services().drives.toHost(m_module.state().GameDir));
    } catch (const PlatformError&) {
        // A drive that is not ready: the setup tool's start reports it.
        return false;
    }
}

void SelfInstall::run(ClassicForm& owner) {
    const AppState& state = m_module.state();
    PlatformServices& services = m_module.services();
    if (state.PackageFile.empty()) {
        services.messageBox.show("Select the umod to install.");
        return;
    }
    PackageInstallation installation(services.drives, services.files);
    std::unique_ptr<InstallPlan> plan;
    try {
        plan = installation.prepare(state.GameDir, state.PackageDir + "\\" + state.PackageFile,
                                    GameFolder::playerSettingsFolder());
    } catch (const PackageRefusal& refusal) {
        services.messageBox.show(refusal.what());
        return;
    } catch (const PlatformError& error) {
        services.messageBox.show(error.description());
        return;
    }
    if (!InstallPreview(m_module, m_factory, *plan).confirm(owner)) {
        return;
    }
    const std::string& caption = plan->description.caption();
    try {
        installation.install(*plan);
    } catch (const PlatformError& error) {
        services.messageBox.show(caption + " could not be installed: " + error.description() +
                                 "\nThe game folder is as it was.");
        return;
    }
    std::string done = caption + " is installed.";
    if (const std::string made = editsOf(*plan, true); !made.empty()) {
        done += std::string("\n\nKESTRIX made these changes to your settings (") + SettingsFolder +
                "):" + made;
    }
    if (const std::string listed = editsOf(*plan, false); !listed.empty()) {
        done += std::string(
                    "\n\nKESTRIX did not make these changes, which the package asks for: "
                    "make them yourself in the game's ini files (") +
                SettingsFolder + ") if you need them." + listed;
    }
    services.messageBox.show(done);
}

}  // namespace kestrix
