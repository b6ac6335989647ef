#include "FindingsList.h"

#include "DocumentText.h"
#include "serverfile/QuakeConsole.h"

#include <QPlainTextEdit>
#include <QPromise>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QThreadPool>

#include <memory>

namespace {

constexpr int kMostRows = 3;

} // namespace

FindingsList::FindingsList(QPlainTextEdit *text, QWidget *parent)
    : QListWidget(parent)
    , m_text(text) {
    setObjectName(QStringLiteral("lstFindings"));
    setAccessibleName(QStringLiteral("What the server will do differently"));
    setToolTip(QStringLiteral("Where the Quake II server will not do what the text says; "
                              "choose one to go to its line"));
    setAccessibleDescription(toolTip()); // a list does not offer its tooltip by itself
    // Each finding wraps to the list's width, so that it reads whole.
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hide();
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);

    // The text may be there already: check it once, as after a change.
    m_pending.start();
    connect(m_text, &QPlainTextEdit::textChanged, &m_pending, qOverload<>(&QTimer::start));
    connect(&m_pending, &QTimer::timeout, this, &FindingsList::recheck);
    connect(&m_checking, &QFutureWatcher<Checked>::resultReadyAt, this,
            [this](int index) { present(m_checking.resultAt(index)); });
    connect(this, &QListWidget::itemClicked, this, &FindingsList::choose);
    connect(this, &QListWidget::itemActivated, this, &FindingsList::choose);
}

// The check of a large text takes a while: it runs on a worker thread, and
// only the answer for the latest text is shown.
void FindingsList::recheck() {
    auto promise = std::make_shared<QPromise<Checked>>();
    m_checking.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, text = documentText(m_text->document(), u"\n")] {
        promise->start();
        Checked checked;
        checked.findings = ConsoleCheck::check(text);
        for (const QuakeConsole::Line &line : QuakeConsole::lines(text))
            checked.lineStarts.append(line.start);
        if (RawCodeForm::hasBlock(text))
            checked.formBreak = RawCodeForm::firstBreak(text);
        promise->addResult(std::move(checked));
        promise->finish();
    });
}

void FindingsList::present(const Checked &checked) {
    m_findings = checked.findings;
    m_lineStarts = checked.lineStarts;
    m_break = checked.formBreak;

    clear();
    if (m_break) {
        const QString message = QStringLiteral("Open will refuse this file: ") + m_break->message;
        auto *item = new QListWidgetItem(
            QStringLiteral("Line %1: %2").arg(m_break->line + 1).arg(message), this);
        item->setToolTip(message);
    }
    for (const ConsoleCheck::Finding &f : std::as_const(m_findings)) {
        QString label = QStringLiteral("Line %1").arg(f.line + 1);
        if (!f.answer.isEmpty())
            label += QLatin1String(" (") + f.answer + u')';
        auto *item = new QListWidgetItem(label + QLatin1String(": ") + f.message, this);
        item->setToolTip(f.message);
    }
    setVisible(count() > 0);
    updateGeometry();
}

void FindingsList::choose(QListWidgetItem *item) {
    int index = row(item);
    qsizetype position = 0;
    if (m_break && index == 0) {
        position = m_lineStarts.value(m_break->line, m_lineStarts.constLast());
    } else {
        index -= m_break ? 1 : 0;
        if (index < 0 || index >= m_findings.size())
            return;
        const ConsoleCheck::Finding &f = m_findings[index];
        position = m_lineStarts.value(f.line) + f.start;
    }
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(int(qMin(position, qsizetype(m_text->document()->characterCount() - 1))));
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    m_text->setFocus(Qt::OtherFocusReason);
}

QSize FindingsList::sizeHint() const {
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textWidth = qMax(1, viewport()->width() - 2 * margin);
    int height = 2 * frameWidth();
    for (int i = 0; i < qMin(count(), kMostRows); ++i)
        height +=
            fontMetrics()
                .boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, item(i)->text())
                .height() +
            2 * margin;
    return {QListWidget::sizeHint().width(), height};
}
