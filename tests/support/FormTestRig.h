#pragma once

#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/RecordingClipboard.h"
#include "support/RecordingMessageBox.h"
#include "support/RecordingProcessLauncher.h"
#include "windows/ClassicForm.h"
#include "windows/Forms.h"

namespace kestrix {

// Everything a window test needs, in a temporary folder of its own: drives
// C: and D: on folders there (and X:, whose folder is missing, so it is never
// ready), a settings store in an INI file there, recording doubles for the
// message box, the clipboard and process start, and the windows.
class FormTestRig {
public:
    FormTestRig();

    // A folder on a drive, made with its parents; returns its Windows path.
    std::string makeFolder(const std::string& windowsPath);
    // A file on a drive, made with its folders.
    void makeFile(const std::string& windowsPath, const std::string& content = {});
    std::filesystem::path host(const std::string& windowsPath) const;

    // Shows a window modally as the window before it would, runs the step
    // while it is on screen, and closes it unless the step ended the program.
    void whileShown(ClassicForm& form, const std::function<void()>& step);

    QTemporaryDir root;
    std::unique_ptr<DriveTable> drives;
    std::unique_ptr<QtSettingsStore> settings;
    RecordingMessageBox messageBox;
    RecordingClipboard clipboard;
    RecordingProcessLauncher processLauncher;
    HostFileOperations files;
    std::vector<int> quitCodes;
    std::unique_ptr<Module1> module;
    std::unique_ptr<Forms> forms;
};

// The texts of a list's entries, in order.
QStringList entryTexts(const QListWidget& list);

}  // namespace kestrix
