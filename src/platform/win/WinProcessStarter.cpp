#include "platform/win/WinProcessStarter.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

namespace kestrix {

unsigned long WinProcessStarter::createProcess(const std::wstring& application,
                                               std::wstring commandLine,
                                               const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the line it is given, hence the copy.
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return GetLastError();
    }
    // Nothing waits for the program: it carries on alone after KESTRIX ends.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

unsigned long WinProcessStarter::runAsAdministrator(const std::wstring& file,
                                                    const std::wstring& parameters,
                                                    const std::wstring& folder) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // KESTRIX says itself what went wrong, in its own words.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? 0 : GetLastError();
}

}  // namespace kestrix
