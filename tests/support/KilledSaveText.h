#pragma once

#include <QString>

// The two versions of the large text that the killed-save test and its child
// process write in turn: every line names its version and its number, so a
// file that mixes the two, or stops short, matches neither.
namespace KilledSave {

inline constexpr int LineCount = 80000; // about 4 MiB

inline QString text(QChar version) {
    QString out;
    out.reserve(qsizetype(LineCount) * 52);
    for (int i = 0; i < LineCount; ++i) {
        out += QStringLiteral("version %1, line %2 of the large server file text\r\n")
                   .arg(version)
                   .arg(i, 6, 10, QLatin1Char('0'));
    }
    return out;
}

} // namespace KilledSave
