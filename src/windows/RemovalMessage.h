#pragma once

#include <string>
#include <string_view>

#include "manifest/PackageRemoval.h"
#include "platform/CodePage.h"

namespace kestrix {

// What the uninstaller tells the user after a removal: "done", or what
// stopped it and whether anything changed.
class RemovalMessage {
public:
    // The code page names itself where a file name is beyond it.
    static std::string of(std::string_view packageName, const RemovalOutcome& outcome,
                          const CodePage& codePage = CodePage::system());
};

}  // namespace kestrix
