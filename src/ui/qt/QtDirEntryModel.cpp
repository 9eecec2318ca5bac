#include "ui/qt/QtDirEntryModel.h"

#include <utility>

#include "ui/qt/SystemText.h"

namespace kestrix {

QtDirEntryModel::QtDirEntryModel(QIcon openFolder, QIcon closedFolder, QObject* parent)
    : QAbstractListModel(parent),
      m_openFolder(std::move(openFolder)),
      m_closedFolder(std::move(closedFolder)) {}

void QtDirEntryModel::setEntries(const std::vector<DirEntry>& entries) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(entries.size());
    for (const DirEntry& entry : entries) {
        m_rows.push_back({toQt(entry.text), entry.depth, entry.open});
    }
    endResetModel();
}

int QtDirEntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant QtDirEntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return row.text;
        case Qt::DecorationRole:
            return row.open ? m_openFolder : m_closedFolder;
        case DepthRole:
            return row.depth;
        default:
            return {};
    }
}

}  // namespace kestrix
