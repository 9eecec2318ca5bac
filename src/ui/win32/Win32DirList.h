#pragma once

#include <functional>
#include <vector>

#include "ui/win32/Win32Control.h"
#include "views/DirListView.h"

namespace kestrix {

// The directory list as the classic control drew it: an owner-drawn LISTBOX,
// each folder indented by its depth behind an open or a closed folder glyph.
class Win32DirList final : public Win32Control, public DirListView {
public:
    Win32DirList(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                 const DialogFont& font);

    void setEntries(const std::vector<DirEntry>& entries, int current) override;
    void onOpen(std::function<void(int index)> handler) override;

    void notified(WORD code) override;
    void drawItem(const DRAWITEMSTRUCT& item) override;
    void enterPressed() override;

    // A row's height in pixels at the screen's density.
    int rowPixels() const { return m_rowPixels; }
    // How far each level of depth moves a row to the right, in pixels.
    int indentPixels() const { return m_indentPixels; }

private:
    void open();

    std::vector<DirEntry> m_entries;
    std::function<void(int)> m_open;
    int m_rowPixels;
    int m_indentPixels;
    int m_glyphPixels;
};

}  // namespace kestrix
