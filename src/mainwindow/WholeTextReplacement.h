#pragma once

#include <QString>

class QTextDocument;

// Puts a new text in place of a document's whole text as one step of its
// history: undo brings back the text that was there, redo the new one. The
// history before the replacement goes, so that a run of large openings does
// not pile up their texts.
//
// The step keeps both texts whole instead of recording the removal of every
// old line, which cost as much again as putting in the new text.
void replaceWholeText(QTextDocument *document, const QString &text);
