#include "AnswerWarning.h"

#include "serverfile/AnswerCheck.h"
#include "settings/PublicVars.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The layout that holds the widget, searched through the nested layouts.
QLayout *holder(QLayout *layout, QWidget *widget) {
    if (!layout)
        return nullptr;
    if (layout->indexOf(widget) >= 0)
        return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout *found = holder(layout->itemAt(i)->layout(), widget))
            return found;
    return nullptr;
}

// Puts the column in the widget's cell. The widget keeps its parent, so that
// its label still names it for screen readers.
bool replaceByColumn(QLayout *layout, QWidget *widget, QVBoxLayout *column) {
    const int index = layout->indexOf(widget);
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row, col, rows, cols;
        grid->getItemPosition(index, &row, &col, &rows, &cols);
        delete grid->takeAt(index);
        grid->addLayout(column, row, col, rows, cols);
    } else if (auto *form = qobject_cast<QFormLayout *>(layout)) {
        int row;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(widget, &row, &role);
        delete form->takeAt(index);
        form->setLayout(row, role, column);
    } else if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
        const int stretch = box->stretch(index);
        delete box->takeAt(index);
        box->insertLayout(index, column, stretch);
    } else {
        return false;
    }
    column->addWidget(widget);
    return true;
}

} // namespace

AnswerWarning *AnswerWarning::attach(QLineEdit *box, GeneratedLines::Field field) {
    QWidget *parent = box->parentWidget();
    QLayout *layout = holder(parent ? parent->layout() : nullptr, box);
    if (!layout)
        return nullptr;
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    if (!replaceByColumn(layout, box, column)) {
        delete column;
        return nullptr;
    }
    auto *warning = new AnswerWarning(box, field, parent);
    column->addWidget(warning);
    return warning;
}

AnswerWarning::AnswerWarning(QLineEdit *box, GeneratedLines::Field field, QWidget *parent)
    : QLabel(parent)
    , m_box(box)
    , m_field(field) {
    setObjectName(QStringLiteral("lblWarning_") + box->objectName());
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    // Wide enough for a message in a few lines, even under a narrow box.
    setMinimumWidth(qMax(box->minimumSizeHint().width(), fontMetrics().averageCharWidth() * 20));
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
