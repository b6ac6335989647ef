#pragma once

#include <QString>

class QTextDocument;

// A text area's text with each paragraph and line separator of its document
// as the given line end.
QString documentText(const QTextDocument *document, QStringView lineEnd);
