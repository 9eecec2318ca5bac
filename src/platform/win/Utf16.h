#pragma once

#include <optional>
#include <string>
#include <string_view>

// The program keeps its texts as the game does, in the ANSI code page;
// Windows' wide functions take UTF-16. The conversions happen here, where the
// two meet, and nowhere else.
namespace kestrix::Utf16 {

// Every text converts: each byte of an 8-bit code page stands for one
// character.
std::wstring fromCodePage(std::string_view text);

// Nothing when a character has no byte in the code page: a look-alike put in
// its place ("e" for "ė", "?" for "Ж") would name another file, or none.
// Another code page than the system's (a Windows number) only for tests.
std::optional<std::string> toCodePage(std::wstring_view text, unsigned codePage = 0);

// Windows' WideCharToMultiByte, or in tests a stand-in that refuses what
// Windows refuses and Wine lets pass (the flags UTF-8 does not take).
using WideToBytes = int (*)(unsigned codePage, unsigned long flags, const wchar_t* text, int size,
                            char* bytes, int capacity, const char* defaultChar, int* usedDefault);
// Returns the conversion it replaces.
WideToBytes useConversion(WideToBytes conversion);

// The text for a message: each character the code page lacks written as its
// number ("<U+0416>"), so that the user can tell which name is meant.
std::string describe(std::wstring_view text);

}  // namespace kestrix::Utf16
