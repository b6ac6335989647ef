// Reads a server file from arbitrary bytes, as File, Open does with whatever
// another tool left on the disk.

#include "FuzzCheck.h"
#include "platform/TextFile.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileFormat.h"
#include "serverfile/ServerFileReader.h"
#include "settings/ServerSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto read = readServerFile(bytes);
    if (!read)
        return 0;

    FUZZ_CHECK(read->rawValues.size() == RawCode::FieldCount);
    FUZZ_CHECK(read->text == QString::fromLatin1(bytes));

    // The first line is the marker, nothing before or after it.
    const QByteArrayView marker(ServerFileFormat::Marker.data(), ServerFileFormat::Marker.size());
    FUZZ_CHECK(bytes.startsWith(marker));
    FUZZ_CHECK(bytes.size() == marker.size() || bytes[marker.size()] == '\r' ||
               bytes[marker.size()] == '\n');

    // Each value is its line less the first two characters, by position.
    const QStringList lines = TextFile::splitLines(bytes.toByteArray());
    FUZZ_CHECK(lines.size() > RawCode::FieldCount);
    for (int i = 0; i < RawCode::FieldCount; ++i)
        FUZZ_CHECK(read->rawValues[i] == lines[i + 1].mid(2));

    // What was restored is written back into a new file unchanged.
    ServerSettingsRecord record;
    RawCode::restore(record, read->rawValues);
    FUZZ_CHECK(RawCode::values(record) == read->rawValues);
    const auto again = readServerFile(composeServerFile(record, QStringLiteral("T")).toLatin1());
    FUZZ_CHECK(again && again->rawValues == read->rawValues);
    return 0;
}
