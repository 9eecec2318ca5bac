#pragma once

#include <QListWidget>
#include <functional>

#include "windows/views/DirListView.h"

namespace kestrix {

// The directory list drawn as the classic one: each entry indented by its
// depth, with an open or a closed folder icon. Long names are cut.
class QtDirListView : public QListWidget, public DirListView {
    Q_OBJECT

public:
    QtDirListView();
    void setEntries(const std::vector<DirEntry>& entries, int current) override;
    void onOpen(std::function<void(int index)> handler) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(int row);

    std::function<void(int)> m_opened;
};

}  // namespace kestrix
