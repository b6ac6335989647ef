#include "ServerFileReader.h"

#include "GeneratedLines.h"
#include "ServerFileFormat.h"
#include "platform/TextLines.h"

#include <QByteArrayMatcher>

#include <algorithm>
#include <vector>

namespace {

// The lines from `from` on that hold one of the words, in order and each once.
std::vector<QByteArrayView> linesHolding(QByteArrayView bytes, qsizetype from,
                                         std::initializer_list<const char *> words) {
    std::vector<QByteArrayView> lines;
    for (const char *word : words) {
        const QByteArrayMatcher matcher(word);
        for (qsizetype at = matcher.indexIn(bytes, from); at >= 0;) {
            qsizetype start = at;
            while (start > from && bytes[start - 1] != '\r' && bytes[start - 1] != '\n')
                --start;
            lines.push_back(*TextLines(bytes.sliced(start)).next());
            at = matcher.indexIn(bytes, start + lines.back().size());
        }
    }
    const auto byPlace = [](QByteArrayView a, QByteArrayView b) { return a.data() < b.data(); };
    const auto samePlace = [](QByteArrayView a, QByteArrayView b) { return a.data() == b.data(); };
    std::sort(lines.begin(), lines.end(), byPlace);
    lines.erase(std::unique(lines.begin(), lines.end(), samePlace), lines.end());
    return lines;
}

} // namespace

std::optional<ServerFileContents> readServerFile(QByteArrayView bytes) {
    TextLines cursor(bytes);
    const auto first = cursor.next();
    if (!first || QLatin1StringView(*first) != ServerFileFormat::Marker)
        return std::nullopt;

    QStringList values;
    values.reserve(RawCode::FieldCount);
    for (int i = 0; i < RawCode::FieldCount; ++i) {
        const auto line = cursor.next();
        if (!line || line->size() < 2)
            return std::nullopt;
        values.append(QString::fromLatin1(line->sliced(2)));
    }
    ServerFileContents contents{QString::fromLatin1(bytes), values, {}, {}};
    using S = ServerSettingsRecord;
    // Only three commands are wanted: the lines that name them are found by
    // searching the rest of the file, not by looking into every line.
    for (const QByteArrayView line :
         linesHolding(bytes, cursor.position(), {"weapon", "highscorer"})) {
        const QString text = QString::fromLatin1(line);
        const GeneratedLines::ParsedLine parsed = GeneratedLines::parse(text);
        if (!parsed.command)
            continue;
        const bool randomizer = parsed.command->holds(&S::RandomizerType);
        if (randomizer || parsed.command->holds(&S::DefaultWeapon))
            contents.weapon = ServerFileContents::WeaponChoice{randomizer, parsed.value.toString()};
        else if (parsed.command->holds(&S::HighScorerLine))
            contents.highScorer = parsed.value.toString();
    }
    return contents;
}
