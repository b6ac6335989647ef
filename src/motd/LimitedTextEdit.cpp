#include "LimitedTextEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(int maxBytes, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_maxBytes(maxBytes) {}

int LimitedTextEdit::bytesOf(QStringView text) {
    qsizetype bytes = text.size();
    for (const QChar c : text)
        if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++bytes;
    return int(bytes);
}

int LimitedTextEdit::bytesLeft() const {
    return m_maxBytes - bytesOf(toPlainText());
}

int LimitedTextEdit::room() const {
    return bytesLeft() + bytesOf(textCursor().selectedText());
}

qsizetype LimitedTextEdit::fitting(QStringView text, int room) {
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes += text[i] == u'\n' ? 2 : 1;
        if (bytes > room)
            return i;
    }
    return text.size();
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.front().isPrint());
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (inserts && !shortcut && bytesOf(typed) > room()) {
        event->accept(); // refused whole: nothing is inserted, nothing else goes
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent *event) {
    const QString commit = event->commitString();
    if (bytesOf(commit) > room()) {
        const qsizetype fits = fitting(commit, room());
        QInputMethodEvent shortened(event->preeditString(), event->attributes());
        shortened.setCommitString(commit.left(fits), event->replacementStart(),
                                  event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&shortened);
        emit cut(int(commit.size() - fits));
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool LimitedTextEdit::canInsertFromMimeData(const QMimeData *source) const {
    return source->hasText();
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source) {
    QString text = source->text();
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    text.replace(u'\r', u'\n');
    const qsizetype fits = fitting(text, room());
    textCursor().insertText(text.left(fits));
    ensureCursorVisible();
    if (fits < text.size())
        emit cut(int(text.size() - fits));
}
