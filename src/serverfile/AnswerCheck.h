#pragma once

#include "GeneratedLines.h"
#include "settings/ServerSettings.h"

#include <QStringList>

// What the server will do differently with one answer, as the wizard's page
// asks for it: the value is composed into the server file with the rest of
// the record, and the file is read by the console check, which alone knows
// the server's rules. Only the findings of the answer's own lines count,
// and of those only what the value causes.
namespace AnswerCheck {

// The console check's messages, each once, in the file's order.
QStringList warnings(const ServerSettingsRecord &record, GeneratedLines::Field field,
                     const QString &value);

} // namespace AnswerCheck
