#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace FileSystem {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // + the byte, for bytes 0x80 to 0xFF

bool isEscape(char16_t c) {
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

// The length of the valid UTF-8 sequence at i, or 0.
qsizetype validSequence(const QByteArray &bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return uchar(bytes[k]); };
    const uchar lead = at(i);
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k)
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
    // No overlong forms, surrogates or code points past U+10FFFF.
    const uchar second = length > 1 ? at(i + 1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

#ifdef Q_OS_UNIX
Kind kindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return Kind::Regular;
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISFIFO(mode))
        return Kind::Fifo;
    if (S_ISSOCK(mode))
        return Kind::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Kind::Device;
    return Kind::Other;
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
#endif

} // namespace

QString decodeName(const QByteArray &bytes) {
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        if (const qsizetype length = validSequence(bytes, i)) {
            name += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        } else {
            name += QChar(char16_t(kEscapeBase + uchar(bytes[i++])));
        }
    }
    return name;
}

QByteArray encodeName(const QString &path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscape(path[i].unicode()))
            continue;
        bytes += QStringView(path).sliced(start, i - start).toUtf8();
        if (i < path.size())
            bytes += char(path[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes;
}

QString shown(const QString &path) {
    QString text = QDir::toNativeSeparators(path);
    for (QChar &c : text)
        if (isEscape(c.unicode()))
            c = QChar::ReplacementCharacter;
    return text;
}

QString kindText(Kind kind) {
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("missing");
    case Kind::Regular:
        return QStringLiteral("a file");
    case Kind::Folder:
        return QStringLiteral("a folder");
    case Kind::Fifo:
        return QStringLiteral("a FIFO (named pipe)");
    case Kind::Socket:
        return QStringLiteral("a socket");
    case Kind::Device:
        return QStringLiteral("a device");
    case Kind::Other:
        break;
    }
    return QStringLiteral("no regular file");
}

#ifdef Q_OS_UNIX

Kind kindOf(const QString &path) {
    struct stat st;
    if (::stat(encodeName(path).constData(), &st) != 0)
        return Kind::Missing;
    return kindOfMode(st.st_mode);
}

namespace {
QString notRegular(Kind kind) {
    return kind == Kind::Folder
               ? QStringLiteral("it is a folder, not a file")
               : QStringLiteral("it is %1, not a regular file").arg(kindText(kind));
}
} // namespace

QString openRegular(QFile &file, const QString &path) {
    const QByteArray name = encodeName(path);
    // A socket cannot be opened at all: said what it is, not "no such device".
    if (const Kind kind = kindOf(path); kind != Kind::Regular && kind != Kind::Missing)
        return notRegular(kind);
    // Non-blocking, so that opening a FIFO put there meanwhile returns at once
    // instead of waiting for a writer; fstat then tells what was opened.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return systemReason(errno);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return systemReason(error);
    }
    if (const Kind kind = kindOfMode(st.st_mode); kind != Kind::Regular) {
        ::close(fd);
        return notRegular(kind);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

Listing list(const QString &folder) {
    Listing listing;
    const QByteArray name = encodeName(folder);
    DIR *dir = ::opendir(name.constData());
    if (!dir) {
        listing.error = systemReason(errno);
        return listing;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *n = entry->d_name;
        if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0)
            continue;
        Kind kind = Kind::Other;
        if (entry->d_type == DT_REG)
            kind = Kind::Regular;
        else if (entry->d_type == DT_DIR)
            kind = Kind::Folder;
        else if (struct stat st; ::fstatat(dirFd, n, &st, 0) == 0) // links and unknown types
            kind = kindOfMode(st.st_mode);
        listing.entries.append({decodeName(QByteArray(n)), kind});
    }
    ::closedir(dir);
    return listing;
}

std::optional<Ownership> ownershipOf(const QString &path) {
    struct stat st;
    if (::stat(encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return Ownership{uint(st.st_uid), uint(st.st_gid), uint(st.st_mode & 07777),
                     quint64(st.st_nlink)};
}

void applyOwnership(int handle, const Ownership &ownership) {
    // Owner and group together where allowed (root), else the group alone
    // (an owner in that group), else neither; the mode after, as chown may
    // clear the set-id bits.
    if (::fchown(handle, ownership.owner, ownership.group) != 0)
        (void)::fchown(handle, uid_t(-1), ownership.group);
    (void)::fchmod(handle, mode_t(ownership.mode));
}

void applyNewMode(int handle, uint mode) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(handle, mode_t(mode) & ~mask);
}

bool folderTakesNewFiles(const QString &folder) {
    // As the process's file system identity, which the save is made with.
    return ::faccessat(AT_FDCWD, encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

#else

Kind kindOf(const QString &path) {
    const QFileInfo info(path);
    return !info.exists()  ? Kind::Missing
           : info.isDir()  ? Kind::Folder
           : info.isFile() ? Kind::Regular
                           : Kind::Other;
}

QString openRegular(QFile &file, const QString &path) {
    if (const Kind kind = kindOf(path); kind == Kind::Folder)
        return QStringLiteral("it is a folder, not a file");
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

Listing list(const QString &folder) {
    Listing listing;
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        listing.error = QStringLiteral("the folder cannot be read");
        return listing;
    }
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        listing.entries.append({info.fileName(), info.isDir()    ? Kind::Folder
                                                 : info.isFile() ? Kind::Regular
                                                                 : Kind::Other});
    return listing;
}

std::optional<Ownership> ownershipOf(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    return Ownership{};
}

void applyOwnership(int, const Ownership &) {}
void applyNewMode(int, uint) {}

bool folderTakesNewFiles(const QString &folder) {
    return QFileInfo(folder).isWritable();
}

#endif

} // namespace FileSystem
