#include "Places.h"

#include <QSettings>

#include <memory>

namespace Places {
namespace {

// Named explicitly rather than by the application's names, so that every
// program built from these sources (benchmarks included) shares one file.
std::unique_ptr<QSettings> open() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Kestrune"),
                                       QStringLiteral("Kestrune Server Tool"));
}

QString entry(const QString &key) {
    return QStringLiteral("places/") + key;
}

} // namespace

QByteArray load(const QString &key) {
    return open()->value(entry(key)).toByteArray();
}

void store(const QString &key, const QByteArray &geometry) {
    open()->setValue(entry(key), geometry);
}

} // namespace Places
