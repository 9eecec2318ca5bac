#pragma once

#include <string>

namespace kestrix {

// An editable combo box: the user picks an item or types a text; typing adds
// nothing to the list.
class ComboBoxView {
public:
    virtual ~ComboBoxView() = default;
    virtual void addItem(const std::string& text) = 0;
    virtual void removeItem(int index) = 0;
    virtual int count() const = 0;
    virtual std::string itemText(int index) const = 0;
    // What the box shows: the item picked or the text typed.
    virtual std::string editText() const = 0;
    // Shows a text as if typed: no item is chosen afterwards.
    virtual void setEditText(const std::string& text) = 0;
    // Removes every item and the text.
    virtual void clear() = 0;
};

}  // namespace kestrix
