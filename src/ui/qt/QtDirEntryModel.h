#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <vector>

#include "views/DirListView.h"

namespace kestrix {

// The directory list's entries as a model, so that a folder of many thousand
// sub-folders is handed to the view in one reset instead of one insertion
// each. Each row shows its text with an open or a closed folder glyph and
// carries its depth for the indentation.
class QtDirEntryModel : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int DepthRole = Qt::UserRole;

    QtDirEntryModel(QIcon openFolder, QIcon closedFolder, QObject* parent);

    void setEntries(const std::vector<DirEntry>& entries);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Row {
        QString text;
        int depth;
        bool open;
    };

    QIcon m_openFolder;
    QIcon m_closedFolder;
    std::vector<Row> m_rows;
};

}  // namespace kestrix
