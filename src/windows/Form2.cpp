#include "windows/Form2.h"

#include <exception>
#include <filesystem>
#include <optional>

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "platform/Clipboard.h"
#include "platform/DriveTable.h"
#include "platform/GameFolder.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "platform/ProcessLauncher.h"
#include "platform/SetupCommandLine.h"
#include "views/FormLayout.h"
#include "views/WindowSystem.h"
#include "windows/LaunchMessage.h"
#include "windows/SelfInstall.h"

namespace kestrix {

const FormLayout& Form2::layout() {
    static const FormLayout table{
        "KESTRIX Installer",
        5760,
        4260,
        {
            {"Label1", ControlKind::Label, "Select the umod to install", 1080, 120, 3735, 255, 0,
             "File1"},
            {"Dir2", ControlKind::DirList, "", 120, 840, 2535, 1890, 1},
            {"File1", ControlKind::FileList, "", 2880, 840, 2655, 1845, 2},
            {"Drive2", ControlKind::DriveList, "", 120, 2880, 2535, 315, 5},
            {"Command1", ControlKind::Button, "Install", 2880, 3600, 1695, 495, 3},
            {"Command2", ControlKind::Button, "Exit", 960, 3600, 1695, 495, 4},
        }};
    return table;
}

Form2::Form2(Module1& module, ViewFactory& factory)
    : ClassicForm(module, factory, layout()),
      Dir2(module.services().drives, control<DirListView>("Dir2")),
      File1(module.services().drives, control<FileListView>("File1")),
      Drive2(module.services().drives, control<DriveListView>("Drive2")),
      m_factory(factory) {
    File1.setPattern("*.umod");
    Dir2.onChange([this] { handle([this] { dir2Change(); }); });
    reportOpenFailures(Dir2);
    Drive2.onChange([this] { handle([this] { drive2Change(); }); });
    onClick("Command1", [this] { command1Click(); });
    onClick("Command2", [this] { this->module().EndProgram(); });
}

void Form2::load() {
    CenterOnScreen(window());
    AppState& state = module().state();
    const std::string stored = module().stored(RememberedFolder::Package);
    bool opened = false;
    if (!stored.empty()) {
        state.SavedPackageDir = stored;
        state.SavedPackageDrive = stored.substr(0, 1);
        // A remembered folder that has gone, or lies on a drive that is not
        // ready, must not keep the installer from opening: the lists then
        // open on the game directory, as when nothing is remembered.
        try {
            Dir2.setPath(state.SavedPackageDir);
            opened = true;
        } catch (const PlatformError&) {
        }
    }
    if (!opened) {
        Dir2.setPath(state.GameDir);
    }
    Drive2.showDriveOf(Dir2.path());
}

void Form2::dir2Change() {
    AppState& state = module().state();
    state.PackageDir = Dir2.path();
    File1.setPath(state.PackageDir);
}

void Form2::drive2Change() {
    AppState& state = module().state();
    try {
        state.CurrentDrive = Drive2.drive();
        Dir2.setPath(state.CurrentDrive);
        module().windowSystem().runPendingEvents();
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
}

void Form2::command1Click() {
    AppState& state = module().state();
    state.PackageDir = Dir2.path();
    state.PackageFile = File1.fileName();
    module().store(RememberedFolder::Package, state.PackageDir);
    // A native Linux game has no setup tool to hand the package to.
    if (SelfInstall self(module(), m_factory); self.applies()) {
        self.run(*this);
    } else {
        // Out of the way before the start: a tool that fails at once is
        // waited for briefly, and its own window must not open behind this one.
        hideForm();
        RunMe();
    }
    module().EndProgram();
}

namespace {

// The game folder as the host holds it; a drive that is not ready has no
// such folder, and the start then says what is wrong.
bool isNativeLinuxBuild(const DriveTable& drives, const std::string& gameDir) {
    try {
        return GameFolder::isNativeLinuxBuild(drives.toHost(gameDir));
    } catch (const PlatformError&) {
        return false;
    }
}

}  // namespace

void Form2::RunMe() {
    AppState& state = module().state();
    PlatformServices& services = module().services();
    try {
        // Said before the clipboard is touched, so that no clipboard helper
        // is left serving for a tool that never starts.
        if (isNativeLinuxBuild(services.drives, state.GameDir)) {
            services.messageBox.show(LaunchMessage::nativeLinuxGame());
            return;
        }
        // The clipboard only saves the user typing the game folder: a
        // clipboard that another program holds must not keep the tool from
        // starting.
        std::optional<std::string> clipboardFailure;
        try {
            services.clipboard.clear();
            state.ClipboardGameDir = module().stored(RememberedFolder::Game);
            services.clipboard.setText(state.ClipboardGameDir);
        } catch (const PlatformError& error) {
            clipboardFailure = error.description();
        }
        services.processLauncher.start(
            setupCommandLine(state.GameDir, state.PackageDir, state.PackageFile));
        if (clipboardFailure) {
            services.messageBox.show(
                LaunchMessage::clipboardNotSet(*clipboardFailure, state.GameDir));
        }
    } catch (const PlatformError& error) {
        services.messageBox.show(LaunchMessage::of(error));
    } catch (const std::exception& error) {
        services.messageBox.show(error.what());
    }
}

}  // namespace kestrix
