#pragma once

#include "platform/MessageBox.h"

namespace kestrix {

class QtMessageBox : public MessageBox {
public:
    void show(const std::string& text) override;
};

}  // namespace kestrix
