#include "support/FormTestRig.h"

#include "platform/Utf8.h"
#include "windows/Form1.h"

namespace kestrix {
namespace {

DriveTable testDrives(const std::filesystem::path& base) {
    std::filesystem::create_directories(base / "c" / "cwd");
    std::filesystem::create_directories(base / "d");
    return DriveTable({{'C', base / "c"}, {'D', base / "d"}, {'X', base / "missing"}},
                      base / "c" / "cwd");
}

}  // namespace

FormTestRig::FormTestRig()
    : drives(testDrives(root.path())),
      module({settings, messageBox, clipboard, processLauncher, drives, files}, desktop),
      forms(module, desktop) {}

std::string FormTestRig::makeFolder(const std::string& windowsPath) {
    std::filesystem::create_directories(host(windowsPath));
    return windowsPath;
}

void FormTestRig::makeFile(const std::string& windowsPath, const std::string& content) {
    writeBytes(host(windowsPath), content);
}

std::filesystem::path FormTestRig::diskName(std::string_view utf8) {
#ifdef _WIN32
    std::wstring wide;
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = Utf8::decodeNext(utf8, at).value();
        if (c > 0xFFFF) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(c));
        }
    }
    return wide;
#else
    return std::string(utf8);
#endif
}

std::filesystem::path FormTestRig::host(const std::string& windowsPath) const {
    return drives.toHost(windowsPath);
}

FakeWindow& FormTestRig::fake(const ClassicForm& form) {
    return static_cast<FakeWindow&>(form.window());
}

void FormTestRig::whileShown(ClassicForm& form, const std::function<void()>& step) {
    desktop.whileShownModally(step);
    module.runHandler([this, &form] { form.showModal(forms.form1()); });
}

}  // namespace kestrix
