// Reads any datagram as a status answer, as the status window does.

#include "FuzzCheck.h"
#include "liveserver/StatusReply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    const StatusReply reply = parseStatusReply(datagram);
    // Either an answer within the limits or a refusal with words, never both.
    FUZZ_CHECK(reply.ok() || (reply.info.isEmpty() && reply.players.isEmpty()));
    FUZZ_CHECK(reply.info.size() <= StatusReply::MaxKeys);
    FUZZ_CHECK(reply.players.size() <= StatusReply::MaxPlayers);
    for (const auto &[key, value] : reply.info) {
        FUZZ_CHECK(!key.isEmpty() && key.size() <= StatusReply::MaxKeyLength);
        FUZZ_CHECK(value.size() <= StatusReply::MaxValueLength);
    }
    // Shown as plain text: no control character reaches the window.
    for (const StatusPlayer &player : reply.players) {
        FUZZ_CHECK(player.name.size() <= StatusReply::MaxNameLength);
        for (const QChar c : player.name)
            FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() < 0x7f);
    }
    FUZZ_CHECK(parseStatusReply(datagram).players == reply.players);
    return 0;
}
