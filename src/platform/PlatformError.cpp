#include "platform/PlatformError.h"

#include "platform/ErrorNumber.h"

namespace kestrix {

PlatformError::PlatformError(int number) : PlatformError(number, standardDescription(number)) {}

PlatformError::PlatformError(int number, const std::string& description)
    : std::runtime_error(description), m_number(number), m_description(description) {}

std::string PlatformError::standardDescription(int number) {
    switch (number) {
        case ErrorNumber::InternalError:
            return "Internal error";
        case ErrorNumber::BadFileName:
            return "Bad file name or number";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::FileAlreadyExists:
            return "File already exists";
        case ErrorNumber::InputPastEndOfFile:
            return "Input past end of file";
        case ErrorNumber::DeviceUnavailable:
            return "Device unavailable";
        case ErrorNumber::PermissionDenied:
            return "Permission denied";
        case ErrorNumber::PathFileAccessError:
            return "Path/File access error";
        case ErrorNumber::PathNotFound:
            return "Path not found";
        default:
            return "Application-defined or object-defined error";
    }
}

}  // namespace kestrix
