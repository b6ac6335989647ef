#include "AnswerWarning.h"

#include "serverfile/AnswerCheck.h"
#include "settings/PublicVars.h"

#include <QLayout>
#include <QLineEdit>
#include <QVBoxLayout>

AnswerWarning *AnswerWarning::attach(QLineEdit *box, GeneratedLines::Field field) {
    QWidget *parent = box->parentWidget();
    QLayout *layout = parent ? parent->layout() : nullptr;
    QWidget *before = box->previousInFocusChain();
    auto *pair = new QWidget(parent);
    pair->setObjectName(box->objectName() + QLatin1String("Pair"));
    if (!layout || !layout->replaceWidget(box, pair, Qt::FindChildrenRecursively)) {
        delete pair;
        return nullptr;
    }
    auto *column = new QVBoxLayout(pair);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(box);
    auto *warning = new AnswerWarning(box, field, pair);
    column->addWidget(warning);
    if (before && before != box)
        QWidget::setTabOrder(before, box); // the box keeps its place in the tab order
    return warning;
}

AnswerWarning::AnswerWarning(QLineEdit *box, GeneratedLines::Field field, QWidget *parent)
    : QLabel(parent)
    , m_box(box)
    , m_field(field) {
    setObjectName(QStringLiteral("lblWarning_") + box->objectName());
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    // Wide enough for a message in a few lines, never wider than the box.
    setMinimumWidth(box->minimumSizeHint().width());
    QPalette warm = palette();
    const bool dark = warm.color(QPalette::Window).lightness() < 128;
    warm.setColor(QPalette::WindowText, dark ? QColor(255, 160, 120) : QColor(160, 40, 0));
    setPalette(warm);
    connect(box, &QLineEdit::textChanged, this, &AnswerWarning::recheck);
    recheck();
}

void AnswerWarning::recheck() {
    const QStringList messages =
        AnswerCheck::warnings(PublicVars::ServerSettings, m_field, m_box->text());
    const QString text = messages.join(u'\n');
    if (text == this->text() && isVisibleTo(parentWidget()) == !text.isEmpty())
        return;
    setText(text);
    setVisible(!text.isEmpty());
    // A screen reader reads it with the box.
    m_box->setAccessibleDescription(text);
}
