#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "support/FakeDesktop.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingClipboard.h"
#include "support/RecordingMessageBox.h"
#include "support/RecordingProcessLauncher.h"
#include "support/TempFolder.h"
#include "windows/ClassicForm.h"
#include "windows/Forms.h"

namespace kestrix {

// Everything a window test needs, in a temporary folder of its own: drives
// C: and D: on folders there (and X:, whose folder is missing, so it is never
// ready), a settings store in memory, recording doubles for the message box,
// the clipboard and process start, fake views, and the windows.
class FormTestRig {
public:
    FormTestRig();

    // A folder on a drive, made with its parents; returns its Windows path.
    std::string makeFolder(const std::string& windowsPath);
    // A file on a drive, made with its folders.
    void makeFile(const std::string& windowsPath, const std::string& content = {});
    std::filesystem::path host(const std::string& windowsPath) const;
    // A name as the host keeps it on disk, given in UTF-8: the same bytes on
    // Linux (as Wine names files), UTF-16 on Windows.
    static std::filesystem::path diskName(std::string_view utf8);

    // The fake views of a window.
    static FakeWindow& fake(const ClassicForm& form);

    // Shows a window modally, owned by the main window as when the user goes
    // on, and runs the step while it is shown.
    void whileShown(ClassicForm& form, const std::function<void()>& step);

    TempFolder root;
    DriveTable drives;
    MemorySettingsStore settings;
    RecordingMessageBox messageBox;
    RecordingClipboard clipboard;
    RecordingProcessLauncher processLauncher;
    HostFileOperations files;
    FakeDesktop desktop;
    Module1 module;
    Forms forms;
};

}  // namespace kestrix
