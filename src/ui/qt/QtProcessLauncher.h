#pragma once

#include "platform/ProcessLauncher.h"

namespace kestrix {

class DriveTable;

// Starts a Windows program on Linux: its arguments are split as Windows
// would (LaunchPlan), it runs in the Wine prefix that holds it and in its own
// folder, and it outlives KESTRIX, which ends right after starting it. It is
// watched for a moment, so that a failure at once is shown, not lost.
class QtProcessLauncher : public ProcessLauncher {
public:
    explicit QtProcessLauncher(const DriveTable& drives);

    void start(const ProgramStart& program) override;

private:
    const DriveTable& m_drives;
};

}  // namespace kestrix
