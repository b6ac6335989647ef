#include "ServerFileReader.h"

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
    return ServerFileContents{QString::fromLatin1(bytes), values};
}
