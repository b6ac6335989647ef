// Splits arbitrary bytes into lines, as the maplist editor does when it opens
// a maplist file.

#include "FuzzCheck.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TextFile::splitLines(bytes);

    QByteArray withoutLineEnds = bytes;
    withoutLineEnds.replace('\r', QByteArray()).replace('\n', QByteArray());
    QString joined;
    QString concatenated;
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        concatenated += line;
        // Each line followed by CR LF, as the maplist editor writes them.
        joined += line + QStringLiteral("\r\n");
    }
    // Only the line ends go; every other byte stays, in order.
    FUZZ_CHECK(concatenated == QString::fromLatin1(withoutLineEnds));
    FUZZ_CHECK(TextFile::splitLines(joined.toLatin1()) == lines);
    // No line is made up: an empty file has none, any other at least one.
    FUZZ_CHECK(lines.isEmpty() == bytes.isEmpty());
    return 0;
}
