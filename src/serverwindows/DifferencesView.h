#pragma once

#include "liveserver/ServerComparison.h"

#include <QTreeWidget>

// The comparison's result: one row a difference, the explanation in plain text.
class DifferencesView : public QTreeWidget {
    Q_OBJECT
public:
    explicit DifferencesView(QWidget *parent = nullptr);
    void showDifferences(const QList<ServerComparison::Difference> &differences);
};
