#pragma once

#include "platform/Clipboard.h"

namespace kestrix {

class ClipboardKeeper;

class QtClipboard : public Clipboard {
public:
    // With a keeper, the text is handed to it and Qt's clipboard stays
    // untouched, so that the two never compete for the selection; Qt's
    // clipboard is used where the keeper cannot serve this desktop.
    explicit QtClipboard(ClipboardKeeper* keeper = nullptr);

    void clear() override;
    void setText(const std::string& text) override;

private:
    ClipboardKeeper* m_keeper;
};

}  // namespace kestrix
