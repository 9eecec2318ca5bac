#pragma once

#include <optional>
#include <string>
#include <vector>

#include "views/FileListView.h"

namespace kestrix {

class FakeFileList : public FileListView {
public:
    void setEntries(const std::vector<std::string>& names) override {
        entries = names;
        selected.reset();
    }
    std::optional<int> selectedIndex() const override { return selected; }

    std::vector<std::string> entries;
    std::optional<int> selected;  // the user's selection
};

}  // namespace kestrix
