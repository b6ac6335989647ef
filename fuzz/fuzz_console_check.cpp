// Checks arbitrary text as the main window does: the bytes as Latin-1, one
// character each.

#include "FuzzCheck.h"
#include "serverfile/ConsoleCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = text.split(u'\n');
    const QList<ConsoleCheck::Finding> findings = ConsoleCheck::check(text);
    for (const ConsoleCheck::Finding &f : findings) {
        // Each finding inside its line, with something to say.
        FUZZ_CHECK(f.line >= 0 && f.line < lines.size());
        FUZZ_CHECK(f.start >= 0 && f.length >= 0);
        FUZZ_CHECK(f.start + f.length <= lines[f.line].size());
        FUZZ_CHECK(!f.message.isEmpty());
    }
    // Checking again gives the same findings.
    FUZZ_CHECK(ConsoleCheck::check(text) == findings);
    return 0;
}
