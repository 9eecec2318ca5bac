#pragma once

#include <QListWidget>

#include "windows/views/FileListView.h"

namespace kestrix {

class QtFileListView : public QListWidget, public FileListView {
    Q_OBJECT

public:
    void setEntries(const std::vector<std::string>& names) override;
    std::optional<int> selectedIndex() const override;
};

}  // namespace kestrix
