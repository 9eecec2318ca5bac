#pragma once

#include <functional>

namespace kestrix {

// A push button. It is a default or cancel button only where its window's
// layout names it for Enter or Escape; otherwise Enter and Escape do
// not click it.
class ButtonView {
public:
    virtual ~ButtonView() = default;
    virtual void onClick(std::function<void()> handler) = 0;
};

}  // namespace kestrix
