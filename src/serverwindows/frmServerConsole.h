#pragma once

#include "liveserver/ServerRunner.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

class DifferencesView;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The local server's console: its output live, a line for commands with a
// history on Up and Down, Stop and the comparison with the file.
class frmServerConsole : public QWidget {
    Q_OBJECT
public:
    static constexpr int ScrollbackLines = 10000;
    static constexpr int FlushMs = 10;
    // The most lines shown at once, in small pieces often: a long turn is
    // what a busy machine holds up longest. More waiting than the scrollback
    // holds are skipped, with a note, as they would scroll out unseen.
    static constexpr int FlushLines = 150;

    explicit frmServerConsole(ServerRunner &runner, QWidget *parent = nullptr);

    // Lines come in faster than a window can lay out one at a time: they are
    // gathered and shown together, at most the scrollback's worth.
    void appendLine(const QString &line, ConsoleLineKind kind);
    void showEnd(const QString &report);
    void setState(const QString &state);

    QPlainTextEdit *txtConsole = nullptr;
    QLineEdit *txtCommand = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdCompare = nullptr;
    QLabel *lblState = nullptr;
    QLabel *lblCompared = nullptr;
    DifferencesView *lstDifferences = nullptr;

signals:
    void compareRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtCommand_Return();
    void flush();

    ServerRunner &m_runner;
    QTimer m_flush;
    QList<QPair<QString, ConsoleLineKind>> m_pending;
    qint64 m_skipped = 0;
    QStringList m_history;
    qsizetype m_historyAt = 0;
};
