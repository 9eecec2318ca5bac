#pragma once

#include <functional>

namespace kestrix {

// A push button. It is never a default or cancel button: Enter and Escape do
// not click it.
class ButtonView {
public:
    virtual ~ButtonView() = default;
    virtual void onClick(std::function<void()> handler) = 0;
};

}  // namespace kestrix
