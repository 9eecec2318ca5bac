#pragma once

#include <string>

namespace kestrix {

// Keeps text on the desktop's clipboard after KESTRIX has ended, where the
// desktop does not do so itself (X11, and Wayland through XWayland).
class ClipboardKeeper {
public:
    virtual ~ClipboardKeeper() = default;
    // Whether keep() can serve this desktop at all.
    virtual bool servesThisDesktop() const = 0;
    // Text is UTF-8. True once the text is on the clipboard and will stay
    // there; false when this desktop cannot be served this way, and the
    // caller has to set the clipboard itself.
    virtual bool keep(const std::string& text) = 0;
};

}  // namespace kestrix
