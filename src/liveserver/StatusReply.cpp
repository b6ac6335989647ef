#include "StatusReply.h"

#include "OutOfBand.h"

QString networkText(QByteArrayView bytes, qsizetype limit, bool lines) {
    QString out;
    out.reserve(qMin(bytes.size(), limit));
    for (const char byte : bytes.first(qMin(bytes.size(), limit))) {
        const uchar c = uchar(byte) & 0x7f;
        const bool kept = (c >= 0x20 && c != 0x7f) || (lines && c == '\n');
        out += kept ? QChar(c) : u'?';
    }
    return out;
}

QString StatusReply::value(QStringView key) const {
    for (const auto &[k, v] : info)
        if (k == key)
            return v;
    return QString();
}

QString StatusReply::game() const {
    const QString dir = value(u"gamedir");
    return dir.isEmpty() ? value(u"gamename") : dir;
}

namespace {

// "frags ping "name"", as the server writes each player.
bool readPlayer(QByteArrayView line, StatusPlayer &player, bool &cut) {
    const qsizetype firstBlank = line.indexOf(' ');
    const qsizetype secondBlank = firstBlank < 0 ? -1 : line.indexOf(' ', firstBlank + 1);
    if (secondBlank < 0)
        return false;
    bool fragsOk = false;
    bool pingOk = false;
    const int frags = line.first(firstBlank).toInt(&fragsOk);
    const int ping = line.sliced(firstBlank + 1, secondBlank - firstBlank - 1).toInt(&pingOk);
    QByteArrayView name = line.sliced(secondBlank + 1);
    if (!fragsOk || !pingOk || name.size() < 2 || !name.startsWith('"') || !name.endsWith('"'))
        return false;
    name = name.sliced(1, name.size() - 2);
    cut = cut || name.size() > StatusReply::MaxNameLength;
    player = {frags, ping, networkText(name, StatusReply::MaxNameLength)};
    return true;
}

} // namespace

StatusReply parseStatusReply(QByteArrayView datagram) {
    StatusReply reply;
    if (datagram.size() > OutOfBand::MaxDatagram) {
        reply.error = QStringLiteral("The answer is larger than any a Quake II server sends.");
        return reply;
    }
    const std::optional<QByteArray> text = OutOfBand::printText(datagram);
    if (!text || !text->startsWith('\\')) {
        reply.error = QStringLiteral("The answer is not a Quake II status answer.");
        return reply;
    }
    QByteArrayView rest(*text);
    // A complete answer ends each line, the last one too, with a line feed.
    reply.truncated = !rest.endsWith('\n');
    if (!reply.truncated)
        rest.chop(1);
    const qsizetype infoEnd = rest.indexOf('\n');
    QByteArrayView infoString = infoEnd < 0 ? rest : rest.first(infoEnd);
    rest = infoEnd < 0 ? QByteArrayView() : rest.sliced(infoEnd + 1);

    // \key\value\key\value...
    infoString = infoString.sliced(1);
    while (!infoString.isEmpty()) {
        const qsizetype keyEnd = infoString.indexOf('\\');
        const QByteArrayView key = keyEnd < 0 ? infoString : infoString.first(keyEnd);
        QByteArrayView value;
        if (keyEnd < 0) {
            infoString = {};
        } else {
            infoString = infoString.sliced(keyEnd + 1);
            const qsizetype valueEnd = infoString.indexOf('\\');
            value = valueEnd < 0 ? infoString : infoString.first(valueEnd);
            infoString = valueEnd < 0 ? QByteArrayView() : infoString.sliced(valueEnd + 1);
        }
        if (reply.info.size() == StatusReply::MaxKeys || key.size() > StatusReply::MaxKeyLength ||
            value.size() > StatusReply::MaxValueLength) {
            reply.truncated = true;
            continue;
        }
        if (!key.isEmpty())
            reply.info.append({networkText(key, StatusReply::MaxKeyLength),
                               networkText(value, StatusReply::MaxValueLength)});
    }

    while (!rest.isEmpty()) {
        const qsizetype lineEnd = rest.indexOf('\n');
        const QByteArrayView line = lineEnd < 0 ? rest : rest.first(lineEnd);
        rest = lineEnd < 0 ? QByteArrayView() : rest.sliced(lineEnd + 1);
        StatusPlayer player;
        if (reply.players.size() == StatusReply::MaxPlayers ||
            !readPlayer(line, player, reply.truncated)) {
            reply.truncated = true;
            continue;
        }
        reply.players.append(player);
    }
    return reply;
}
