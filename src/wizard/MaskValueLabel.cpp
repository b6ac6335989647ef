#include "MaskValueLabel.h"

#include "CheckBoxArray.h"
#include "platform/CheckBoxSignal.h"

#include <QCheckBox>

MaskValueLabel::MaskValueLabel(const CheckBoxArray &boxes, const QString &settingName,
                               QWidget *parent)
    : QLabel(parent)
    , m_boxes(boxes)
    , m_settingName(settingName) {
    setObjectName(QStringLiteral("lblMaskValue"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QCheckBox *box : boxes.boxes())
        connect(box, checkBoxStateChanged, this, &MaskValueLabel::refresh);
    refresh();
}

void MaskValueLabel::refresh() {
    QString text = m_settingName + QLatin1Char(' ') + QString::number(m_boxes.mask());
    if (const qint64 kept = m_boxes.keptBits()) {
        QStringList bits;
        for (int i = 0; i < 63; ++i)
            if (kept & (qint64(1) << i))
                bits.append(QString::number(i));
        text += QStringLiteral("\nKept from the opened file: bit%1 %2, for which no box stands")
                    .arg(bits.size() == 1 ? QString() : QStringLiteral("s"),
                         bits.join(QStringLiteral(", ")));
    }
    setText(text);
}
