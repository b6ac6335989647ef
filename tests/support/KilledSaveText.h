#pragma once

#include <QString>

// The two versions of the large text that the killed-save test and its child
// process write in turn: every line names its version and its number, so a
// file that mixes the two, or stops short, matches neither.
namespace KilledSave {

inline constexpr int LineCount = 80000; // about 4 MiB

inline QString text(QChar version) {
    // Filled in place: the child composes it in every round, also in the
    // sanitizer build, so it must be quick.
    static constexpr char16_t Line[] = u"version ?, line 000000 of the large server file text\r\n";
    constexpr qsizetype Length = sizeof(Line) / sizeof(Line[0]) - 1;
    constexpr qsizetype VersionAt = 8, DigitsAt = 16, Digits = 6;
    QString out(LineCount * Length, Qt::Uninitialized);
    QChar *p = out.data();
    for (int i = 0; i < LineCount; ++i, p += Length) {
        for (qsizetype c = 0; c < Length; ++c)
            p[c] = QChar(Line[c]);
        p[VersionAt] = version;
        for (int n = i, d = Digits - 1; d >= 0; --d, n /= 10)
            p[DigitsAt + d] = QChar(u'0' + n % 10);
    }
    return out;
}

} // namespace KilledSave
