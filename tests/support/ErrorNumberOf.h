#pragma once

#include <functional>

#include "platform/PlatformError.h"

namespace kestrix {

// The number of the PlatformError an operation raises, 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PlatformError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace kestrix
