#include "HandLines.h"

#include "GeneratedLines.h"
#include "QuakeConsole.h"
#include "ServerFileFormat.h"

#include <QList>
#include <QSet>

namespace HandLines {

namespace {

// The lines as the server reads them.
QList<QStringView> splitLines(QStringView text) {
    QList<QStringView> lines;
    for (const QuakeConsole::Line &line : QuakeConsole::lines(text))
        lines.append(line.text);
    return lines;
}

// The raw-code block, as the first and the last of its lines: it runs from
// the marker to its end line, never longer than the lines the composer
// writes. Lines typed above it do not hide it; a block whose marker was
// edited is still known by its end line in its place.
std::pair<qsizetype, qsizetype> rawCodeBlock(const QList<QStringView> &lines) {
    constexpr qsizetype BlockLines = RawCode::BlockLines;
    const qsizetype marker = lines.indexOf(ServerFileFormat::Marker);
    if (marker < 0) {
        const bool ended =
            lines.size() >= BlockLines && lines[BlockLines - 1] == ServerFileFormat::RawCodeEnd;
        return ended ? std::pair<qsizetype, qsizetype>{0, BlockLines - 1}
                     : std::pair<qsizetype, qsizetype>{-1, -1};
    }
    const qsizetype last = qMin(lines.size(), marker + BlockLines) - 1;
    for (qsizetype i = marker + 1; i <= last; ++i)
        if (lines[i] == ServerFileFormat::RawCodeEnd)
            return {marker, i};
    return {marker, last};
}

// The composer's map line; without one (an import may leave it out), the
// place it would have: after the last command, before the empty line and the
// end line.
qsizetype mapLineOf(const QList<QStringView> &lines) {
    const QLatin1StringView map =
        GeneratedLines::commandFor(&ServerSettingsRecord::InitialMap).word;
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        if (lines[i].startsWith(map) && lines[i].sliced(map.size()).startsWith(u' '))
            return i;
    return qMax<qsizetype>(0, lines.size() - 2);
}

} // namespace

Regenerated keep(QStringView current, QStringView composed, QStringView programText) {
    const QList<QStringView> newLines = splitLines(composed);
    QSet<QStringView> before;
    for (QStringView line : splitLines(programText))
        before.insert(line);
    QSet<QStringView> after(newLines.cbegin(), newLines.cend());

    Regenerated result;
    QList<QStringView> handLines;
    const QList<QStringView> oldLines = splitLines(current);
    const auto [blockFirst, blockLast] = rawCodeBlock(oldLines);
    for (qsizetype i = 0; i < oldLines.size(); ++i) {
        if (i >= blockFirst && i <= blockLast)
            continue;
        const QStringView line = oldLines[i];
        if (!GeneratedLines::isGenerated(line)) {
            handLines.append(line);
        } else if (GeneratedLines::commandOf(line) && !before.contains(line) &&
                   !after.contains(line)) {
            ++result.replaced;
        }
    }
    result.kept = int(handLines.size());

    QStringList kept;
    for (QStringView line : handLines)
        kept.append(line.toString());
    result.text = insertBeforeMap(composed, kept);
    return result;
}

QString insertBeforeMap(QStringView composed, const QStringList &lines) {
    const QList<QStringView> newLines = splitLines(composed);
    const qsizetype mapLine = mapLineOf(newLines);
    const QLatin1StringView breakText = ServerFileFormat::LineBreak;
    QString text;
    text.reserve(composed.size() + lines.size() * 32);
    for (qsizetype i = 0; i < newLines.size(); ++i) {
        if (i == mapLine)
            for (const QString &line : lines)
                text.append(line).append(breakText);
        text.append(newLines[i]);
        if (i + 1 < newLines.size())
            text.append(breakText);
    }
    return text;
}

QString summary(const Regenerated &r) {
    QStringList parts;
    if (r.kept > 0)
        parts.append(r.kept == 1 ? QStringLiteral("1 hand-written line kept")
                                 : QStringLiteral("%1 hand-written lines kept").arg(r.kept));
    if (r.replaced > 0)
        parts.append(
            r.replaced == 1
                ? QStringLiteral("1 hand change to a generated line replaced")
                : QStringLiteral("%1 hand changes to generated lines replaced").arg(r.replaced));
    return parts.join(QStringLiteral("; "));
}

} // namespace HandLines
