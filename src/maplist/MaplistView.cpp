#include "MaplistView.h"

#include "MaplistModel.h"

#include <QMouseEvent>

#include <algorithm>

MaplistView::MaplistView(MaplistModel *model, QWidget *parent)
    : QListView(parent)
    , m_model(model) {
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void MaplistView::mousePressEvent(QMouseEvent *event) {
    QListView::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_draggedRow = event->button() == Qt::LeftButton && pressed.isValid() ? pressed.row() : -1;
}

void MaplistView::mouseMoveEvent(QMouseEvent *event) {
    if (m_draggedRow < 0 || !(event->buttons() & Qt::LeftButton)) {
        QListView::mouseMoveEvent(event);
        return;
    }
    // Only the height counts: the lines fill the list's width.
    const int y = event->position().toPoint().y();
    int row = indexAt(QPoint(0, y)).row();
    if (y < 0)
        row = m_draggedRow - 1; // past an edge: one line on
    else if (y >= viewport()->height())
        row = m_draggedRow + 1;
    else if (row < 0)
        row = m_model->rowCount() - 1; // below the last line
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    if (row != m_draggedRow && m_model->moveLine(m_draggedRow, row)) {
        m_draggedRow = row;
        const QModelIndex moved = m_model->index(row);
        setCurrentIndex(moved);
        scrollTo(moved);
    }
    event->accept();
}

void MaplistView::mouseReleaseEvent(QMouseEvent *event) {
    m_draggedRow = -1;
    QListView::mouseReleaseEvent(event);
}
