#include "ui/qt/QtDirListView.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <utility>

#include "ui/qt/SystemText.h"

namespace kestrix {
namespace {

constexpr int DepthRole = Qt::UserRole;
constexpr int IndentPixels = 10;

// Draws each entry shifted by its depth, as the classic list shows the tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(DepthRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

}  // namespace

QtDirListView::QtDirListView() {
    setItemDelegate(new IndentDelegate(this));
    // Long names are cut, as the classic list does, rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { open(row(item)); });
}

void QtDirListView::setEntries(const std::vector<DirEntry>& entries, int current) {
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const DirEntry& entry : entries) {
        auto* item =
            new QListWidgetItem(entry.open ? openIcon : closedIcon, toQt(entry.text), this);
        item->setData(DepthRole, entry.depth);
    }
    setCurrentRow(current);
}

void QtDirListView::onOpen(std::function<void(int index)> handler) {
    m_opened = std::move(handler);
}

void QtDirListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void QtDirListView::open(int row) {
    if (row >= 0 && m_opened) {
        m_opened(row);
    }
}

}  // namespace kestrix
