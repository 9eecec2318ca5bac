#pragma once

#include <string>
#include <string_view>

// The program keeps its texts in UTF-8; Windows' own functions take UTF-16.
// The conversions happen where the two meet, and nowhere else.
namespace kestrix::Utf16 {

// Text that is not valid UTF-8 is read in the system's 8-bit code page: the
// game's setup tool wrote its manifests that way, and their File= paths must
// still name the files on disk.
std::wstring fromUtf8(std::string_view text);

std::string toUtf8(std::wstring_view text);

}  // namespace kestrix::Utf16
