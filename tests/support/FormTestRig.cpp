#include "support/FormTestRig.h"

#include <QTimer>
#include <fstream>

namespace kestrix {

FormTestRig::FormTestRig() {
    const std::filesystem::path base = root.path().toStdString();
    std::filesystem::create_directories(base / "c" / "cwd");
    std::filesystem::create_directories(base / "d");
    drives = std::make_unique<DriveTable>(
        std::vector<Drive>{{'C', base / "c"}, {'D', base / "d"}, {'X', base / "missing"}},
        base / "c" / "cwd");
    settings = std::make_unique<QtSettingsStore>(root.filePath("settings.ini"));
    module = std::make_unique<Module1>(
        PlatformServices{*settings, messageBox, clipboard, processLauncher, *drives, files},
        [this](int exitCode) { quitCodes.push_back(exitCode); });
    forms = std::make_unique<Forms>(*module);
}

std::string FormTestRig::makeFolder(const std::string& windowsPath) {
    std::filesystem::create_directories(host(windowsPath));
    return windowsPath;
}

void FormTestRig::makeFile(const std::string& windowsPath, const std::string& content) {
    const std::filesystem::path file = host(windowsPath);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::filesystem::path FormTestRig::host(const std::string& windowsPath) const {
    return drives->toHost(windowsPath);
}

void FormTestRig::whileShown(ClassicForm& form, const std::function<void()>& step) {
    QTimer::singleShot(0, [&form, &step] {
        step();
        if (form.isVisible()) {
            form.close();
        }
    });
    module->runHandler([&form] { form.showModal(); });
}

QStringList entryTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) {
        texts << list.item(row)->text();
    }
    return texts;
}

}  // namespace kestrix
