#pragma once

#include "platform/Clipboard.h"

namespace kestrix {

class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const std::string& text) override;
};

}  // namespace kestrix
