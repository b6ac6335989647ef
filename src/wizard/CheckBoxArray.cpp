#include "CheckBoxArray.h"

#include "Masks.h"

#include <QCheckBox>
#include <QGridLayout>

int checkValue(const QCheckBox *box) {
    switch (box->checkState()) {
    case Qt::Unchecked:
        return CheckValue::Unticked;
    case Qt::Checked:
        return CheckValue::Ticked;
    case Qt::PartiallyChecked:
        return CheckValue::Grey;
    }
    return CheckValue::Unticked;
}

CheckBoxArray::CheckBoxArray(const QString &name, const QList<const char *> &captions,
                             QWidget *parent, QGridLayout *grid, int columns) {
    int shown = 0;
    const int visibleCount = int(std::count_if(captions.begin(), captions.end(),
                                               [](const char *c) { return c != nullptr; }));
    const int rows = (visibleCount + columns - 1) / columns;
    for (int i = 0; i < captions.size(); ++i) {
        auto *box = new QCheckBox(parent);
        box->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(i));
        if (captions[i]) {
            box->setText(QString::fromLatin1(captions[i]));
            // Fill the columns top to bottom, as the boxes read in index order.
            grid->addWidget(box, shown % rows, shown / rows);
            ++shown;
            m_captionedBits |= qint64(1) << i;
        } else {
            box->hide();
        }
        m_boxes.append(box);
    }
}

qint64 CheckBoxArray::mask() const {
    return maskOf(values()) | m_keptBits;
}

void CheckBoxArray::restore(const SettingNumber &mask) {
    const qint64 bits = mask.value().value_or(0);
    m_keptBits = bits > 0 ? bits & ~m_captionedBits : 0;
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_captionedBits & (qint64(1) << i))
            m_boxes[i]->setChecked(bits > 0 && (bits & (qint64(1) << i)));
}

std::vector<int> CheckBoxArray::values() const {
    std::vector<int> values;
    values.reserve(m_boxes.size());
    for (const QCheckBox *box : m_boxes)
        values.push_back(checkValue(box));
    return values;
}
