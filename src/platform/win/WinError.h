#pragma once

#include <string>
#include <string_view>

#include "platform/PlatformError.h"

// Windows' error codes (GetLastError) as the program reports them.
namespace kestrix::WinError {

// The classic runtime's number for a code, so that a failure reads the same
// on every platform and a missing file is 53 wherever it is met.
int errorNumber(unsigned long code);

// Windows' own words for a code, on one line and without the closing period,
// so that they fit inside a sentence; "%1" in them stands for subject.
std::string systemDescription(unsigned long code, std::string_view subject);

// The error of a failed file operation on subject: the classic description
// where the number has one, as the Linux side gives it, and Windows' own words
// where the number is only the general "Path/File access error".
PlatformError fileError(unsigned long code, std::string_view subject);

// The error of a command line that could not be started. A folder missing on
// the way means the game directory is wrong just as a missing program does,
// and the user must be told the same: both are FileNotFound. Other failures
// carry Windows' own words.
PlatformError startError(unsigned long code, std::string_view commandLine);

}  // namespace kestrix::WinError
