// Colours arbitrary text as the main window does: line after line, with each
// line's place in the raw-code block carried to the next.

#include "FuzzCheck.h"
#include "platform/TextFile.h"
#include "serverfile/ServerFileSyntax.h"

#include <cstddef>
#include <cstdint>

using namespace ServerFileSyntax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Place place = Place::FirstLine;
    for (const QString &line : TextFile::splitLines(bytes)) {
        qsizetype end = 0;
        for (const Span &span : spans(line, place)) {
            // In order, never empty, never overlapping, inside the line.
            FUZZ_CHECK(span.start >= end && span.length > 0);
            end = span.start + span.length;
            FUZZ_CHECK(end <= line.size());
            FUZZ_CHECK(int(span.kind) >= 0 && int(span.kind) < KindCount);
            if (span.kind == Kind::RawCode)
                FUZZ_CHECK(span.start == 0 && place != Place::AfterRawCode);
        }
        const Place next = nextPlace(line, place);
        // Once past the block, never back in it.
        FUZZ_CHECK(place != Place::AfterRawCode || next == Place::AfterRawCode);
        FUZZ_CHECK(next != Place::FirstLine);
        place = next;
    }
    return 0;
}
