#include "Pk3Directory.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace Pk3Directory {
namespace {

QString sentence(const char *text) {
    QString s = QString::fromLocal8Bit(text);
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s + u'.';
}

} // namespace

Result readFile(const QString &path) {
    int code = ZIP_ER_OK;
    // Read only: libzip then never writes the archive, not even on close.
    zip_t *opened = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!opened) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        Result failed{sentence(zip_error_strerror(&error)), {}};
        zip_error_fini(&error);
        return failed;
    }
    const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(opened, zip_discard);
    Result result;
    // libzip has checked the count against the central directory it read.
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    result.names.reserve(count);
    for (zip_int64_t i = 0; i < count; ++i) {
        // Names in UTF-8, converted from the zip's legacy code page if need be.
        if (const char *name = zip_get_name(archive.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS))
            result.names.append(QString::fromUtf8(name));
    }
    return result;
}

} // namespace Pk3Directory
