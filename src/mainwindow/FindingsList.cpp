#include "FindingsList.h"

#include "serverfile/QuakeConsole.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr int kMostRows = 3;
constexpr int kGap = 4;

// The area's text with every paragraph and line separator as a line feed:
// one character each, so positions stay those of the document.
QString checkedText(const QTextDocument *document) {
    QString text = document->toRawText();
    for (QChar &c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

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

    m_area = m_text->geometry();
    m_text->installEventFilter(this);

    connect(m_text, &QPlainTextEdit::textChanged, &m_pending, qOverload<>(&QTimer::start));
    connect(&m_pending, &QTimer::timeout, this, &FindingsList::recheck);
    connect(this, &QListWidget::itemClicked, this, &FindingsList::choose);
    connect(this, &QListWidget::itemActivated, this, &FindingsList::choose);
}

void FindingsList::recheck() {
    const QString text = checkedText(m_text->document());
    m_findings = ConsoleCheck::check(text);
    m_lineStarts.clear();
    for (const QuakeConsole::Line &line : QuakeConsole::lines(text))
        m_lineStarts.append(line.start);

    clear();
    for (const ConsoleCheck::Finding &f : std::as_const(m_findings)) {
        QString label = QStringLiteral("Line %1").arg(f.line + 1);
        if (!f.answer.isEmpty())
            label += QLatin1String(" (") + f.answer + u')';
        auto *item = new QListWidgetItem(label + QLatin1String(": ") + f.message, this);
        item->setToolTip(f.message);
    }
    place();
}

void FindingsList::choose(QListWidgetItem *item) {
    const int index = row(item);
    if (index < 0 || index >= m_findings.size())
        return;
    const ConsoleCheck::Finding &f = m_findings[index];
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(int(m_lineStarts.value(f.line) + f.start));
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    m_text->setFocus(Qt::OtherFocusReason);
}

bool FindingsList::eventFilter(QObject *watched, QEvent *event) {
    // Events of the list's own placing may come late: only a place that the
    // list did not give counts.
    if (watched == m_text && !m_placing && m_text->geometry() != m_textPlace &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        m_area = m_text->geometry();
        if (!isHidden())
            place();
    }
    return QListWidget::eventFilter(watched, event);
}

// Shown, the list takes the bottom of the text area's place.
void FindingsList::place() {
    const QScopedValueRollback placing(m_placing, true);
    if (count() == 0) {
        hide();
        m_textPlace = m_area;
        m_text->setGeometry(m_area);
        return;
    }
    // The first few findings, each wrapped to the width the list gives its text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textWidth = m_area.width() - 2 * frameWidth() -
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) -
                          2 * margin;
    int height = 2 * frameWidth();
    for (int i = 0; i < qMin(count(), kMostRows); ++i)
        height +=
            fontMetrics()
                .boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, item(i)->text())
                .height() +
            2 * margin;
    setGeometry(m_area.left(), m_area.bottom() + 1 - height, m_area.width(), height);
    m_textPlace = m_area.adjusted(0, 0, 0, -(height + kGap));
    m_text->setGeometry(m_textPlace);
    show();
}
