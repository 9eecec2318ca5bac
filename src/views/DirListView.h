#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// One line of the directory list: the folder's name (the root's is "C:\"),
// how far it is indented, and whether it is drawn as an open folder (the root,
// its ancestors and the open folder) or a closed one (a sub-folder).
struct DirEntry {
    std::string text;
    int depth;
    bool open;
};

// The drawing side of the directory list. A single click only highlights an
// entry, which the view does alone; opening one is left to DirListBox.
class DirListView {
public:
    virtual ~DirListView() = default;
    // Replaces every entry and highlights the current one.
    virtual void setEntries(const std::vector<DirEntry>& entries, int current) = 0;
    // The user opened an entry: by a double click, or by Enter on the
    // highlighted one.
    virtual void onOpen(std::function<void(int index)> handler) = 0;
};

}  // namespace kestrix
