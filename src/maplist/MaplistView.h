#pragma once

#include <QListView>

class MaplistModel;

// The maplist's list, one selected line at most. A line dragged with the mouse
// moves along with the pointer: it takes the place of each line it passes,
// and past the top or bottom edge it moves on and scrolls one line at a time.
class MaplistView : public QListView {
    Q_OBJECT

public:
    MaplistView(MaplistModel *model, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    MaplistModel *m_model;
    int m_draggedRow = -1;
};
