#pragma once

#include <QLabel>

class CheckBoxArray;

// Shows under a page's boxes the value that Next will store, such as
// "dmflags 516", and follows every tick.
class MaskValueLabel : public QLabel {
    Q_OBJECT
public:
    MaskValueLabel(const CheckBoxArray &boxes, const QString &settingName, QWidget *parent);

    // Follows the ticks by itself; a restored mask calls it.
    void refresh();

private:
    const CheckBoxArray &m_boxes;
    QString m_settingName;
};
