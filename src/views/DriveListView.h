#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// The drawing side of the drive list: a drop-down of texts. What the texts
// mean, and the change event, belong to DriveListBox.
class DriveListView {
public:
    virtual ~DriveListView() = default;
    virtual void setItems(const std::vector<std::string>& texts) = 0;
    // Shows an item as the current one; reports no pick.
    virtual void setCurrentIndex(int index) = 0;
    // The user picked an item, perhaps the current one again.
    virtual void onPick(std::function<void(int index)> handler) = 0;
};

}  // namespace kestrix
