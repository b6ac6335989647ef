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

using GeneratedLines::Field;
using QuakeConsole::Command;

bool is(QStringView word, const char *command) {
    return word.compare(QLatin1StringView(command), Qt::CaseInsensitive) == 0;
}

// The composer's command for a variable: names of variables count letter
// case, as the server's do.
const GeneratedLines::Command *variableCommand(QStringView name, bool afterSet) {
    for (const GeneratedLines::Command &command : GeneratedLines::commands()) {
        const QLatin1StringView variable = afterSet ? command.variable : command.word;
        if (afterSet == !command.variable.isEmpty() && variable == name &&
            command.field != Field::MasterServers && command.field != Field::InitialMap)
            return &command;
    }
    return nullptr;
}

class Importer {
public:
    Result run(QStringView text);

private:
    void readLine(QStringView line);
    bool take(QStringView line, const Command &command);
    void assign(const GeneratedLines::Command &command, const QString &value);
    void settle();

    Result m_result = {FirstAnswers::record(), {}, 0, {}, {}, {}, 0};
    QSet<Field> m_given;
    QSet<QLatin1StringView> m_fixedSeen;
    std::optional<bool> m_randomizer; // the weapon line that came last
    bool m_publicMaster = false;      // a setmaster that runs
    bool m_mapLoaded = false;
    int m_rawCodeLines = 0; // lines of the raw-code block still to pass
};

Result Importer::run(QStringView text) {
    // Lines end at LF, CR LF or a bare CR, as the tool reads every file.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n' && text[i] != u'\r')
            continue;
        readLine(text.sliced(start, i - start));
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    settle();
    return m_result;
}

void Importer::readLine(QStringView line) {
    // The raw-code block and the comment lines the composer writes are made
    // anew; blank lines carry nothing.
    if (m_rawCodeLines > 0) {
        --m_rawCodeLines;
        if (line == ServerFileFormat::RawCodeEnd)
            m_rawCodeLines = 0;
        return;
    }
    if (line == ServerFileFormat::Marker) {
        m_rawCodeLines = RawCode::FieldCount + 1;
        return;
    }
    if (line.trimmed().isEmpty() ||
        (GeneratedLines::isGenerated(line) && !GeneratedLines::commandOf(line)))
        return;
    if (m_mapLoaded) {
        ++m_result.afterMap;
        m_result.keptLines.append(line.toString());
        return;
    }
    // The master servers of a private server stand in a comment.
    const GeneratedLines::ParsedLine parsed = GeneratedLines::parse(line);
    if (parsed.command && parsed.command->field == Field::MasterServers &&
        line.trimmed().startsWith(GeneratedLines::PrivateMasterPrefix)) {
        if (!m_publicMaster) {
            // As the composer writes it: the list follows "//setmaster " whole.
            qsizetype lead = 0;
            while (lead < line.size() && line[lead].isSpace())
                ++lead;
            const QStringView comment = line.sliced(lead);
            const qsizetype list =
                GeneratedLines::PrivateMasterPrefix.size() + parsed.command->word.size() + 1;
            m_result.record.MasterServers = comment.sliced(qMin(list, comment.size())).toString();
            m_given.insert(Field::MasterServers);
        }
        return;
    }

    QStringList rest; // what the server runs that is not an answer, and comments
    bool tookAny = false;
    for (const Command &command : QuakeConsole::commands(line)) {
        if (m_mapLoaded) {
            rest.append(
                line.sliced(command.start, command.end - command.start).trimmed().toString());
            continue;
        }
        if (take(line, command)) {
            tookAny = true;
            // A comment after a command stays, but for the game type's name
            // that the composer writes there itself.
            const bool namesGameType = GeneratedLines::commandOf(line.sliced(command.start)) ==
                                       GeneratedLines::find(u"set", u"gametype");
            if (command.comment >= 0 && !namesGameType)
                rest.append(line.sliced(command.comment, command.end - command.comment).toString());
        } else {
            rest.append(
                line.sliced(command.start, command.end - command.start).trimmed().toString());
        }
    }
    if (!tookAny)
        m_result.keptLines.append(line.toString());
    else if (!rest.isEmpty())
        m_result.keptLines.append(rest.join(QStringLiteral("; ")));
}

// Takes a command as an answer when the server accepts it as the composer
// writes it; anything else stays as written.
bool Importer::take(QStringView line, const Command &command) {
    Q_UNUSED(line);
    if (command.words.isEmpty() || command.unmatchedQuote >= 0 || command.macro >= 0 || command.cut)
        return false;
    const auto &words = command.words;
    const QStringView name = words[0].text;
    if (is(name, "set")) {
        if (QuakeConsole::setForm(command) != QuakeConsole::SetForm::Accepted)
            return false;
        const GeneratedLines::Command *known = variableCommand(words[1].text, true);
        if (!known)
            return false;
        if (known->field == Field::None) { // a fixed line, taken only as the composer writes it
            if (words[2].text != known->fixedValue)
                return false;
            m_fixedSeen.insert(known->variable);
            return true;
        }
        assign(*known, words[2].text.toString());
        return true;
    }
    if (is(name, "setmaster")) {
        if (words.size() < 2)
            return false;
        QStringList masters;
        for (qsizetype i = 1; i < words.size(); ++i)
            masters.append(words[i].text.toString());
        m_result.record.MasterServers = masters.join(u' ');
        m_given.insert(Field::MasterServers);
        m_publicMaster = true;
        ++m_result.answers;
        return true;
    }
    if (is(name, "map")) {
        if (words.size() != 2)
            return false;
        m_result.record.InitialMap = words[1].text.toString();
        m_given.insert(Field::InitialMap);
        ++m_result.answers;
        m_mapLoaded = true; // the server sets the rest of the file aside
        return true;
    }
    // A variable set by its bare name: the server takes the first word.
    const GeneratedLines::Command *known = variableCommand(name, false);
    if (!known || words.size() < 2)
        return false;
    assign(*known, words[1].text.toString());
    return true;
}

