#include "AnswerCheck.h"

#include "ConsoleCheck.h"
#include "ServerFileComposer.h"

namespace AnswerCheck {

QStringList warnings(const ServerSettingsRecord &record, GeneratedLines::Field field,
                     const QString &value) {
    QLatin1StringView answer;
    for (const GeneratedLines::Command &command : GeneratedLines::commands())
        if (command.field == field)
            answer = command.answer;
    if (answer.isEmpty())
        return {};
    ServerSettingsRecord composed = record;
    GeneratedLines::setField(composed, field, value);
    QStringList messages;
    for (const ConsoleCheck::Finding &f :
         ConsoleCheck::check(composeServerFile(composed, QStringLiteral("now")))) {
        // These two are about where the line stands, whatever its value.
        if (f.answer != answer || f.rule == ConsoleCheck::Rule::UnknownAtStart ||
            f.rule == ConsoleCheck::Rule::AfterMap)
            continue;
        if (!messages.contains(f.message))
            messages.append(f.message);
    }
    return messages;
}

} // namespace AnswerCheck
