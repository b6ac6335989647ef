#pragma once

#include "settings/SettingNumber.h"

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
    // What Next stores: the sum of 2 to the power i over the ticked boxes,
    // and the bits kept from a restored mask that no box stands for.
    qint64 mask() const;
    // Ticks the boxes of a mask read from a file. Its bits that no box with a
    // caption stands for (only a hand-edited file has them) are kept as they
    // are; a text that is no number, or a negative one, ticks nothing.
    void restore(const SettingNumber &mask);
    qint64 keptBits() const { return m_keptBits; }
    const QList<QCheckBox *> &boxes() const { return m_boxes; }

private:
    QList<QCheckBox *> m_boxes;
    qint64 m_captionedBits = 0;
    qint64 m_keptBits = 0;
};