void Importer::assign(const GeneratedLines::Command &command, const QString &value) {
    ServerSettingsRecord &s = m_result.record;
    switch (command.field) {
    case Field::HighScorer:
        s.HighScorerLine = QStringLiteral("set highscorer ") + value;
        break;
    case Field::DefaultWeapon:
    case Field::RandomizerType:
        m_randomizer = command.field == Field::RandomizerType;
        GeneratedLines::setField(s, command.field, value);
        break;
    default:
        GeneratedLines::setField(s, command.field, value);
        break;
    }
    m_given.insert(command.field);
    ++m_result.answers;
}

// The answers that depend on others, what lies outside the wizard's choices,
// and what the file leaves out.
void Importer::settle() {
    ServerSettingsRecord &s = m_result.record;
    const auto inRange = [](const QString &text, qint64 low, qint64 high) {
        const auto value = SettingNumber::fromText(text).value();
        return value && *value >= low && *value <= high;
    };
    const auto outside = [this](const GeneratedLines::Command &command, const QString &value) {
        m_result.outsideTables.append(QStringLiteral("%1 %2").arg(command.answer, value));
    };
    const qint64 gameTypes = qint64(ChoiceTables::gameTypes().size());
    for (const GeneratedLines::Command &command : GeneratedLines::commands()) {
        if (command.field == Field::None) {
            if (!m_fixedSeen.contains(command.variable))
                m_result.added.append(QStringLiteral("%1 %2 %3")
                                          .arg(command.word, command.variable, command.fixedValue));
            continue;
        }
        const QString value = GeneratedLines::fieldText(s, command.field);
        if (!m_given.contains(command.field)) {
            m_result.notGiven.append(command.answer);
            continue;
        }
        if ((command.field == Field::GameType && !inRange(value, 0, gameTypes - 1)) ||
            (command.field == Field::AmmoGiven && !inRange(value, 1, 3)) ||
            (command.field == Field::DefaultWeapon && !inRange(value, 0, 19)) ||
            (command.field == Field::RandomizerType && !inRange(value, 1, 2)))
            outside(command, value);
    }
    if (const auto type = s.GameType.value(); type && *type >= 0 && *type < gameTypes) {
        s.GameTypeName = QString::fromLatin1(ChoiceTables::gameTypes()[*type].text);
        s.PresetGameType = ChoiceTables::isPreset(int(*type));
        s.TeamGameType = ChoiceTables::isTeamGame(int(*type));
    }
    s.RandomizerChosen = m_randomizer.value_or(false);
    // Only one of the weapon and the randomizer is written; the other is no
    // missing answer.
    m_result.notGiven.removeAll(
        QLatin1StringView(s.RandomizerChosen ? "Player Respawns With..." : "Randomizer Type"));
    if (s.PresetGameType) {
        for (const char *unused : {"Player Respawns With...", "Randomizer Type", "Ammo Given"})
            m_result.notGiven.removeAll(QLatin1StringView(unused));
    }
}

} // namespace

Result read(QStringView text) {
    return Importer().run(text);
}

QString compose(const Result &result, const QString &creationTime) {
    return HandLines::insertBeforeMap(composeServerFile(result.record, creationTime),
                                      result.keptLines);
}

QString report(const Result &r, const QString &fileName, qsizetype findings) {
    QStringList parts;
    if (r.answers == 0)
        parts.append(QStringLiteral("Nothing in %1 is an answer of the wizard: all its %2 lines "
                                    "are kept as written.")
                         .arg(fileName)
                         .arg(r.keptLines.size()));
    else
        parts.append(QStringLiteral("Imported %1 answers from %2; %3 lines kept as written, "
                                    "before the map line.")
                         .arg(r.answers)
                         .arg(fileName)
                         .arg(r.keptLines.size()));
    if (!r.outsideTables.isEmpty())
        parts.append(QStringLiteral("Kept as they are, though no choice of the wizard has them: "
                                    "%1.")
                         .arg(r.outsideTables.join(QStringLiteral(", "))));
    if (!r.notGiven.isEmpty())
        parts.append(QStringLiteral("Not set by the file, so taken from the wizard's first "
                                    "answers: %1.")
                         .arg(r.notGiven.join(QStringLiteral(", "))));
    if (!r.added.isEmpty())
        parts.append(QStringLiteral("The tool adds: %1.").arg(r.added.join(QStringLiteral(", "))));
    if (r.afterMap > 0)
        parts.append(QStringLiteral("%1 lines came after the map line, where the server never "
                                    "ran them; they now stand before it and will run.")
                         .arg(r.afterMap));
    parts.append(findings == 0 ? QStringLiteral("The check finds nothing the server would not do "
                                                "as written.")
                               : QStringLiteral("The check finds %1 places where the server will "
                                                "not do what the text says; they are listed under "
                                                "the text.")
                                     .arg(findings));
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace ServerFileImport
