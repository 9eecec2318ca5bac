#pragma once

#include <string>
#include <vector>

#include "windows/views/ComboBoxView.h"

namespace kestrix {

class FakeComboBox : public ComboBoxView {
public:
    void addItem(const std::string& text) override { items.push_back(text); }
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
