#pragma once

#include <QPushButton>
#include <functional>

#include "views/ButtonView.h"

namespace kestrix {

class QtButtonView : public QPushButton, public ButtonView {
    Q_OBJECT

public:
    explicit QtButtonView(const QString& text);
    void onClick(std::function<void()> handler) override;

private:
    std::function<void()> m_clicked;
};

}  // namespace kestrix
