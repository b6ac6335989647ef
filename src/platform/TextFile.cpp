#include "TextFile.h"

#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace TextFile {
namespace {

// What a file whose size was not as reported is read on by, at a time.
constexpr qint64 kReadChunk = 64 * 1024;

QString shown(const QString &path) {
    return QDir::toNativeSeparators(path);
}

QString readError(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot open \"%1\": %2.").arg(shown(path), reason);
}

QString writeError(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot save \"%1\": %2.").arg(shown(path), reason);
}

} // namespace

ReadResult readBytes(const QString &path, qint64 maxBytes) {
    ReadResult result;
    const QFileInfo info(path);
    if (info.isDir()) {
        result.failure = Failure::Other;
        result.error = readError(path, QStringLiteral("it is a folder, not a file"));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = Failure::Other;
        result.error = readError(path, file.errorString());
        return result;
    }
    if (file.size() > maxBytes) {
        result.failure = Failure::TooLarge;
        result.error =
            readError(path, QStringLiteral("the file is too large (%1 bytes)").arg(file.size()));
        return result;
    }
    // Read what the reported size promises and one byte more, then go on
    // while there is more, never past one byte over the limit: a file that
    // grows meanwhile, or one whose size the system does not report (0), is
    // read whole yet cannot exhaust memory. Asking for the whole limit at
    // once would allocate all of it for every file.
    const qint64 limit = maxBytes + 1;
    result.bytes = file.read(std::min(file.size(), maxBytes) + 1);
    while (result.bytes.size() < limit && file.error() == QFileDevice::NoError) {
        const QByteArray more =
            file.read(std::min<qint64>(limit - result.bytes.size(), kReadChunk));
        if (more.isEmpty())
            break;
        result.bytes += more;
    }
    if (file.error() != QFileDevice::NoError) {
        result.failure = Failure::Other;
        result.error = readError(path, file.errorString());
        result.bytes.clear();
    } else if (result.bytes.size() > maxBytes) {
        result.failure = Failure::TooLarge;
        result.error = readError(path, QStringLiteral("the file is too large"));
        result.bytes.clear();
    }
    return result;
}

QStringList splitLines(const QByteArray &bytes) {
    QStringList lines;
    TextLines cursor(bytes);
    while (const auto line = cursor.next())
        lines.append(QString::fromLatin1(*line));
    return lines;
}

QString unwritableCharacter(const QString &text) {
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; }))
        return {};
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))
            ++line;
        if (c.unicode() > 0xFF) {
            // Show the whole character, also when it takes two UTF-16 units.
            const bool pair = c.isHighSurrogate() && i + 1 < text.size();
            const char32_t code = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
            const QString glyph = pair ? text.mid(i, 2) : QString(c);
            const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, u'0');
            return QStringLiteral("the character \"%1\" (U+%2) on line %3 cannot be written as "
                                  "single-byte text")
                .arg(glyph, hex)
                .arg(line);
        }
    }
    return {};
}

namespace {

// The bytes as they are, through a temporary file that replaces the target
// only when it is complete.
WriteResult writeBytes(const QString &path, const QByteArray &bytes) {
    if (QFileInfo(path).isDir())
        return {writeError(path, QStringLiteral("it is a folder, not a file"))};
    QSaveFile file(path);
    // Unbuffered: QSaveFile does not notice a write that fails while its
    // buffer is flushed at commit (a full disk), and would then put an empty
    // file in place of the old one and report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {writeError(path, file.errorString())};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {writeError(path, reason)};
    }
    if (!file.commit())
        return {writeError(path, file.errorString())};
    return {};
}

} // namespace

WriteResult write(const QString &path, const QString &text) {
    if (const QString bad = unwritableCharacter(text); !bad.isEmpty())
        return {writeError(path, bad)};
    return writeBytes(path, text.toLatin1());
}

WriteResult writeLines(const QString &path, const QStringList &lines) {
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    // Straight into single-byte text: no joined copy of the whole list, which
    // for a long maplist was most of the time a save took.
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (const QString &line : lines) {
        const char16_t *in = QStringView(line).utf16();
        char16_t seen = 0; // every code unit or-ed: above 0xFF when any one is
        for (qsizetype i = 0; i < line.size(); ++i) {
            seen |= in[i];
            out[i] = char(in[i]);
        }
        if (seen > 0xFF) // the message names the character and its line
            return write(path, lines.join(QLatin1StringView("\r\n")));
        out += line.size();
        *out++ = '\r';
        *out++ = '\n';
    }
    return writeBytes(path, bytes);
}

bool folderExists(const QString &path) {
    return QFileInfo(path).isDir();
}

} // namespace TextFile
