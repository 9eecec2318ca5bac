#pragma once

#include "platform/ClipboardKeeper.h"

#include "platform/posix/ClipboardHelperCommand.h"

#include <chrono>
#include <filesystem>

namespace kestrix {

// Hands the text to kestrix-clipboard, which owns the X11 clipboard from then
// on and serves it after KESTRIX has ended. keep() returns once the helper
// owns the clipboard, so the setup tool, started right after, finds the text.
class HelperClipboardKeeper : public ClipboardKeeper {
public:
    // The bound is the helper's; tests shorten it.
    explicit HelperClipboardKeeper(
        std::filesystem::path helper,
        std::chrono::seconds bound = ClipboardHelperCommand::DefaultBound);

    // There is an X display, and the helper is there to serve it.
    bool servesThisDesktop() const override;
    bool keep(const std::string& text) override;

private:
    std::filesystem::path m_helper;
    std::chrono::seconds m_bound;
};

}  // namespace kestrix
