#include "ServerFileImport.h"

#include "GeneratedLines.h"
#include "HandLines.h"
#include "QuakeConsole.h"
#include "ServerFileComposer.h"
#include "ServerFileFormat.h"
#include "settings/ChoiceTables.h"
#include "settings/FirstAnswers.h"

#include <QSet>

#include <optional>

namespace ServerFileImport {

namespace {

using QuakeConsole::Command;
using Row = GeneratedLines::Command;
using S = ServerSettingsRecord;

bool is(QStringView word, const char *command) {
    return QuakeConsole::sameCommand(word, QLatin1StringView(command));
}

const Row *rowOf(GeneratedLines::Field field) {
    return &GeneratedLines::commandFor(field);
}

class Importer {
public:
    Result run(QStringView text);

private:
    void readLine(QStringView line);
    bool madeAnew(QStringView line);
    bool takePrivateMasters(QStringView line);
    void readCommands(QStringView line);
    void keep(const QString &line);
    bool take(const Command &command);
    bool takeSetMaster(const Command &command);
    bool takeMap(const Command &command);
    bool takeValue(const Row &known, QStringView value);
    void assign(const Row &command, const QString &value);
    void settle();
    void settleRows();
    void settleWeapons();

    Result m_result = {FirstAnswers::record(), {}, 0, {}, {}, {}, 0, {}, {}};
    QSet<const Row *> m_given;
    QSet<const Row *> m_notABox; // a box whose last value in the file is none of its own
    QSet<QLatin1StringView> m_fixedSeen;
    QSet<QString> m_created;          // variables a "set" of the file has created
    std::optional<bool> m_randomizer; // the weapon line that came last
    bool m_mapLoaded = false;
    int m_rawCodeLines = 0; // lines of the raw-code block still to pass
};

Result Importer::run(QStringView text) {
    for (const QuakeConsole::Line &line : QuakeConsole::lines(text))
        readLine(line.text);
    settle();
    return m_result;
}

void Importer::keep(const QString &line) {
    m_result.keptLines.append(line);
    if (m_mapLoaded)
        ++m_result.afterMap;
}

void Importer::readLine(QStringView line) {
    if (!madeAnew(line) && !takePrivateMasters(line))
        readCommands(line);
}

// The raw-code block and the comment lines the composer writes are made
// anew; blank lines carry nothing.
bool Importer::madeAnew(QStringView line) {
    if (m_rawCodeLines > 0) {
        --m_rawCodeLines;
        if (line == ServerFileFormat::RawCodeEnd)
            m_rawCodeLines = 0;
        return true;
    }
    if (line == ServerFileFormat::Marker) {
        m_rawCodeLines = RawCode::BlockLines - 1;
        return true;
    }
    return line.trimmed().isEmpty() ||
           (GeneratedLines::isGenerated(line) && !GeneratedLines::commandOf(line));
}

// The master servers of a private server stand in a comment.
bool Importer::takePrivateMasters(QStringView line) {
    const GeneratedLines::ParsedLine parsed = GeneratedLines::parse(line);
    if (!parsed.command || !parsed.command->holds(&S::MasterServers) ||
        !line.trimmed().startsWith(GeneratedLines::PrivateMasterPrefix))
        return false;
    if (!m_given.contains(parsed.command)) {
        // As the composer writes it: the list follows "//setmaster " whole.
        qsizetype lead = 0;
        while (lead < line.size() && line[lead].isSpace())
            ++lead;
        const QStringView comment = line.sliced(lead);
        const qsizetype list =
            GeneratedLines::PrivateMasterPrefix.size() + parsed.command->word.size() + 1;
        m_result.record.MasterServers = comment.sliced(qMin(list, comment.size())).toString();
        m_given.insert(parsed.command);
    }
    return true;
}

void Importer::readCommands(QStringView line) {
    QStringList rest; // what the server runs that is not an answer
    QString comment;
    bool tookAny = false;
    for (const Command &command : QuakeConsole::commands(line)) {
        if (take(command)) {
            tookAny = true;
        } else if (!command.words.isEmpty() || command.unmatchedQuote >= 0) {
            const qsizetype end = command.comment >= 0 ? command.comment : command.end;
            rest.append(line.sliced(command.start, end - command.start).trimmed().toString());
        }
        if (command.comment >= 0)
            comment = line.sliced(command.comment, command.end - command.comment).toString();
    }
    // A comment stays with what is kept of its line, and goes with a line
    // the composer now writes.
    if (!tookAny)
        keep(line.toString());
    else if (!rest.isEmpty())
        keep(rest.join(QStringLiteral("; ")) + (comment.isEmpty() ? QString() : u' ' + comment));
}

// Takes a command as an answer when the server does with it what it does
// with the composer's line; anything else stays as written. Lines after a
// map line count too: the server runs them when the first player enters.
bool Importer::take(const Command &command) {
    if (command.words.isEmpty() || command.unmatchedQuote >= 0 || command.macro >= 0 || command.cut)
        return false;
    const auto &words = command.words;
    const QStringView name = words[0].text;
    if (is(name, "set")) {
        if (QuakeConsole::setForm(command) != QuakeConsole::SetForm::Accepted)
            return false;
        m_created.insert(words[1].text.toString());
        const GeneratedLines::Command *known = GeneratedLines::find(name, words[1].text);
        // A value the server refuses for its info stays in its line as it is.
        const QStringView value = words[2].text;
        const bool info = words.size() == 4 || (known && known->serverInfo()) ||
                          QuakeConsole::isServerInfo(words[1].text);
        if (!known || GeneratedLines::variableOf(*known).isEmpty() ||
            (info && (value.contains(u'\\') || value.contains(u'"') || value.contains(u';'))))
            return false;
        return takeValue(*known, value);
    }
    if (is(name, "setmaster"))
        return takeSetMaster(command);
    if (is(name, "map"))
        return takeMap(command);
    // A variable set by its bare name: the server takes the first word, when
    // it knows the variable by then; the game's own appear with the first map.
    const GeneratedLines::Command *known = GeneratedLines::find(name, {});
    if (!known || words.size() < 2 || GeneratedLines::variableOf(*known).isEmpty() ||
        !(m_mapLoaded || QuakeConsole::knownAtStart(name) || m_created.contains(name.toString())))
        return false;
    return takeValue(*known, words[1].text);
}

bool Importer::takeSetMaster(const Command &command) {
    const auto &words = command.words;
    if (words.size() < 2)
        return false;
    QStringList masters;
    for (qsizetype i = 1; i < words.size(); ++i)
        masters.append(words[i].text.toString());
    m_result.record.MasterServers = masters.join(u' ');
    m_given.insert(rowOf(&S::MasterServers));
    // The server turns "public" on with its master servers.
    m_result.record.PublicServer = 1;
    m_given.insert(rowOf(&S::PublicServer));
    m_notABox.remove(rowOf(&S::PublicServer));
    ++m_result.answers;
    return true;
}

bool Importer::takeMap(const Command &command) {
    if (command.words.size() != 2)
        return false;
    m_result.record.InitialMap = command.words[1].text.toString();
    m_given.insert(rowOf(&S::InitialMap));
    ++m_result.answers;
    m_mapLoaded = true; // the rest runs when the first player enters
    return true;
}

bool Importer::takeValue(const Row &known, QStringView value) {
    if (known.fixed()) { // a fixed line, taken only as the composer writes it
        if (value != known.fixedValue)
            return false;
        m_fixedSeen.insert(known.variable);
        return true;
    }
    if (known.box() && value != u"0" && value != u"1") {
        m_notABox.insert(&known);
        m_result.notABox.append(QStringLiteral("%1 %2").arg(known.answer, value));
        return false;
    }
    m_notABox.remove(&known);
    assign(known, value.toString());
    return true;
}

void Importer::assign(const Row &command, const QString &value) {
    ServerSettingsRecord &s = m_result.record;
    if (command.holds(&S::HighScorerLine)) {
        s.HighScorerLine = highScorerLine(value);
    } else {
        if (command.holds(&S::DefaultWeapon) || command.holds(&S::RandomizerType))
            m_randomizer = command.holds(&S::RandomizerType);
        GeneratedLines::setField(s, command.field, value);
    }
    m_given.insert(&command);
    ++m_result.answers;
}

// The answers that depend on others, what lies outside the wizard's choices,
// and what the file leaves out.
void Importer::settle() {
    settleRows();
    ServerSettingsRecord &s = m_result.record;
    const qint64 gameTypes = qint64(ChoiceTables::gameTypes().size());
    if (const auto type = s.GameType.value(); type && *type >= 0 && *type < gameTypes) {
        s.GameTypeName = QString::fromLatin1(ChoiceTables::gameTypes()[*type].text);
        s.PresetGameType = ChoiceTables::isPreset(int(*type));
        s.TeamGameType = ChoiceTables::isTeamGame(int(*type));
    }
    s.RandomizerChosen = m_randomizer.value_or(false);
    settleWeapons();
}

// A fixed line the file lacks, an answer it does not give, a value no choice
// of the wizard has.
void Importer::settleRows() {
    const auto inRange = [](const QString &text, qint64 low, qint64 high) {
        const auto value = SettingNumber::fromText(text).value();
        return value && *value >= low && *value <= high;
    };
    const qint64 gameTypes = qint64(ChoiceTables::gameTypes().size());
    for (const Row &command : GeneratedLines::commands()) {
        if (command.fixed()) {
            if (!m_fixedSeen.contains(command.variable))
                m_result.added.append(QStringLiteral("%1 %2 %3")
                                          .arg(command.word, command.variable, command.fixedValue));
            continue;
        }
        const QString value = GeneratedLines::fieldText(m_result.record, command.field);
        if (!m_given.contains(&command)) {
            // An unquoted empty value is a line the server refuses: such a
            // line is left out, and the server keeps what it has.
            if (value.isEmpty() && !command.quoted())
                m_result.leftOut.append(&command);
            else if (!m_notABox.contains(&command))
                m_result.notGiven.append(command.answer);
            continue;
        }
        if ((command.holds(&S::GameType) && !inRange(value, 0, gameTypes - 1)) ||
            (command.holds(&S::AmmoGiven) && !inRange(value, 1, 3)) ||
            (command.holds(&S::DefaultWeapon) && !inRange(value, 0, 19)) ||
            (command.holds(&S::RandomizerType) && !inRange(value, 1, 2)))
            m_result.outsideTables.append(QStringLiteral("%1 %2").arg(command.answer, value));
    }
}

// Only one of the weapon and the randomizer is written, and neither with a
// preset game type: the others are no missing answers.
void Importer::settleWeapons() {
    const ServerSettingsRecord &s = m_result.record;
    QList<const Row *> unused{rowOf(s.RandomizerChosen
                                        ? GeneratedLines::Field(&S::DefaultWeapon)
                                        : GeneratedLines::Field(&S::RandomizerType))};
    if (s.PresetGameType)
        unused = {rowOf(&S::DefaultWeapon), rowOf(&S::RandomizerType), rowOf(&S::AmmoGiven)};
    for (const Row *row : unused) {
        m_result.notGiven.removeAll(row->answer);
        m_result.leftOut.removeAll(row);
    }
}

// "1 line", "2 lines".
QString counted(qsizetype n, const char *one, const char *more) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1StringView(n == 1 ? one : more));
}

} // namespace

