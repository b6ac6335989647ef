#pragma once

#include "GeneratedLines.h"
#include "settings/ServerSettings.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Brings a server file written by hand (or by another tool) into the wizard:
// it reads the file as the Quake II console does, takes the answers the
// composer writes from their commands (the last one counting, as in the
// server), and keeps every other line as written.
namespace ServerFileImport {

struct Result {
    ServerSettingsRecord record; // the wizard's first answers, overwritten by the file's
    QStringList keptLines;       // the lines kept as written, in their order
    int answers = 0;             // commands taken as answers
    QStringList notGiven;        // answers the file does not set
    QStringList outsideTables;   // answers kept although no choice of the wizard has them
    QStringList added;           // fixed lines of the composer that the file does not have
    int afterMap = 0;            // kept lines after the map line, which ran when a player entered
    QStringList notABox;         // box answers whose value is none of the box's, kept as written
    QList<const GeneratedLines::Command *>
        leftOut; // not set by the file, with no first answer: no line
};

Result read(QStringView text);

// The composed file with the kept lines before its map line, without the
// lines of the answers left out.
QString compose(const Result &result, const QString &creationTime);

// What happened, in plain words, for the administrator.
QString report(const Result &result, const QString &fileName, qsizetype findings);

} // namespace ServerFileImport
