#pragma once

#include <QByteArray>
#include <QString>

// Where the windows stood and how large they were, kept between runs in the
// user's settings (an INI file under the desktop's settings folder). Read
// only when a window needs it, so that the start pays nothing for it.
namespace Places {

// The saveGeometry() bytes stored under key, or empty.
QByteArray load(const QString &key);
void store(const QString &key, const QByteArray &geometry);

} // namespace Places
