#include "ServerComparison.h"

#include "serverfile/ConsoleCheck.h"
#include "serverfile/GeneratedLines.h"
#include "serverfile/QuakeConsole.h"

#include <QSet>

namespace ServerComparison {

namespace {

// The variable a command sets and the text it sets it to, as the console runs
// it at this point of the file: "set name value", or a bare "name value" when
// no command or alias takes the name and the variable exists by then (a bare
// line sets the first word after the name; the rest is ignored).
std::optional<std::pair<QStringView, QStringView>> setting(const QuakeConsole::Command &command,
                                                           bool afterMap,
                                                           const QSet<QString> &created,
                                                           const QHash<QString, bool> &aliases) {
    const QStringView name = command.name();
    if (QuakeConsole::sameCommand(name, u"set")) {
        if (command.words.size() < 3 ||
            QuakeConsole::setForm(command) != QuakeConsole::SetForm::Accepted)
            return std::nullopt;
        return std::pair(command.words[1].text, command.words[2].text);
    }
    if (command.words.size() < 2 || QuakeConsole::isCommandAtStart(name) ||
        aliases.contains(name.toString().toLower()))
        return std::nullopt;
    // Once a map has loaded the game, its variables exist too.
    const GeneratedLines::Command *entry = afterMap ? GeneratedLines::find(name, {}) : nullptr;
    if (!QuakeConsole::knownAtStart(name) && !created.contains(name.toString()) &&
        !(entry && !GeneratedLines::variableOf(*entry).isEmpty()))
        return std::nullopt;
    return std::pair(name, command.words[1].text);
}

} // namespace

QList<Expectation> expectations(QStringView fileText) {
    QList<Expectation> out;
    QHash<QString, qsizetype> index;
    QSet<QString> created;
    QHash<QString, bool> aliases; // by lower-case name, and whether one loads a map
    bool afterMap = false;
    int lineNumber = 0;
    for (QStringView line : fileText.split(u'\n')) {
        const int current = lineNumber++;
        if (line.endsWith(u'\r'))
            line.chop(1);
        for (const QuakeConsole::Command &command : QuakeConsole::commands(line)) {
            if (command.words.isEmpty())
                continue;
            // A map loads by its command or by an alias that runs one.
            if (QuakeConsole::loadsMap(command) ||
                aliases.value(command.name().toString().toLower()))
                afterMap = true;
            if (QuakeConsole::sameCommand(command.name(), u"alias") && command.words.size() >= 2)
                aliases.insert(command.words[1].text.toString().toLower(),
                               QuakeConsole::aliasLoadsMap(command));
            const auto set = setting(command, afterMap, created, aliases);
            if (!set)
                continue;
            Expectation e{set->first.toString(), set->second.toString(), current, line.toString(),
                          afterMap};
            created.insert(e.variable);
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
