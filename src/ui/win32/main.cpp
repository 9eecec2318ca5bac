// KESTRIX.exe: the three windows on Windows' own controls, wired to Module1
// and the forms as the Qt program wires them.

#include <exception>
#include <optional>

#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/EarlyFolderListing.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformServices.h"
#include "platform/win/WinProcessLauncher.h"
#include "ui/win32/RegistrySettingsStore.h"
#include "ui/win32/Win32Clipboard.h"
#include "ui/win32/Win32MessageBox.h"
#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32ViewFactory.h"
#include "ui/win32/Win32Window.h"
#include "ui/win32/Win32WindowSystem.h"
#include "windows/Form1.h"
#include "windows/Forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const kestrix::DriveTable drives = kestrix::DriveTable::fromSystem();
    // The lists open first where the drive table says the program was started:
    // that folder is read while the main window is made, and serves only
    // until the window is shown; its sub-folders may follow the shown window.
    std::optional<kestrix::EarlyFolderListing> firstFolder;
    try {
        firstFolder.emplace(drives.toHost(drives.processCurrentDirectory()));
    } catch (const std::exception&) {
        // Started where no list can open, or no second thread to be had: the
        // lists read their folders as they open them.
    }
    kestrix::RegistrySettingsStore settings;
    kestrix::Win32MessageBox messageBox;
    kestrix::Win32Clipboard clipboard;
    // Windows finds the setup tool in the command line by its own rules.
    kestrix::WinProcessLauncher processLauncher;
    kestrix::HostFileOperations files;
    kestrix::Win32WindowSystem windowSystem;
    kestrix::Module1 module({settings, messageBox, clipboard, processLauncher, drives, files},
                            windowSystem);
    // Every handler runs inside the module's guard already; what still gets
    // out of a window's message handling reaches it here, inside the window
    // procedure, and never unwinds through the system's message loop.
    kestrix::Win32Window::setErrorHandler([&module](const std::exception_ptr& error) {
        module.runHandler([&error] { std::rethrow_exception(error); });
    });
    kestrix::Win32ViewFactory views;
    kestrix::Forms forms(module, views);
    module.runHandler([&forms] { forms.form1().showFirst(); });
    if (firstFolder) {
        // Clicks and keys given while the shown window waited for its folder
        // list were aimed at rows that have moved since.
        if (firstFolder->arrivedLate()) {
            kestrix::Win32MessageLoop::dropInput();
        }
        firstFolder->drop();
    }
    if (module.programEnding()) {
        return 1;
    }
    return kestrix::Win32MessageLoop::run();
}
