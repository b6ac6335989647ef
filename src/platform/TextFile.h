#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Single-byte text files. Every byte is one Latin-1 character, so whatever is
// read comes back unchanged when written again. Only regular files are read
// or replaced: a FIFO or device, also behind a link, is refused unopened.
// Writes go through a temporary file that replaces the target only when it is
// complete, with the old file's owner, group and mode, so a failed write
// leaves an existing file as it was. Failures come back with the step that
// failed and the system's reason; nothing is reported as done that was not.
namespace TextFile {

enum class Failure { None, TooLarge, Other };

struct ReadResult {
    Failure failure = Failure::None;
    QString error; // a sentence naming the file and the reason
    QByteArray bytes;
    bool ok() const { return failure == Failure::None; }
};

struct WriteResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The whole file; a file larger than maxBytes is refused without being read.
ReadResult readBytes(const QString &path, qint64 maxBytes);

// Why the bytes are no single-byte text (UTF-16, or binary: NULs or control
// characters beyond a small share), as words for a message; empty when they are.
QString notText(const QByteArray &bytes);

// The lines of the bytes, without their line ends (CR LF, LF or CR).
QStringList splitLines(const QByteArray &bytes);

// Who may read a file the write creates; an existing file keeps its mode.
enum class NewFile {
    Readable,      // what the umask allows
    OwnerAndGroup, // 0640 at most: the text holds a secret
};

// Writes the text exactly as it stands: no byte-order mark, no line end added.
WriteResult write(const QString &path, const QString &text, NewFile newFile = NewFile::Readable);

// Writes each line followed by CR LF.
WriteResult writeLines(const QString &path, const QStringList &lines);

// Where the text holds a character that single-byte text cannot carry, a
// sentence that names the first one and its line; else empty.
QString unwritableCharacter(const QString &text);

bool folderExists(const QString &path);

} // namespace TextFile
