#include "windows/Form2.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <exception>

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "platform/Clipboard.h"
#include "platform/ErrorNumber.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "platform/ProcessLauncher.h"
#include "platform/SetupCommandLine.h"
#include "platform/qt/DirListBox.h"
#include "platform/qt/DriveListBox.h"
#include "platform/qt/FileListBox.h"

namespace kestrix {

Form2::Form2(Module1& module) : ClassicForm(module, "KESTRIX Installer", 5760, 4260) {
    const DriveTable& drives = module.services().drives;
    Label1 = place(new QLabel("Select the umod to install"), "Label1", 1080, 120, 3735, 255);
    Dir2 = place(new DirListBox(drives), "Dir2", 120, 840, 2535, 1890);
    File1 = place(new FileListBox(drives), "File1", 2880, 840, 2655, 1845);
    Drive2 = place(new DriveListBox(drives), "Drive2", 120, 2880, 2535, 315);
    Command1 = place(new QPushButton("Install"), "Command1", 2880, 3600, 1695, 495);
    Command2 = place(new QPushButton("Exit"), "Command2", 960, 3600, 1695, 495);
    File1->setPattern("*.umod");
    setTabOrderOf({Dir2, File1, Command1, Command2, Drive2});

    connect(Dir2, &DirListBox::changed, this, [this] { handle([this] { dir2Change(); }); });
    reportOpenFailures(Dir2);
    connect(Drive2, &DriveListBox::changed, this, [this] { handle([this] { drive2Change(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { handle([this] { command1Click(); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { handle([this] { this->module().EndProgram(); }); });
}

void Form2::load() {
    CenterOnScreen(*this);
    AppState& state = module().state();
    const std::string stored = module().storedPackageDir();
    bool opened = false;
    if (!stored.empty()) {
        state.SavedPackageDir = stored;
        state.SavedPackageDrive = stored.substr(0, 1);
        // A remembered folder that has gone, or lies on a drive that is not
        // ready, must not keep the installer from opening: the lists then
        // open on the game directory, as when nothing is remembered.
        try {
            Dir2->setPath(state.SavedPackageDir);
            opened = true;
        } catch (const PlatformError&) {
        }
    }
    if (!opened) {
        Dir2->setPath(state.GameDir);
    }
    Drive2->showDriveOf(Dir2->path());
}

void Form2::dir2Change() {
    AppState& state = module().state();
    state.PackageDir = Dir2->path();
    File1->setPath(state.PackageDir);
}

void Form2::drive2Change() {
    AppState& state = module().state();
    try {
        state.CurrentDrive = Drive2->drive();
        Dir2->setPath(state.CurrentDrive);
        QCoreApplication::processEvents();
    } catch (const PlatformError& error) {
        module().services().messageBox.show(error.description());
    }
}

void Form2::command1Click() {
    AppState& state = module().state();
    state.PackageDir = Dir2->path();
    state.PackageFile = File1->fileName();
    module().storePackageDir(state.PackageDir);
    RunMe();
    module().EndProgram();
}

void Form2::RunMe() {
    AppState& state = module().state();
    PlatformServices& services = module().services();
    try {
        services.clipboard.clear();
        state.ClipboardGameDir = module().storedGameDir();
        services.clipboard.setText(state.ClipboardGameDir);
        services.processLauncher.start(
            setupCommandLine(state.GameDir, state.PackageDir, state.PackageFile));
    } catch (const PlatformError& error) {
        services.messageBox.show(error.number() == ErrorNumber::FileNotFound
                                     ? "Make sure you have your Main UT Directory Selected."
                                     : error.description());
    } catch (const std::exception& error) {
        services.messageBox.show(error.what());
    }
}

}  // namespace kestrix
