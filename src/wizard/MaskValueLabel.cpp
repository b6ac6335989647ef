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
    setText(m_settingName + QLatin1Char(' ') + QString::number(m_boxes.mask()));
}
