#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "views/DriveListView.h"

namespace kestrix {

class FakeDriveList : public DriveListView {
public:
    void setItems(const std::vector<std::string>& texts) override { items = texts; }
    void setCurrentIndex(int index) override { current = index; }
    void onPick(std::function<void(int index)> handler) override { m_picked = std::move(handler); }

    // The user picks an item, as the drop-down reports it.
    void pick(int index) {
        current = index;
        m_picked(index);
    }

    std::vector<std::string> items;
    int current = -1;

private:
    std::function<void(int)> m_picked;
};

}  // namespace kestrix
