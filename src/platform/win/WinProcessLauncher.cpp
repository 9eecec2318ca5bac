#include "platform/win/WinProcessLauncher.h"

#include <windows.h>

#include "platform/win/Utf16.h"
#include "platform/win/WinError.h"

namespace kestrix {

void WinProcessLauncher::start(const std::string& commandLine) {
    // CreateProcessW may write into the line it is given. The line is code
    // page text, as the setup tool reads its own command line.
    std::wstring line = Utf16::fromCodePage(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // No working directory: the tool starts in KESTRIX's own.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD code = GetLastError();
        throw WinError::startError(code, commandLine);
    }
    // Nothing waits for the tool: it carries on alone after KESTRIX ends.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace kestrix
