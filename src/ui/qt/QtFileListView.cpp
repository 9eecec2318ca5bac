#include "ui/qt/QtFileListView.h"

#include <QStringListModel>

#include "ui/qt/SystemText.h"

namespace kestrix {

QtFileListView::QtFileListView() : m_model(new QStringListModel(this)) {
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
}

void QtFileListView::setEntries(const std::vector<std::string>& names) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        texts.append(toQt(name));
    }
    m_model->setStringList(texts);
}

std::optional<int> QtFileListView::selectedIndex() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) {
        return std::nullopt;
    }
    return current.row();
}

}  // namespace kestrix
