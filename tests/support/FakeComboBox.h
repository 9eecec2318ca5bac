#pragma once

#include <string>
#include <vector>

#include "views/ComboBoxView.h"

namespace kestrix {

// Like Qt's, the box shows the first item added to an empty list, so a window
// that wants nothing chosen must say so.
class FakeComboBox : public ComboBoxView {
public:
    void addItem(const std::string& item) override {
        if (items.empty()) {
            text = item;
        }
        items.push_back(item);
    }
    void removeItem(int index) override { items.erase(items.begin() + index); }
    int count() const override { return static_cast<int>(items.size()); }
    std::string itemText(int index) const override { return items.at(index); }
    std::string editText() const override { return text; }
    void setEditText(const std::string& typed) override { text = typed; }
    void clear() override {
        items.clear();
        text.clear();
    }

    std::vector<std::string> items;
    std::string text;  // what the user picked or typed
};

}  // namespace kestrix
