#pragma once

#include <string>

namespace kestrix {

// Starts a Windows command line as a normal window with focus, without
// waiting and without a working directory of its own. A program that cannot
// be found raises ErrorNumber::FileNotFound.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual void start(const std::string& commandLine) = 0;
};

}  // namespace kestrix
