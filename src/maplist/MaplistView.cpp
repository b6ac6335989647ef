#include "MaplistView.h"

#include "MaplistModel.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <numeric>

MaplistView::MaplistView(MaplistModel *model, QWidget *parent)
    : QTreeView(parent)
    , m_model(model) {
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    // A flat list: no branches to open, every row of one height.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // Headings sized by their texts and the widest codes, not by measuring
    // every line: a list of many thousand maps opens as fast as a short one.
    QHeaderView *headings = header();
    headings->setSectionsMovable(false);
    headings->setStretchLastSection(true);
    const QFontMetrics metrics(font());
    headings->setMinimumSectionSize(2 * metrics.averageCharWidth());
    const int room = 3 * metrics.averageCharWidth();
    const auto wide = [&](const char *text) {
        return metrics.horizontalAdvance(QString::fromLatin1(text)) + room;
    };
    m_designed = {wide("q2dm8xx"), headings->sectionSizeHint(MaplistModel::MinPlayers),
                  headings->sectionSizeHint(MaplistModel::MaxPlayers), wide("3 Generous"),
                  wide("19 Ultra Railgun")};
    // The columns always share the list's width: nothing to scroll sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitColumns();
}

// Each column its designed width where the list is wide enough; else the
// bounds keep theirs and the other columns share the rest, their texts
// shortened (the tool tip shows the whole line). Every heading stays in sight.
void MaplistView::fitColumns() {
    const int designed = std::accumulate(m_designed.begin(), m_designed.end(), 0);
    const int bounds = m_designed[MaplistModel::MinPlayers] + m_designed[MaplistModel::MaxPlayers];
    const int width = viewport()->width();
    for (int column = 0; column < MaplistModel::ColumnCount - 1; ++column) {
        const bool bound = column == MaplistModel::MinPlayers || column == MaplistModel::MaxPlayers;
        header()->resizeSection(column, designed <= width || bound
                                            ? m_designed[column]
                                            : m_designed[column] * std::max(0, width - bounds) /
                                                  (designed - bounds));
    }
}

void MaplistView::resizeEvent(QResizeEvent *event) {
    QTreeView::resizeEvent(event);
    fitColumns();
}

void MaplistView::mousePressEvent(QMouseEvent *event) {
    QTreeView::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_draggedRow = event->button() == Qt::LeftButton && pressed.isValid() ? pressed.row() : -1;
}

void MaplistView::mouseMoveEvent(QMouseEvent *event) {
    if (m_draggedRow < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTreeView::mouseMoveEvent(event);
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
    QTreeView::mouseReleaseEvent(event);
}
