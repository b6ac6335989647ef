#include "TextFile.h"

#include "FileSystem.h"
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

// How much of a file is looked at to tell text from UTF-16 or binary.
constexpr qsizetype kTextSample = 64 * 1024;

QString shown(const QString &path) {
    return FileSystem::shown(path);
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
    QFile file;
    if (const QString reason = FileSystem::openRegular(file, path); !reason.isEmpty()) {
        result.failure = Failure::Other;
        result.error = readError(path, reason);
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

QString notText(const QByteArray &bytes) {
    const QByteArrayView sample = QByteArrayView(bytes).first(std::min(bytes.size(), kTextSample));
    if (sample.startsWith("\xFF\xFE") || sample.startsWith("\xFE\xFF"))
        return QStringLiteral("it is UTF-16 text (it starts with a byte-order mark), not "
                              "single-byte text");
    qsizetype evenNuls = 0;
    qsizetype oddNuls = 0;
    qsizetype controls = 0;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        const uchar c = uchar(sample[i]);
        if (c == 0)
            ++(i % 2 ? oddNuls : evenNuls);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v')
            ++controls;
    }
    // UTF-16 of plain text: every other byte NUL, the bytes between not.
    const qsizetype half = sample.size() / 2;
    if (half >= 2 && (std::max(evenNuls, oddNuls) * 10 >= half * 9) &&
        std::min(evenNuls, oddNuls) * 10 < half)
        return QStringLiteral("it is UTF-16 text (every other byte is zero), not single-byte text");
    // A stray NUL or escape is kept; a share over 1 % is no text.
    if (controls * 100 > sample.size())
        return QStringLiteral("it is not a text file (%1 of its first %2 bytes are zero or "
                              "control bytes)")
            .arg(controls)
            .arg(sample.size());
    return {};
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

// A failed step: what failed, and that nothing on disk changed.
WriteResult failedStep(const QString &path, bool existed, const QString &what) {
    return {QStringLiteral("Cannot save \"%1\": %2. %3")
                .arg(shown(path), what,
                     existed ? QStringLiteral("The old file is unchanged.")
                             : QStringLiteral("No file was made."))};
}

// Why the new file could not be made beside the target: the most telling
// reason first, the system's own words last.
WriteResult openFailure(const QString &path, bool existed, const QSaveFile &file) {
    const QString folder = QFileInfo(QFileInfo(path).canonicalFilePath().isEmpty()
                                         ? path
                                         : QFileInfo(path).canonicalFilePath())
                               .absolutePath();
    if (FileSystem::kindOf(folder) != FileSystem::Kind::Folder)
        return failedStep(path, existed,
                          QStringLiteral("the folder \"%1\" does not exist").arg(shown(folder)));
    if (!FileSystem::folderTakesNewFiles(folder))
        return failedStep(path, existed,
                          QStringLiteral("the folder \"%1\" does not allow new files, and a "
                                         "save first writes a new file there")
                              .arg(shown(folder)));
    if (existed && !QFileInfo(path).isWritable())
        return failedStep(path, existed, QStringLiteral("the file is read-only"));
    return failedStep(path, existed,
                      QStringLiteral("making the new file failed: %1").arg(file.errorString()));
}

// The bytes as they are, through a temporary file that replaces the target
// only when it is complete.
WriteResult writeBytes(const QString &path, const QByteArray &bytes, NewFile newFile) {
    const FileSystem::Kind kind = FileSystem::kindOf(path);
    const bool existed = kind != FileSystem::Kind::Missing;
    if (kind == FileSystem::Kind::Folder)
        return {writeError(path, QStringLiteral("it is a folder, not a file"))};
    // Replacing a FIFO or device (through a link: /dev/null) would put a
    // plain file in its place.
    if (existed && kind != FileSystem::Kind::Regular)
        return failedStep(path, existed,
                          QStringLiteral("it is %1, not a regular file, and saving would replace "
                                         "it")
                              .arg(FileSystem::kindText(kind)));
    const std::optional<FileSystem::Ownership> old = FileSystem::ownershipOf(path);
    // The new text replaces the name given; another hard link would keep the
    // old text, and writing into the file in place could leave it half
    // written if the disk filled up or the program were killed.
    if (old && old->links > 1)
        return failedStep(path, existed,
                          QStringLiteral("the file has %1 names (hard links), and saving would "
                                         "give only this one the new text; save it under a name "
                                         "of its own")
                              .arg(old->links));
    QSaveFile file(path);
    // Unbuffered: QSaveFile does not notice a write that fails while its
    // buffer is flushed at commit (a full disk), and would then put an empty
    // file in place of the old one and report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(path, existed, file);
    if (old)
        FileSystem::applyOwnership(file.handle(), *old);
    else
        FileSystem::applyNewMode(file.handle(), newFile == NewFile::OwnerAndGroup ? 0640 : 0666);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failedStep(path, existed, QStringLiteral("writing failed: %1").arg(reason));
    }
    if (!file.commit())
        return failedStep(
            path, existed,
            QStringLiteral("putting the new text in place failed: %1").arg(file.errorString()));
    return {};
}

} // namespace

WriteResult write(const QString &path, const QString &text, NewFile newFile) {
    if (const QString bad = unwritableCharacter(text); !bad.isEmpty())
        return {writeError(path, bad)};
    return writeBytes(path, text.toLatin1(), newFile);
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
    return writeBytes(path, bytes, NewFile::Readable);
}

bool folderExists(const QString &path) {
    return FileSystem::kindOf(path) == FileSystem::Kind::Folder;
}

} // namespace TextFile
