#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "windows/views/DirListView.h"

namespace kestrix {

class FakeDirList : public DirListView {
public:
    void setEntries(const std::vector<DirEntry>& shown, int highlighted) override {
        entries = shown;
        current = highlighted;
    }
    void onOpen(std::function<void(int index)> handler) override { m_opened = std::move(handler); }

    // The user opens the entry of that text, by a double click or Enter.
    void open(const std::string& text) {
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&text](const DirEntry& e) { return e.text == text; });
        m_opened(static_cast<int>(entry - entries.begin()));
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const DirEntry& entry : entries) {
            all.push_back(entry.text);
        }
        return all;
    }

    std::vector<DirEntry> entries;
    int current = -1;

private:
    std::function<void(int)> m_opened;
};

}  // namespace kestrix
