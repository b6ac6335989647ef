#include "WholeTextReplacement.h"

#include <QAbstractUndoItem>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The document runs its undo and redo steps with its own history switched
// off, so what a step changes here is not recorded again.
class WholeTextStep : public QAbstractUndoItem {
public:
    WholeTextStep(QTextDocument *document, QString before, QString after)
        : m_document(document)
        , m_before(std::move(before))
        , m_after(std::move(after)) {}

    void undo() override { put(m_before); }
    void redo() override { put(m_after); }

private:
    void put(const QString &text) {
        QTextCursor cursor(m_document);
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
    }

    QTextDocument *m_document;
    QString m_before; // as the document holds it: lines apart by U+2029
    QString m_after;
};

} // namespace

void replaceWholeText(QTextDocument *document, const QString &text) {
    QString before = document->toRawText();
    document->setPlainText(text); // leaves the history empty
    document->appendUndoItem(new WholeTextStep(document, std::move(before), text));
}
