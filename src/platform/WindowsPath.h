#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::WindowsPath {

// Windows compares file names without regard to letter case, across the
// whole of the system's code page ("CAF\xC9" is "caf\xE9" in Windows-1252).
char foldCase(char c);
std::string foldCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The names between separators, "\" or "/", as Windows reads them: doubled
// separators are harmless and yield no empty names.
std::vector<std::string> components(std::string_view path);

// A drive letter in upper case; anything else as it is.
char upperCaseLetter(char letter);

// The upper-case letter of a text that begins with a drive ("c:", "C:\UT"),
// or nothing.
std::optional<char> driveLetter(std::string_view path);

bool isSeparator(char c);

}  // namespace kestrix::WindowsPath
