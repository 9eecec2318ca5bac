#pragma once

#include "platform/ProcessLauncher.h"

namespace kestrix {

class DriveTable;

// Starts a Windows command line on Linux: the program is found and its
// arguments split as Windows would (LaunchPlan), and it runs detached so that
// it outlives KESTRIX, which ends right after starting it.
class QtProcessLauncher : public ProcessLauncher {
public:
    explicit QtProcessLauncher(const DriveTable& drives);

    void start(const std::string& commandLine) override;

private:
    const DriveTable& m_drives;
};

}  // namespace kestrix
