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
        } else {
            box->hide();
        }
        m_boxes.append(box);
    }
}

qint64 CheckBoxArray::mask() const {
    return maskOf(values());
}

std::vector<int> CheckBoxArray::values() const {
    std::vector<int> values;
    values.reserve(m_boxes.size());
    for (const QCheckBox *box : m_boxes)
        values.push_back(checkValue(box));
    return values;
}
