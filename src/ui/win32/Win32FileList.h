#pragma once

#include "ui/win32/Win32Control.h"
#include "views/FileListView.h"

namespace kestrix {

// The file list: a LISTBOX of names in the order FileListBox gives them.
class Win32FileList final : public Win32Control, public FileListView {
public:
    Win32FileList(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                  const DialogFont& font);

    void setEntries(const std::vector<std::string>& names) override;
    std::optional<int> selectedIndex() const override;
};

}  // namespace kestrix
