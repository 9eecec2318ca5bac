#pragma once

#include "ui/win32/Win32Control.h"
#include "views/ComboBoxView.h"

namespace kestrix {

// The editable combo box: a CBS_DROPDOWN COMBOBOX, unsorted.
class Win32ComboBox final : public Win32Control, public ComboBoxView {
public:
    Win32ComboBox(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                  const DialogFont& font);

    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int count() const override;
    std::string itemText(int index) const override;
    std::string editText() const override;
    void setEditText(const std::string& text) override;
    void clear() override;
};

}  // namespace kestrix
