#include "ServerFileReader.h"

#include "GeneratedLines.h"
#include "ServerFileFormat.h"
#include "platform/TextLines.h"

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
    while (const auto line = cursor.next()) {
        // Only three commands are wanted; most lines need no closer look.
        if (!line->contains("weapon") && !line->contains("highscorer"))
            continue;
        const QString text = QString::fromLatin1(*line);
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
