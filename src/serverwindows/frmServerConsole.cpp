#include "frmServerConsole.h"

#include "DifferencesView.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

constexpr qsizetype MaxHistory = 100;

QTextCharFormat formatOf(ConsoleLineKind kind) {
    QTextCharFormat format;
    if (kind == ConsoleLineKind::Error) {
        format.setForeground(QColor(0xb0, 0x00, 0x20));
        format.setFontWeight(QFont::Bold);
    } else if (kind == ConsoleLineKind::Warning) {
        format.setForeground(QColor(0x8a, 0x5a, 0x00));
    }
    return format;
}

} // namespace

frmServerConsole::frmServerConsole(ServerRunner &runner, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_runner(runner) {
    setObjectName(QStringLiteral("frmServerConsole"));
    setWindowTitle(QStringLiteral("Kestrune - Server Console"));

    lblState = new QLabel(this);
    lblState->setObjectName(QStringLiteral("lblState"));
    lblState->setTextFormat(Qt::PlainText);
    lblState->setWordWrap(true);

    txtConsole = new QPlainTextEdit(this);
    txtConsole->setObjectName(QStringLiteral("txtConsole"));
    txtConsole->setAccessibleName(QStringLiteral("Server console"));
    txtConsole->setReadOnly(true);
    txtConsole->setUndoRedoEnabled(false);
    txtConsole->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtConsole->setMaximumBlockCount(ScrollbackLines);
    txtConsole->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *lblCommand = new QLabel(QStringLiteral("Co&mmand:"), this);
    txtCommand = new QLineEdit(this);
    txtCommand->setObjectName(QStringLiteral("txtCommand"));
    lblCommand->setBuddy(txtCommand);
    txtCommand->installEventFilter(this);

    cmdStop = new QPushButton(QStringLiteral("S&top Server"), this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdCompare = new QPushButton(QStringLiteral("C&ompare with File"), this);
    cmdCompare->setObjectName(QStringLiteral("cmdCompare"));
    lblCompared = new QLabel(this);
    lblCompared->setObjectName(QStringLiteral("lblCompared"));
    lblCompared->setTextFormat(Qt::PlainText);
    lblCompared->setWordWrap(true);
    lstDifferences = new DifferencesView(this);
    lstDifferences->hide();

    auto *commandRow = new QHBoxLayout;
    commandRow->addWidget(lblCommand);
    commandRow->addWidget(txtCommand, 1);
    commandRow->addWidget(cmdStop);
    commandRow->addWidget(cmdCompare);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblState);
    layout->addWidget(txtConsole, 3);
    layout->addLayout(commandRow);
    layout->addWidget(lblCompared);
    layout->addWidget(lstDifferences, 1);
    resize(760, 520);

    m_flush.setSingleShot(true);
    m_flush.setInterval(FlushMs);
    connect(&m_flush, &QTimer::timeout, this, &frmServerConsole::flush);
    connect(txtCommand, &QLineEdit::returnPressed, this, &frmServerConsole::txtCommand_Return);
    connect(cmdStop, &QPushButton::clicked, &m_runner, &ServerRunner::stop);
    connect(cmdCompare, &QPushButton::clicked, this, &frmServerConsole::compareRequested);
}

void frmServerConsole::appendLine(const QString &line, ConsoleLineKind kind) {
    m_pending.append({line, kind});
    if (m_pending.size() > ScrollbackLines) {
        m_skipped += m_pending.size() - ScrollbackLines;
        m_pending.remove(0, m_pending.size() - ScrollbackLines);
    }
    if (!m_flush.isActive())
        m_flush.start();
}

void frmServerConsole::flush() {
    if (m_pending.isEmpty())
        return;
    if (m_skipped > 0) {
        m_pending.prepend({QStringLiteral("(%1 lines skipped: the server printed them faster "
                                          "than they can be shown)")
                               .arg(m_skipped),
                           ConsoleLineKind::Warning});
        m_skipped = 0;
    }
    const qsizetype count = qMin<qsizetype>(m_pending.size(), FlushLines);
    QTextDocument *document = txtConsole->document();
    const bool atEnd =
        txtConsole->verticalScrollBar()->value() == txtConsole->verticalScrollBar()->maximum();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // Runs of lines of one kind go in as one text: far quicker than a block each.
    QString run;
    ConsoleLineKind runKind = m_pending.first().second;
    bool first = document->isEmpty();
    for (qsizetype i = 0; i < count; ++i) {
        const auto &[line, kind] = m_pending.at(i);
        if (kind != runKind) {
            cursor.insertText(run, formatOf(runKind));
            run.clear();
            runKind = kind;
        }
        if (!first)
            run += u'\n';
        first = false;
        run += line;
    }
    cursor.insertText(run, formatOf(runKind));
    cursor.endEditBlock();
    m_pending.remove(0, count);
    if (!m_pending.isEmpty())
        m_flush.start();
    if (atEnd)
        txtConsole->verticalScrollBar()->setValue(txtConsole->verticalScrollBar()->maximum());
}

void frmServerConsole::showEnd(const QString &report) {
    const QStringList lines = report.split(u'\n');
    appendLine(QStringLiteral("== ") + lines.first(), ConsoleLineKind::Error);
    flush();
    setState(lines.first());
}

void frmServerConsole::setState(const QString &state) {
    lblState->setText(state);
}

void frmServerConsole::txtCommand_Return() {
    const QString command = txtCommand->text();
    if (command.trimmed().isEmpty())
        return;
    if (!m_runner.running()) {
        setState(QStringLiteral("No server runs: the command was not sent."));
        return;
    }
    if (!m_runner.send(command)) {
        setState(QStringLiteral("The command is longer than the server reads at once (%1 "
                                "characters): it was not sent.")
                     .arg(ServerRunner::ConsoleReadBytes - 1));
        return;
    }
    appendLine(QStringLiteral("] ") + command, ConsoleLineKind::Plain);
    if (m_history.isEmpty() || m_history.last() != command)
        m_history.append(command);
    if (m_history.size() > MaxHistory)
        m_history.removeFirst();
    m_historyAt = m_history.size();
    txtCommand->clear();
}

// Up and Down walk the commands sent before; below the newest is an empty line.
bool frmServerConsole::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtCommand && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            if (key == Qt::Key_Up && m_historyAt > 0)
                --m_historyAt;
            else if (key == Qt::Key_Down && m_historyAt < m_history.size())
                ++m_historyAt;
            txtCommand->setText(m_historyAt < m_history.size() ? m_history[m_historyAt]
                                                               : QString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
