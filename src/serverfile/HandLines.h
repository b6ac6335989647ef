#pragma once

#include <QString>
#include <QStringView>

// Regenerating a server file keeps what the administrator wrote by hand.
namespace HandLines {

struct Regenerated {
    QString text;
    int kept = 0;     // hand-written lines carried into the new text
    int replaced = 0; // generated lines changed by hand, now as the answers say again
};

// Carries every line of `current` that the composer does not write (outside
// the raw-code block, not one of its commands or comment lines, not empty)
// into the freshly `composed` text, in their order, just before its map line,
// so that settings the server latches take effect when the map starts.
// `programText` is the text as the program last put it there (composed or
// opened): a generated command that differs from all of its lines was changed
// by hand.
Regenerated keep(QStringView current, QStringView composed, QStringView programText);

// The composed text with the given lines just before its map line.
QString insertBeforeMap(QStringView composed, const QStringList &lines);

// What happened, for the main window's status line; empty when nothing did.
QString summary(const Regenerated &regenerated);

} // namespace HandLines
