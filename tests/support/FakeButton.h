#pragma once

#include <functional>
#include <utility>

#include "views/ButtonView.h"

namespace kestrix {

class FakeButton : public ButtonView {
public:
    void onClick(std::function<void()> handler) override { m_clicked = std::move(handler); }
    void click() { m_clicked(); }

private:
    std::function<void()> m_clicked;
};

}  // namespace kestrix
