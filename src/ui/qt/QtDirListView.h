#pragma once

#include <QListView>
#include <functional>

#include "views/DirListView.h"

namespace kestrix {

class QtDirEntryModel;

// The directory list drawn as the classic one: each entry indented by its
// depth, with an open or a closed folder glyph. Long names are cut.
class QtDirListView : public QListView, public DirListView {
    Q_OBJECT

public:
    QtDirListView();
    void setEntries(const std::vector<DirEntry>& entries, int current) override;
    void onOpen(std::function<void(int index)> handler) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(int row);

    QtDirEntryModel* m_model;
    std::function<void(int)> m_opened;
};

}  // namespace kestrix
