#include "DocumentText.h"

#include <QTextDocument>

QString documentText(const QTextDocument *document, QStringView lineEnd) {
    const auto separator = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    QString text = document->toRawText();
    if (lineEnd.size() == 1) { // in place: positions stay those of the document
        for (QChar &c : text)
            if (separator(c))
                c = lineEnd.front();
        return text;
    }
    QString out;
    out.reserve(text.size() + document->blockCount() * (lineEnd.size() - 1));
    for (const QChar c : text) {
        if (separator(c))
            out += lineEnd;
        else
            out += c;
    }
    return out;
}
