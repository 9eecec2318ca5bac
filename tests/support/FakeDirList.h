#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "views/DirListView.h"

namespace kestrix {

class FakeDirList : public DirListView {
public:
    void setEntries(const std::vector<DirEntry>& shown, int highlighted) override {
        entries = shown;
        current = highlighted;
    }
    void onOpen(std::function<void(int index)> handler) override { m_opened = std::move(handler); }

    // The user opens an entry, by a double click or Enter.
    void open(int index) { m_opened(index); }

    std::vector<DirEntry> entries;
    int current = -1;

private:
    std::function<void(int)> m_opened;
};

}  // namespace kestrix
