#pragma once

#include <QListView>

#include "views/FileListView.h"

class QStringListModel;

namespace kestrix {

// The file list: plain names in a model, so that a folder of many thousand
// packages reaches the view in one reset.
class QtFileListView : public QListView, public FileListView {
    Q_OBJECT

public:
    QtFileListView();
    void setEntries(const std::vector<std::string>& names) override;
    std::optional<int> selectedIndex() const override;

private:
    QStringListModel* m_model;
};

}  // namespace kestrix
