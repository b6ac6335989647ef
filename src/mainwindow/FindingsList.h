#pragma once

#include "serverfile/ConsoleCheck.h"

#include <QListWidget>
#include <QRect>
#include <QTimer>

class QPlainTextEdit;

// The findings of the console check, in a compact list under the server
// file's text area. It follows every change of the text, typed or set by the
// program, checking once the change is done; while there is nothing to say it
// is hidden and the text area has its whole place. Choosing a finding puts
// the cursor on its line. It only reads the text.
class FindingsList : public QListWidget {
    Q_OBJECT
public:
    FindingsList(QPlainTextEdit *text, QWidget *parent);

    const QList<ConsoleCheck::Finding> &findings() const { return m_findings; }

protected:
    // The window may place the text area anew (when it grows or is resized):
    // that place is then the one the list shares with it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void recheck();
    void choose(QListWidgetItem *item);
    void place();

    QPlainTextEdit *m_text;
    QTimer m_pending; // one check after a burst of changes
    QList<ConsoleCheck::Finding> m_findings;
    QList<qsizetype> m_lineStarts; // of the text last checked
    QRect m_area;                  // the text area's place with the list hidden
    bool m_placing = false;        // the list itself is moving the text area
    QRect m_textPlace;             // where the list last put the text area
};
