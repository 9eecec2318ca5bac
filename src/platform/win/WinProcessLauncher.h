#pragma once

#include "platform/ProcessLauncher.h"

namespace kestrix {

class WinProcessStarter;

// Starts a program so that it reads its arguments the same by every common
// reading of a command line: the C runtime's argv, CommandLineToArgvW, and
// the one that skips the program's name up to the first blank. The program's
// full path goes to Windows apart from the line, so that Windows never tries
// a shorter name at a blank ("C:\Program.exe"), and the line begins with a
// name without blanks: the short path where the volume keeps one, else the
// bare file name. A program that Windows will only run as an administrator,
// as it treats a 32-bit "setup" without a manifest, is started through the
// prompt of User Account Control, under the same rules.
class WinProcessLauncher final : public ProcessLauncher {
public:
    WinProcessLauncher();
    explicit WinProcessLauncher(WinProcessStarter& starter);

    void start(const ProgramStart& program) override;

private:
    WinProcessStarter& m_starter;
};

}  // namespace kestrix
