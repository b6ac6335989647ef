#include "DifferencesView.h"

#include <QHeaderView>

DifferencesView::DifferencesView(QWidget *parent)
    : QTreeWidget(parent) {
    setObjectName(QStringLiteral("lstDifferences"));
    setAccessibleName(QStringLiteral("Differences between the server and the file"));
    setRootIsDecorated(false);
    setWordWrap(true);
    setHeaderLabels({QStringLiteral("Variable"), QStringLiteral("Line"),
                     QStringLiteral("The file sets"), QStringLiteral("The server holds"),
                     QStringLiteral("Why")});
    header()->setStretchLastSection(true);
}

void DifferencesView::showDifferences(const QList<ServerComparison::Difference> &differences) {
    clear();
    for (const ServerComparison::Difference &d : differences) {
        QString why = d.explanation;
        if (d.expected.afterMap)
            why = QStringLiteral("After map: resolved by a map change or a connecting player. ") +
                  why;
        auto *item = new QTreeWidgetItem(
            this, {d.expected.variable, QString::number(d.expected.line + 1), d.expected.value,
                   d.held ? *d.held : QStringLiteral("(no such variable)"), why.trimmed()});
        item->setToolTip(0, d.expected.lineText);
        item->setToolTip(4, ServerComparison::describe(d));
    }
    for (int column = 0; column < 4; ++column)
        resizeColumnToContents(column);
}
