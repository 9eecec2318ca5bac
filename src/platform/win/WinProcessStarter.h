#pragma once

#include <string>

namespace kestrix {

// The two calls by which Windows starts a program for KESTRIX. Each returns 0
// or Windows' error code. Tests put in their own to make a start fail as
// Windows makes it fail where Wine never does: a tool that must run as an
// administrator, and a user who refuses that.
class WinProcessStarter {
public:
    // ERROR_ELEVATION_REQUIRED and ERROR_CANCELLED, which not every set of
    // Windows headers declares.
    static constexpr unsigned long ElevationRequired = 740;
    static constexpr unsigned long Cancelled = 1223;

    virtual ~WinProcessStarter() = default;

    // CreateProcessW with the program's full path as the application, so
    // that Windows starts that file and no other; a normal window with focus.
    virtual unsigned long createProcess(const std::wstring& application, std::wstring commandLine,
                                        const std::wstring& folder);

    // ShellExecuteExW asking to run the file as an administrator, which shows
    // the prompt of User Account Control.
    virtual unsigned long runAsAdministrator(const std::wstring& file,
                                             const std::wstring& parameters,
                                             const std::wstring& folder);
};

}  // namespace kestrix