Result read(QStringView text) {
    return Importer().run(text);
}

QString compose(const Result &result, const QString &creationTime) {
    QString composed = composeServerFile(result.record, creationTime);
    if (!result.leftOut.isEmpty()) {
        QStringList lines;
        for (const QuakeConsole::Line &line : QuakeConsole::lines(composed)) {
            const GeneratedLines::Command *command = GeneratedLines::commandOf(line.text);
            if (!command || !result.leftOut.contains(command))
                lines.append(line.text.toString());
        }
        composed = lines.join(ServerFileFormat::LineBreak);
    }
    return HandLines::insertBeforeMap(composed, result.keptLines);
}

QString report(const Result &r, const QString &fileName, qsizetype findings) {
    QStringList parts;
    if (r.answers == 0)
        parts.append(QStringLiteral("Nothing in %1 is an answer of the wizard: all its %2 are "
                                    "kept as written.")
                         .arg(fileName, counted(r.keptLines.size(), "line", "lines")));
    else
        parts.append(QStringLiteral("Imported %1 from %2; %3 kept as written, before the map "
                                    "line.")
                         .arg(counted(r.answers, "answer", "answers"), fileName,
                              counted(r.keptLines.size(), "line", "lines")));
    if (!r.outsideTables.isEmpty())
        parts.append(QStringLiteral("Kept as they are, though no choice of the wizard has them: "
                                    "%1.")
                         .arg(r.outsideTables.join(QStringLiteral(", "))));
    if (!r.notABox.isEmpty())
        parts.append(QStringLiteral("Kept in their lines as written, since a box stands only for "
                                    "0 or 1: %1.")
                         .arg(r.notABox.join(QStringLiteral(", "))));
    if (!r.notGiven.isEmpty())
        parts.append(QStringLiteral("Not set by the file, so taken from the wizard's first "
                                    "answers: %1.")
                         .arg(r.notGiven.join(QStringLiteral(", "))));
    if (!r.leftOut.isEmpty()) {
        QStringList names;
        for (const GeneratedLines::Command &command : GeneratedLines::commands())
            if (r.leftOut.contains(&command))
                names.append(command.answer);
        parts.append(QStringLiteral("Not set by the file and left out, so the server keeps its "
                                    "own value: %1.")
                         .arg(names.join(QStringLiteral(", "))));
    }
    if (!r.added.isEmpty())
        parts.append(QStringLiteral("The tool adds: %1.").arg(r.added.join(QStringLiteral(", "))));
    if (r.afterMap > 0)
        parts.append(QStringLiteral("%1 after the map line, where the server ran them when the "
                                    "first player entered; they now stand before it and run at "
                                    "the start.")
                         .arg(counted(r.afterMap, "line came", "lines came")));
    parts.append(findings == 0
                     ? QStringLiteral("The check finds nothing the server would not do as "
                                      "written.")
                     : QStringLiteral("The check finds %1 where the server will not do what the "
                                      "text says; they are listed under the text.")
                           .arg(counted(findings, "place", "places")));
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace ServerFileImport
