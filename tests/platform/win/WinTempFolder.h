#pragma once

#include <string>

#include "support/TempFolder.h"

namespace kestrix {

// A temporary folder that Windows lets go of: read-only files in it are made
// writable first, and a program a test started from it is waited for.
class WinTempFolder : public TempFolder {
public:
    ~WinTempFolder();

    // The folder as the program's texts write it, in the ANSI code page.
    std::string text() const;
};

}  // namespace kestrix
