#include "platform/win/WinError.h"

#include <windows.h>

#include <string>

#include "platform/ErrorNumber.h"
#include "platform/win/Utf16.h"

namespace kestrix::WinError {

int errorNumber(unsigned long code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return ErrorNumber::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
            return ErrorNumber::PathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return ErrorNumber::PermissionDenied;
        case ERROR_NOT_READY:
        case ERROR_INVALID_DRIVE:
            return ErrorNumber::DeviceUnavailable;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return ErrorNumber::FileAlreadyExists;
        default:
            return ErrorNumber::PathFileAccessError;
    }
}

std::string systemDescription(unsigned long code, std::string_view subject) {
    wchar_t* buffer = nullptr;
    // Inserts are left as they stand: the message for a code may ask for more
    // of them than the caller knows of.
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0) {
        return "Windows error " + std::to_string(code);
    }
    std::string text = Utf16::describe(std::wstring_view(buffer, length));
    LocalFree(buffer);

    while (!text.empty() && (text.back() == ' ' || text.back() == '.' || text.back() == '\r' ||
                             text.back() == '\n')) {
        text.pop_back();
    }
    for (std::size_t at = text.find("%1"); at != std::string::npos;
         at = text.find("%1", at + subject.size())) {
        text.replace(at, 2, subject);
    }
    return text;
}

PlatformError fileError(unsigned long code, std::string_view subject) {
    const int number = errorNumber(code);
    if (number != ErrorNumber::PathFileAccessError) {
        return PlatformError(number);
    }
    return PlatformError(number, PlatformError::standardDescription(number) + " (" +
                                     systemDescription(code, subject) + ")");
}

PlatformError startError(unsigned long code, std::string_view commandLine) {
    // The program's own folder, which it starts in, is missing when the game
    // folder is wrong as well.
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY) {
        return PlatformError(ErrorNumber::FileNotFound);
    }
    return PlatformError(errorNumber(code), systemDescription(code, commandLine));
}

}  // namespace kestrix::WinError
