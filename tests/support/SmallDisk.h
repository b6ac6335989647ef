#pragma once

#include <QDir>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

// A small tmpfs of a test's own, unmounted again however the test ends.
// Only root can mount one; otherwise failure says why.
struct SmallDisk {
    QString path;
    QString failure; // why it could not be made

    SmallDisk(const QString &at, const char *options)
        : path(at) {
        QDir().mkpath(path);
        if (geteuid() != 0)
            failure = QStringLiteral("not running as root, so no file system can be mounted");
        else if (::mount("kestrune-test", path.toLocal8Bit().constData(), "tmpfs", 0, options) != 0)
            failure = QStringLiteral("mounting a tmpfs failed: %1")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~SmallDisk() {
        if (failure.isEmpty())
            ::umount2(path.toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool remountReadOnly() const {
        // The kernel ignores source and type on a remount; valgrind wants them set.
        return ::mount("kestrune-test", path.toLocal8Bit().constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
};
