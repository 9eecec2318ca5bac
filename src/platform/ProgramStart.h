#pragma once

#include <string>

namespace kestrix {

// A program to start and what it is given. The program's path is kept apart
// from its arguments so that no launcher has to find where an unquoted path
// with blanks ends: Windows, asked to, tries "C:\Program.exe" first.
struct ProgramStart {
    // The Windows path of the program file.
    std::string program;
    // The rest of the command line, as the program reads it after its name.
    std::string arguments;

    // The line as players have always typed it: the path unquoted, a blank,
    // the arguments. Only for showing and recording, never for starting.
    std::string joined() const { return program + ' ' + arguments; }
};

}  // namespace kestrix
