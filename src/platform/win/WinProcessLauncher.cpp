#include "platform/win/WinProcessLauncher.h"

#include <windows.h>

#include <string>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinError.h"
#include "platform/win/WinProcessStarter.h"

namespace kestrix {

namespace {

bool hasBlank(const std::wstring& text) {
    return text.find_first_of(L" \t") != std::wstring::npos;
}

// The short path names the same file without blanks on a volume that keeps
// short names (the system drive does by default); elsewhere there is none.
std::wstring shortPathWithoutBlanks(const std::wstring& path) {
    std::wstring shortPath(MAX_PATH, L'\0');
    DWORD length =
        GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length >= shortPath.size()) {
        shortPath.resize(length);
        length =
            GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    }
    if (length == 0 || length >= shortPath.size()) {
        return {};
    }
    shortPath.resize(length);
    return hasBlank(shortPath) ? std::wstring() : shortPath;
}

// The first word of the line: the program's name as it reads its own argv[0].
// Quotes are the last resort, since the reading that skips to the first blank
// would then take part of the name for the command.
std::wstring firstWord(const std::wstring& application, const std::wstring& shortPath) {
    if (!shortPath.empty()) {
        return shortPath;
    }
    const std::wstring name = application.substr(application.find_last_of(L'\\') + 1);
    return hasBlank(name) ? L'"' + name + L'"' : name;
}

WinProcessStarter& systemStarter() {
    static WinProcessStarter starter;
    return starter;
}

}  // namespace

WinProcessLauncher::WinProcessLauncher() : m_starter(systemStarter()) {}

WinProcessLauncher::WinProcessLauncher(WinProcessStarter& starter) : m_starter(starter) {}

void WinProcessLauncher::start(const ProgramStart& program) {
    // Code page text, as the setup tool reads its own command line.
    const std::wstring application = Utf16::fromCodePage(program.program);
    const std::wstring arguments = Utf16::fromCodePage(program.arguments);
    const std::size_t separator = application.find_last_of(L'\\');
    // The tool's own folder, as the game's shortcuts start it; a drive root
    // keeps its backslash, since "C:" alone is the drive's current folder.
    const std::wstring folder =
        separator == std::wstring::npos
            ? std::wstring()
            : application.substr(0, separator == 2 ? separator + 1 : separator);
    const std::wstring shortPath = shortPathWithoutBlanks(application);

    unsigned long code = m_starter.createProcess(
        application, firstWord(application, shortPath) + L' ' + arguments, folder);
    if (code == WinProcessStarter::ElevationRequired) {
        // The shell quotes a file with blanks at the head of the line it
        // builds; the short path keeps the line as above wherever there is one.
        code = m_starter.runAsAdministrator(shortPath.empty() ? application : shortPath, arguments,
                                            folder);
        if (code == WinProcessStarter::Cancelled) {
            throw PlatformError(ErrorNumber::PathFileAccessError,
                                "The setup tool was not started: Windows asked whether it may "
                                "run as an administrator, and the answer was No.");
        }
    }
    if (code != 0) {
        throw WinError::startError(code, program.joined());
    }
}

}  // namespace kestrix
