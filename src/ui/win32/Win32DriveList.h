#pragma once

#include <functional>

#include "ui/win32/Win32Control.h"
#include "views/DriveListView.h"

namespace kestrix {

// The drive list: a drop-down list COMBOBOX of the texts DriveListBox gives,
// "c: [SYSTEM]" and the like.
class Win32DriveList final : public Win32Control, public DriveListView {
public:
    Win32DriveList(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                   const DialogFont& font);

    void setItems(const std::vector<std::string>& texts) override;
    void setCurrentIndex(int index) override;
    void onPick(std::function<void(int index)> handler) override;
    void notified(WORD code) override;

private:
    std::function<void(int)> m_pick;
};

}  // namespace kestrix
