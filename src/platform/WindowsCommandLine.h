#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reads a Windows command line the way Windows itself does, so that a line
// built for CreateProcess starts the same program with the same arguments on
// a host that is not Windows.
namespace kestrix::WindowsCommandLine {

// The program a command line names, as Windows found it, and what follows it.
struct FoundProgram {
    // The Windows text of the program file, with ".exe" when it was added.
    std::string program;
    // The line after the program's name (after the closing quote when it was
    // quoted), still to be split into arguments.
    std::string rest;
};

// True when a Windows text names an existing file (not a folder).
using FileExists = std::function<bool(std::string_view windowsPath)>;

// Finds the program as CreateProcess does when it is given no application
// name. A first token in double quotes runs to the next double quote (or the
// end of the line). Otherwise each prefix of the line that ends at a blank
// (space or tab), and then the whole line, is tried, shortest first, until one
// names an existing file. ".exe" is added to a name whose last component has
// no extension. Raises FileNotFound when no candidate exists.
FoundProgram findProgram(std::string_view commandLine, const FileExists& fileExists);

// Splits the arguments that follow the program by the rules of
// CommandLineToArgvW and the C runtime: blanks outside double quotes separate;
// double quotes group and are dropped; 2n backslashes before a double quote
// give n backslashes and the quote groups, 2n+1 give n backslashes and a
// literal quote; other backslashes are literal. Two double quotes inside a
// quoted run give one literal quote and the run goes on, as the runtime has
// done since 2008.
std::vector<std::string> splitArguments(std::string_view arguments);

}  // namespace kestrix::WindowsCommandLine
