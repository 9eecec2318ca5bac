#pragma once

#include <string>

namespace kestrix {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Plain-text format.
    virtual void setText(const std::string& text) = 0;
};

}  // namespace kestrix
