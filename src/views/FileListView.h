#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrix {

// The drawing side of the file list: names, one of which the user may select.
class FileListView {
public:
    virtual ~FileListView() = default;
    // Replaces every entry; none is selected afterwards.
    virtual void setEntries(const std::vector<std::string>& names) = 0;
    virtual std::optional<int> selectedIndex() const = 0;
};

}  // namespace kestrix
