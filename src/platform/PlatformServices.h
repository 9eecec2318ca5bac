#pragma once

namespace kestrix {

class Clipboard;
class DriveTable;
class FileOperations;
class MessageBox;
class ProcessLauncher;
class SettingsStore;

// The services every window uses. main() wires the real ones; tests wire
// temporary stores, drives of temporary folders and recording doubles.
struct PlatformServices {
    SettingsStore& settings;
    MessageBox& messageBox;
    Clipboard& clipboard;
    ProcessLauncher& processLauncher;
    const DriveTable& drives;
    FileOperations& files;
};

}  // namespace kestrix
