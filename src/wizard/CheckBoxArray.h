#pragma once

#include <QList>

#include <vector>

class QCheckBox;
class QGridLayout;
class QWidget;

// A check box's value as the program counts it: 0 unticked, 1 ticked, 2 grey.
int checkValue(const QCheckBox *box);

// An indexed array of check boxes named "<name>(<index>)". A caption of
// nullptr makes a hidden box without caption that nothing ever ticks.
class CheckBoxArray {
public:
    CheckBoxArray(const QString &name, const QList<const char *> &captions, QWidget *parent,
                  QGridLayout *grid, int columns);

    QCheckBox *box(int index) const { return m_boxes[index]; }
    int size() const { return int(m_boxes.size()); }
    std::vector<int> values() const;
    // What Next stores: the sum of 2 to the power i over the ticked boxes.
    qint64 mask() const;
    const QList<QCheckBox *> &boxes() const { return m_boxes; }

private:
    QList<QCheckBox *> m_boxes;
};
