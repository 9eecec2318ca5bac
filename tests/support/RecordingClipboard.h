#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace kestrix {

class RecordingClipboard : public Clipboard {
public:
    void clear() override {
        cleared = true;
        text.reset();
    }
    void setText(const std::string& value) override { text = value; }

    bool cleared = false;
    std::optional<std::string> text;
};

}  // namespace kestrix
