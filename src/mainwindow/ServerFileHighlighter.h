#pragma once

#include "serverfile/ServerFileSyntax.h"

#include <QObject>
#include <QTextCharFormat>
#include <QTextLayout>

#include <array>

class QPlainTextEdit;
class QTextBlock;
class QWidget;

// Colours the server file in a text area by its syntax (ServerFileSyntax).
// Only the lines in view are coloured, as they come into view, so that a
// large file opens as fast as it would plainly. The colours live in the
// lines' layouts: the text, its undo history and the document's change
// signals are never touched.
class ServerFileHighlighter : public QObject {
    Q_OBJECT
public:
    explicit ServerFileHighlighter(QPlainTextEdit *edit);

    // Lines longer than this are left plain: nobody reads them, and their
    // colouring would cost more than the rest of the file.
    static constexpr int kLongestColouredLine = 64 * 1024;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChange(int position, int charsRemoved, int charsAdded);
    void colourLinesInView();
    void colourLine(const QTextBlock &block);
    QList<QTextLayout::FormatRange> formatsFor(const QTextBlock &block);
    ServerFileSyntax::Place placeOf(const QTextBlock &block);
    void chooseColours();

    QPlainTextEdit *m_edit;
    // Kept apart: the text area's viewport still sends events while the text
    // area is being destroyed, when it can no longer be asked for it.
    QWidget *m_viewport;
    // Each line's user state holds the place of the line after it; the states
    // are known for the lines up to and including this one.
    int m_placesKnownThrough = -1;
    int m_firstInView = 0;
    int m_lastInView = 0;
    bool m_colouring = false;
    bool m_viewMoved = false;
    std::array<QTextCharFormat, ServerFileSyntax::KindCount> m_formats; // by kind
};
