#pragma once

#include <string>
#include <string_view>

#include "manifest/PackageRemoval.h"

namespace kestrix {

// What the uninstaller tells the user after a removal: "done", or what
// stopped it and whether anything changed.
class RemovalMessage {
public:
    static std::string of(std::string_view packageName, const RemovalOutcome& outcome);
};

}  // namespace kestrix
