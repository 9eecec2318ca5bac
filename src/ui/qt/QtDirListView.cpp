#include "ui/qt/QtDirListView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <utility>

#include "ui/qt/QtDirEntryModel.h"

namespace kestrix {
namespace {

constexpr int IndentPixels = 10;
constexpr int GlyphPixels = 16;

// Draws each entry shifted by its depth, as the classic list shows the tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() +
                             index.data(QtDirEntryModel::DepthRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

// The classic folder, a tab and a body in yellow with a darker edge, the open
// one with its front flap tilted; the Windows program draws the same one.
// Painted here rather than taken from the style, whose icon lookup through
// the desktop's icon themes costs more than all the rest of the start-up.
QIcon folderGlyph(bool open) {
    QPixmap pixmap(GlyphPixels, GlyphPixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 0));
    painter.setBrush(QColor(255, 255, 153));
    constexpr int unit = GlyphPixels / 8;
    constexpr int top = 2 * unit;
    constexpr int bottom = GlyphPixels - unit;
    const QPoint tab[] = {{0, top}, {unit, top - unit}, {3 * unit, top - unit}, {4 * unit, top}};
    painter.drawPolygon(tab, 4);
    painter.drawRect(0, top, GlyphPixels - unit - 1, bottom - top - 1);
    if (open) {
        const QPoint flap[] = {{2 * unit, top + 2 * unit},
                               {GlyphPixels - 1, top + 2 * unit},
                               {GlyphPixels - 2 * unit, bottom - 1},
                               {0, bottom - 1}};
        painter.drawPolygon(flap, 4);
    }
    return QIcon(pixmap);
}

}  // namespace

QtDirListView::QtDirListView()
    : m_model(new QtDirEntryModel(folderGlyph(true), folderGlyph(false), this)) {
    setModel(m_model);
    setItemDelegate(new IndentDelegate(this));
    // Every row is as high as the others: the view need not measure each.
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    // Long names are cut, as the classic list does, rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { open(index.row()); });
}

void QtDirListView::setEntries(const std::vector<DirEntry>& entries, int current) {
    m_model->setEntries(entries);
    setCurrentIndex(m_model->index(current));
}

void QtDirListView::onOpen(std::function<void(int index)> handler) {
    m_opened = std::move(handler);
}

void QtDirListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void QtDirListView::open(int row) {
    if (row >= 0 && m_opened) {
        m_opened(row);
    }
}

}  // namespace kestrix
