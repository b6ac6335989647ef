#include "ServerFileReader.h"

#include "GeneratedLines.h"
#include "ServerFileFormat.h"
#include "platform/TextLines.h"
#include "settings/ServerSettings.h"

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
    using GeneratedLines::Field;
    while (const auto line = cursor.next()) {
        // Only three commands are wanted; most lines need no closer look.
        if (!line->contains("weapon") && !line->contains("highscorer"))
            continue;
        const QString text = QString::fromLatin1(*line);
        const GeneratedLines::ParsedLine parsed = GeneratedLines::parse(text);
        if (!parsed.command)
            continue;
        switch (parsed.command->field) {
        case Field::DefaultWeapon:
        case Field::RandomizerType:
            contents.weapon = ServerFileContents::WeaponChoice{
                parsed.command->field == Field::RandomizerType, parsed.value.toString()};
            break;
        case Field::HighScorer:
            contents.highScorer = parsed.value.toString();
            break;
        default:
            break;
        }
    }
    return contents;
}
