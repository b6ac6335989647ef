#include "ServerComparison.h"

#include "serverfile/ConsoleCheck.h"
#include "serverfile/QuakeConsole.h"

namespace ServerComparison {

QList<Expectation> expectations(QStringView fileText) {
    QList<Expectation> out;
    QHash<QString, qsizetype> index;
    bool afterMap = false;
    int lineNumber = 0;
    for (QStringView line : fileText.split(u'\n')) {
        const int current = lineNumber++;
        if (line.endsWith(u'\r'))
            line.chop(1);
        for (const QuakeConsole::Command &command : QuakeConsole::commands(line)) {
            // Command names count without letter case, variable names with it.
            if (command.name().compare(u"map", Qt::CaseInsensitive) == 0 &&
                command.words.size() == 2)
                afterMap = true;
            if (command.name().compare(u"set", Qt::CaseInsensitive) != 0 ||
                command.words.size() < 3 ||
                QuakeConsole::setForm(command) != QuakeConsole::SetForm::Accepted)
                continue;
            Expectation e{command.words[1].text.toString(), command.words[2].text.toString(),
                          current, line.toString(), afterMap};
            if (const auto it = index.constFind(e.variable); it != index.cend()) {
                out[*it] = e;
            } else {
                index.insert(e.variable, out.size());
                out.append(e);
            }
        }
    }
    return out;
}

QList<Difference> differences(QStringView fileText, const QHash<QString, QString> &held) {
    const QList<ConsoleCheck::Finding> findings = ConsoleCheck::check(fileText);
    QList<Difference> out;
    for (const Expectation &e : expectations(fileText)) {
        const auto it = held.constFind(e.variable);
        const std::optional<QString> value =
            it == held.cend() ? std::nullopt : std::optional<QString>(*it);
        if (value == e.value)
            continue;
        QStringList why;
        for (const ConsoleCheck::Finding &f : findings)
            if (f.line == e.line && !why.contains(f.message))
                why.append(f.message);
        out.append({e, value, why.join(u' ')});
    }
    return out;
}

std::optional<QString> consoleAnswer(QStringView line, QStringView variable) {
    const QString head = u'"' + variable.toString() + QLatin1StringView("\" is \"");
    if (!line.startsWith(head) || !line.endsWith(u'"') || line.size() < head.size() + 1)
        return std::nullopt;
    return line.sliced(head.size(), line.size() - head.size() - 1).toString();
}

QString question(const QString &variable) {
    return u'"' + variable + u'"';
}

QString describe(const Difference &d) {
    QString text = QStringLiteral("%1: line %2 (%3) sets \"%4\"; the server holds %5.")
                       .arg(d.expected.variable)
                       .arg(d.expected.line + 1)
                       .arg(d.expected.lineText.trimmed(), d.expected.value,
                            d.held ? u'"' + *d.held + u'"' : QStringLiteral("no such variable"));
    if (d.expected.afterMap)
        text += QStringLiteral(" The line comes after map: the server runs it when a map "
                               "changes or a player connects.");
    if (!d.explanation.isEmpty())
        text += QStringLiteral(" Foreseen: ") + d.explanation;
    return text;
}

QString summary(const QList<Difference> &differences, int asked) {
    return differences.isEmpty()
               ? QStringLiteral("The server holds all %1 variables as the file sets them.")
                     .arg(asked)
               : QStringLiteral("%1 of the file's %2 variables differ on the server.")
                     .arg(differences.size())
                     .arg(asked);
}

} // namespace ServerComparison
