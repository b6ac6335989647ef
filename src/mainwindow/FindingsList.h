#pragma once

#include "serverfile/ConsoleCheck.h"
#include "serverfile/RawCodeForm.h"

#include <QFutureWatcher>
#include <QListWidget>
#include <QTimer>

class QPlainTextEdit;

// The findings of the console check, in a compact list; the window decides
// where it stands. It follows every change of the text, typed or set by the
// program, checking once the change is done; while there is nothing to say it
// is hidden. Choosing a finding puts the cursor on its line. It only reads
// the text.
class FindingsList : public QListWidget {
    Q_OBJECT
public:
    explicit FindingsList(QPlainTextEdit *text, QWidget *parent = nullptr);

    const QList<ConsoleCheck::Finding> &findings() const { return m_findings; }

    // The first few findings, each wrapped to the list's width.
    QSize sizeHint() const override;

private:
    struct Checked {
        QList<ConsoleCheck::Finding> findings;
        QList<qsizetype> lineStarts;
        std::optional<RawCodeForm::Break> formBreak;
    };
    void recheck();
    void present(const Checked &checked);
    void choose(QListWidgetItem *item);

    QPlainTextEdit *m_text;
    QTimer m_pending;                   // one check after a burst of changes
    QFutureWatcher<Checked> m_checking; // the check of the latest text
    QList<ConsoleCheck::Finding> m_findings;
    std::optional<RawCodeForm::Break> m_break; // listed first
    QList<qsizetype> m_lineStarts;             // of the text last checked
};
