#pragma once

#include "MaplistModel.h"

#include <QTreeView>

#include <array>

// The maplist's list, one selected line at most, a column for each field
// under headings. A line dragged with the mouse moves along with the pointer:
// it takes the place of each line it passes, and past the top or bottom edge
// it moves on and scrolls one line at a time.
class MaplistView : public QTreeView {
    Q_OBJECT

public:
    MaplistView(MaplistModel *model, QWidget *parent);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitColumns();

    MaplistModel *m_model;
    int m_draggedRow = -1;
    std::array<int, MaplistModel::ColumnCount> m_designed{}; // each column's width
};
