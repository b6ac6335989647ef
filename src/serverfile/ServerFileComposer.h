#pragma once

#include "settings/ServerSettings.h"

#include <QDateTime>
#include <QString>

// The whole server file for a record. A pure function of its arguments, so
// the creation time is handed in.
QString composeServerFile(const ServerSettingsRecord &settings, const QString &creationTime);

// The creation-time text: the local short date, one blank, the time with seconds.
QString creationTimeText(const QDateTime &localTime);
