#include "ServerFileHighlighter.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextDocument>

using ServerFileSyntax::Kind;
using ServerFileSyntax::Place;

namespace {

// A line of the text area may hold line separators (Shift+Enter): each part
// is a line of its own in the saved file.
QList<QStringView> fileLines(const QString &text) {
    return QStringView(text).split(QChar::LineSeparator);
}
// The views point into the text, so it must outlive them.
QList<QStringView> fileLines(QString &&) = delete;

} // namespace

ServerFileHighlighter::ServerFileHighlighter(QPlainTextEdit *edit)
    : QObject(edit)
    , m_edit(edit)
    , m_viewport(edit->viewport()) {
    chooseColours();
    m_edit->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_edit->document(), &QTextDocument::contentsChange, this,
            &ServerFileHighlighter::contentsChange);
    // Every scroll and repaint: lines that came into view get coloured.
    connect(m_edit, &QPlainTextEdit::updateRequest, this,
            &ServerFileHighlighter::colourLinesInView);
}

// Colours readable on the palette's base, light or dark.
void ServerFileHighlighter::chooseColours() {
    const bool dark = m_edit->palette().color(QPalette::Base).lightness() < 128;
    const auto colour = [&](Kind kind, const char *onLight, const char *onDark) {
        m_formats[int(kind)].setForeground(QColor(QLatin1StringView(dark ? onDark : onLight)));
    };
    colour(Kind::RawCode, "#7a7a7a", "#8c8c8c");
    colour(Kind::Comment, "#2e7d32", "#7cc47f");
    colour(Kind::Command, "#1f4fa8", "#7fa8f0");
    colour(Kind::Variable, "#7b2f9e", "#c792ea");
    colour(Kind::Value, "#8a4b08", "#e0a060");
    colour(Kind::String, "#b3261e", "#f28b82");
}

bool ServerFileHighlighter::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_edit && event->type() == QEvent::PaletteChange) {
        chooseColours();
        colourLinesInView();
    } else if (watched == m_viewport && event->type() == QEvent::Resize) {
        // A taller view shows more lines without a scroll; they are known
        // once the text area has handled the resize.
        QMetaObject::invokeMethod(this, &ServerFileHighlighter::colourLinesInView,
                                  Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

// The changed lines in view are coloured at once, inside the change, so that
// no frame shows them in their old colours; the places after them are
// worked out again when needed.
void ServerFileHighlighter::contentsChange(int position, int, int charsAdded) {
    const QTextDocument *document = m_edit->document();
    const int first = document->findBlock(position).blockNumber();
    m_placesKnownThrough = std::min(m_placesKnownThrough, first - 1);
    const int end = std::min(position + charsAdded, document->characterCount() - 1);
    const int last = document->findBlock(end).blockNumber();
    for (int number = std::max(first, m_firstInView); number <= std::min(last, m_lastInView);
         ++number)
        colourLine(document->findBlockByNumber(number));
}

void ServerFileHighlighter::colourLinesInView() {
    // Colouring relayouts lines, and a relayout can move the view and ask
    // for this again: then the view is looked at once more.
    if (m_colouring) {
        m_viewMoved = true;
        return;
    }
    m_colouring = true;
    const auto done = qScopeGuard([this] { m_colouring = false; });
    for (int round = 0; round < 4; ++round) {
        m_viewMoved = false;
        const QRect view = m_edit->viewport()->rect();
        QTextBlock block = m_edit->cursorForPosition(view.topLeft()).block();
        const QTextBlock last = m_edit->cursorForPosition(view.bottomLeft()).block();
        m_firstInView = block.blockNumber();
        m_lastInView = last.blockNumber();
        for (; block.isValid() && block.blockNumber() <= m_lastInView; block = block.next())
            colourLine(block);
        if (!m_viewMoved)
            break;
    }
}

void ServerFileHighlighter::colourLine(const QTextBlock &block) {
    QTextLayout *layout = block.layout();
    if (!layout)
        return;
    QList<QTextLayout::FormatRange> wanted = formatsFor(block);
    // Text that an input method is composing shows inside the line but is
    // not yet part of it: the colours move past it, and its own formats stay.
    const int composedAt = layout->preeditAreaPosition();
    const int composedLength = int(layout->preeditAreaText().size());
    if (composedLength > 0) {
        for (QTextLayout::FormatRange &range : wanted) {
            if (range.start >= composedAt)
                range.start += composedLength;
            else if (range.start + range.length > composedAt)
                range.length += composedLength;
        }
        for (const QTextLayout::FormatRange &range : layout->formats()) {
            if (range.start >= composedAt &&
                range.start + range.length <= composedAt + composedLength)
                wanted.append(range);
        }
    }
    if (layout->formats() == wanted)
        return;
    layout->setFormats(wanted);
    // Outside an edit this relayouts the line alone, without change signals;
    // the range stops short of the line's end so that the next line is kept.
    m_edit->document()->markContentsDirty(block.position(), std::max(1, block.length() - 1));
}

QList<QTextLayout::FormatRange> ServerFileHighlighter::formatsFor(const QTextBlock &block) {
    QList<QTextLayout::FormatRange> formats;
    if (block.length() > kLongestColouredLine)
        return formats;
    const QString text = block.text();
    Place place = placeOf(block);
    int offset = 0;
    for (const QStringView line : fileLines(text)) {
        for (const ServerFileSyntax::Span &span : ServerFileSyntax::spans(line, place))
            formats.append({offset + int(span.start), int(span.length), m_formats[int(span.kind)]});
        place = ServerFileSyntax::nextPlace(line, place);
        offset += int(line.size()) + 1;
    }
    return formats;
}

// The place of a line follows from the lines before it; the places are
// worked out forward from the last one known, and kept in the lines.
Place ServerFileHighlighter::placeOf(const QTextBlock &block) {
    const int number = block.blockNumber();
    if (number == 0)
        return Place::FirstLine;
    if (m_placesKnownThrough < number - 1) {
        QTextBlock known = m_edit->document()->findBlockByNumber(m_placesKnownThrough + 1);
        Place place =
            known.blockNumber() == 0 ? Place::FirstLine : Place(known.previous().userState());
        for (; known.isValid() && known.blockNumber() < number; known = known.next()) {
            const QString text = known.text();
            for (const QStringView line : fileLines(text))
                place = ServerFileSyntax::nextPlace(line, place);
            known.setUserState(int(place));
        }
        m_placesKnownThrough = number - 1;
    }
    return Place(block.previous().userState());
}
