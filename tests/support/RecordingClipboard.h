#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"
#include "platform/PlatformError.h"

namespace kestrix {

class RecordingClipboard : public Clipboard {
public:
    // Fails as a clipboard that another program holds, when busy.
    void clear() override {
        if (busy) {
            throw PlatformError(521, "Can't open Clipboard");
        }
        cleared = true;
        text.reset();
    }
    void setText(const std::string& value) override { text = value; }

    bool busy = false;
    bool cleared = false;
    std::optional<std::string> text;
};

}  // namespace kestrix
