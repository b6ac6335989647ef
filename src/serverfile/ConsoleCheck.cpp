#include "ConsoleCheck.h"

#include "GeneratedLines.h"
#include "QuakeConsole.h"
#include "ServerFileFormat.h"

#include <QHash>
#include <QLocale>

#include <cmath>
#include <map>

namespace ConsoleCheck {

namespace {

using QuakeConsole::Command;
using QuakeConsole::Word;

QString quotedText(QStringView text) {
    return u'"' + text.toString() + u'"';
}

QString numberText(float value) {
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("infinity") : QStringLiteral("minus infinity");
    if (std::isnan(value))
        return QStringLiteral("not a number (NaN)");
    if (value == std::trunc(value) && std::fabs(value) < 1e15f)
        return QString::number(qint64(value));
    return QString::number(double(value), 'g', 7);
}

// The pattern with %1, %2... replaced by the arguments in one pass.
QString fill(QStringView pattern, std::initializer_list<QStringView> args) {
    qsizetype size = pattern.size();
    for (const QStringView arg : args)
        size += arg.size();
    QString out;
    out.reserve(size);
    qsizetype from = 0;
    for (qsizetype at = pattern.indexOf(u'%'); at >= 0 && at + 1 < pattern.size();
         at = pattern.indexOf(u'%', from)) {
        const auto index = std::size_t(pattern[at + 1].unicode() - u'1');
        out += pattern.sliced(from, at - from);
        if (index < args.size())
            out += args.begin()[index];
        from = at + 2;
    }
    out += pattern.sliced(from);
    return out;
}

QString count(qsizetype n) {
    return QLocale::c().toString(n);
}

// The first letter beyond ASCII in text, or -1.
qsizetype firstNotAscii(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i].unicode() >= 0x80)
            return i;
    return -1;
}

// What the server lets into its info: no "\\", ";" or quote.
bool validInfo(QStringView text) {
    return !text.contains(u'\\') && !text.contains(u';') && !text.contains(u'"');
}

// What players see of a value in the server info: every letter with its
// high bit taken away.
QString infoText(QStringView text) {
    QString shown = text.toString();
    for (QChar &c : shown)
        c = QChar(c.unicode() & 0x7f);
    return shown;
}

// What the server's lists show for a value: a blank for each letter its font lacks.
QString shownText(QStringView text) {
    QString shown = text.toString();
    for (QChar &c : shown)
        if (c.unicode() >= 0x80)
            c = u' ';
    return shown;
}

// A value the file gives a server-info variable: where, and how long it is.
struct InfoValue {
    int line;
    qsizetype start;
    qsizetype length;
    QLatin1StringView answer;
    qsizetype valueLength;
};

class Checker {
public:
    explicit Checker(QStringView text)
        : m_text(text) {}

    QList<Finding> run();

private:
    void checkLine(QStringView line);
    bool knownNow(QStringView name) const;
    void checkCommand(QStringView line, const Command &command, bool splitOff, bool afterComment);
    void checkWhereItRuns(QStringView line, const Command &command, qsizetype end, bool splitOff,
                          bool afterComment);
    void checkByName(QStringView line, const Command &command, qsizetype end, bool splitOff);
    void checkSetMaster(QStringView text, qsizetype start);
    void noteAlias(const Command &command);
    void checkSet(QStringView line, const Command &command);
    void checkVariable(QStringView line, const Command &command,
                       const GeneratedLines::Command &entry);
    void checkMap(QStringView line, const Command &command);
    void checkValue(QStringView line, const Word &value, QStringView variable, bool tested,
                    bool info, const GeneratedLines::Command *entry);
    bool infoNow(QStringView variable) const;
    void checkInfoString();
    void add(qsizetype start, qsizetype length, Rule rule, QString message, QString detail = {});
    struct Refusal {
        enum class Cause { QuoteEndsEarly, QuoteInWord, BlankLetter, MoreWords } cause;
        QString text; // why, in words
    };
    Refusal wordsAfterRefusal(QStringView line, const Command &command, qsizetype from) const;

    // The wizard answer of the line being checked, found when first asked for.
    QLatin1StringView answer();

    QStringView m_text;
    QList<Finding> m_findings;
    Command m_command; // the command being checked, its room kept
    int m_line = 0;
    QStringView m_lineText;
    int m_rawIndex = -1; // the line's place among the raw-code block's values
    bool m_answerKnown = false;
    QLatin1StringView m_answer;
    int m_mapLine = -1;                      // the line whose map loads, setting the rest aside
    std::map<QStringView, InfoValue> m_info; // the last value of each, by name
    QHash<QString, bool> m_created;          // variables "set" created, and whether in the info
    QHash<QString, bool> m_aliases;          // by lower-case name, and whether one loads a map
    qsizetype m_mapName = 0;                 // the length of the first map's name
};

QLatin1StringView Checker::answer() {
    if (!m_answerKnown) {
        const GeneratedLines::Command *command = m_rawIndex >= 0
                                                     ? GeneratedLines::rawCodeCommand(m_rawIndex)
                                                     : GeneratedLines::commandOf(m_lineText);
        m_answer = command ? command->answer : QLatin1StringView();
        m_answerKnown = true;
    }
    return m_answer;
}

void Checker::add(qsizetype start, qsizetype length, Rule rule, QString message, QString detail) {
    m_findings.append(
        {m_line, start, length, rule, answer(), std::move(detail), std::move(message)});
}

QList<Finding> Checker::run() {
    const qsizetype nul = m_text.indexOf(QChar(0));
    const QStringView readable = nul < 0 ? m_text : m_text.first(nul);
    // The file as saved: every line break CR LF.
    const qsizetype bytes = m_text.size() + m_text.count(u'\n') - m_text.count(u"\r\n");

    enum class Block { First, RawCode, After } block = Block::First;
    int rawIndex = 0;
    for (const QuakeConsole::Line &line : QuakeConsole::lines(readable)) {
        const QStringView bare = line.text;
        m_lineText = bare;
        m_answerKnown = false;
        m_rawIndex =
            block == Block::RawCode && bare != ServerFileFormat::RawCodeEnd ? rawIndex++ : -1;
        if (block == Block::First)
            block = bare == ServerFileFormat::Marker ? Block::RawCode : Block::After;
        else if (block == Block::RawCode && bare == ServerFileFormat::RawCodeEnd)
            block = Block::After;

        checkLine(bare);
        ++m_line;
    }
    checkInfoString();

    if (nul >= 0) {
        m_line = int(m_text.first(nul).count(u'\n'));
        m_answer = {};
        m_answerKnown = true;
        const qsizetype lineStart = m_text.first(nul).lastIndexOf(u'\n') + 1;
        add(nul - lineStart, 1, Rule::NulCharacter,
            QStringLiteral("The server stops reading the file at this null character: "
                           "nothing after it runs."));
    }
    if (bytes > QuakeConsole::FileLimit) {
        m_line = 0;
        m_answer = {};
        m_answerKnown = true;
        add(0, 0, Rule::FileTooLong,
            fill(u"The server runs nothing of a file this long: it has %1 bytes, "
                 "the server takes at most %2.",
                 {count(bytes), count(QuakeConsole::FileLimit)}));
    }
    return m_findings;
}

void Checker::checkLine(QStringView line) {
    bool afterComment = false;
    bool first = true;
    qsizetype from = 0;
    while (QuakeConsole::nextCommand(line, from, m_command)) {
        // A ";" is reported where the text does not show it starting a command:
        // in a comment, in an answer the program wrote into its line, or
        // where what follows it is no command the server knows (a value
        // that holds a ";").
        // A command split off a comment that the server does not know, or
        // discards for an odd quote, does nothing, as the comment would.
        const bool splitOff = !first || m_command.start > 0;
        const bool known = !m_command.words.isEmpty() &&
                           (m_mapLine >= 0 || knownNow(m_command.words.front().text));
        if (afterComment && (!known || m_command.unmatchedQuote >= 0))
            continue;
        const bool hidden = afterComment || !answer().isEmpty() || !known;
        checkCommand(line, m_command, splitOff && hidden, afterComment);
        afterComment = m_command.comment >= 0;
        first = false;
        // An answer that ends in ";" loses it: the rest of the line is blank.
        if (m_command.end < line.size() && !answer().isEmpty() && m_command.comment < 0 &&
            line.sliced(m_command.end + 1).trimmed().isEmpty())
            add(m_command.end, 1, Rule::CommandSplit,
                QStringLiteral("The \";\" ends the command: the server takes the value without "
                               "it."));
    }
}

// Whether the server knows this command or variable at this point of the file.
bool Checker::knownNow(QStringView name) const {
    return QuakeConsole::knownAtStart(name) || m_created.contains(name.toString()) ||
           m_aliases.contains(name.toString().toLower());
}

void Checker::checkCommand(QStringView line, const Command &command, bool splitOff,
                           bool afterComment) {
    if (command.words.isEmpty() && command.unmatchedQuote < 0)
        return; // a comment
    const qsizetype end = command.cut ? command.start + QuakeConsole::CommandLimit : command.end;
    checkWhereItRuns(line, command, end, splitOff, afterComment);
    if (command.unmatchedQuote >= 0) {
        if (command.words.isEmpty())
            return; // a comment, discarded or not, does nothing
        add(command.unmatchedQuote, 1, Rule::QuoteBreak,
            QStringLiteral("This command has an odd number of quotes (\"): the server "
                           "discards all of it."));
        return;
    }
    if (command.macro >= 0) {
        qsizetype from = command.macro + 1;
        const Word name = QuakeConsole::nextWord(line, from, end);
        add(command.macro, from - command.macro, Rule::Macro,
            fill(u"The server puts the value of its variable %1 in place of %2.",
                 {quotedText(name.text),
                  quotedText(line.sliced(command.macro, from - command.macro))}),
            name.text.toString());
        return;
    }
    checkByName(line, command, end, splitOff);
}

// When the command runs, and whether all of it does.
void Checker::checkWhereItRuns(QStringView line, const Command &command, qsizetype end,
                               bool splitOff, bool afterComment) {
    if (m_mapLine >= 0)
        add(command.start, command.end - command.start, Rule::AfterMap,
            fill(u"The server runs this only when the first player enters the game: loading "
                 "the map on line %1 sets the rest of the file aside until then.",
                 {QString::number(m_mapLine + 1)}));
    if (splitOff) {
        const QString runs = line.sliced(command.start, end - command.start).trimmed().toString();
        add(command.start - 1, end - command.start + 1, Rule::CommandSplit,
            afterComment ? fill(u"The \";\" ends the comment: the server runs %1 as a command.",
                                {quotedText(runs)})
                         : fill(u"The \";\" ends the command: the server runs %1 as a command "
                                "of its own.",
                                {quotedText(runs)}),
            runs);
    }
    if (command.cut)
        add(end, command.end - end, Rule::CommandCut,
            fill(u"This command is longer than the %1 characters the server reads: "
                 "everything after them is lost.",
                 {count(QuakeConsole::CommandLimit)}));
}

void Checker::checkByName(QStringView line, const Command &command, qsizetype end, bool splitOff) {
    const QStringView name = command.name();
    using QuakeConsole::sameCommand;
    if (sameCommand(name, u"set")) {
        checkSet(line, command);
    } else if (sameCommand(name, u"map") || sameCommand(name, u"gamemap")) {
        checkMap(line, command);
    } else if (sameCommand(name, u"setmaster")) {
        checkSetMaster(line.sliced(command.start, end - command.start), command.start);
    } else if (sameCommand(name, u"alias")) {
        noteAlias(command);
    } else if (const auto alias = m_aliases.constFind(name.toString().toLower());
               alias != m_aliases.cend() && *alias) {
        if (m_mapLine < 0)
            m_mapLine = m_line;
    } else if (const auto *entry = GeneratedLines::find(name, {});
               entry && !GeneratedLines::variableOf(*entry).isEmpty() &&
               (m_mapLine >= 0 || knownNow(name))) {
        checkVariable(line, command, *entry);
    } else if (m_mapLine < 0 && !knownNow(name) && !splitOff) {
        const Word &first = command.words.front();
        add(first.start, first.length, Rule::UnknownAtStart,
            fill(u"The server knows no %1 until the first map loads the game (names of "
                 "variables count their letter case): when the server starts with this "
                 "file, the line does nothing. Use \"set\" to create a variable.",
                 {quotedText(first.text)}));
    }
}

void Checker::checkSetMaster(QStringView text, qsizetype start) {
    if (const qsizetype high = firstNotAscii(text); high >= 0)
        add(start + high, 1, Rule::BlankLetter,
            fill(u"The server takes %1 as a blank outside quotes: it splits a master "
                 "server's name there.",
                 {quotedText(text.sliced(high, 1))}));
}

// An alias the file defines, and whether running it loads a map.
void Checker::noteAlias(const Command &command) {
    if (command.words.size() < 2)
        return;
    m_aliases.insert(command.words[1].text.toString().toLower(),
                     QuakeConsole::aliasLoadsMap(command));
}

// Why a command got more words than it takes: a quote that ends a quoted
// word early or sits inside a word, a letter beyond ASCII that the server
// takes as a blank, or simply a blank.
Checker::Refusal Checker::wordsAfterRefusal(QStringView line, const Command &command,
                                            qsizetype from) const {
    using Cause = Refusal::Cause;
    for (qsizetype i = 0; i < command.words.size(); ++i) {
        const Word &word = command.words[i];
        if (word.start < from)
            continue;
        const qsizetype after = word.start + word.length;
        if (word.quoted && i + 1 < command.words.size() && command.words[i + 1].start == after)
            return {Cause::QuoteEndsEarly, fill(u"the quote before %1 ends the quoted value early",
                                                {quotedText(command.words[i + 1].text)})};
        if (!word.quoted && word.text.contains(u'"'))
            return {Cause::QuoteInWord,
                    fill(u"the quote in %1 breaks the value into words", {quotedText(word.text)})};
    }
    const Word &last = command.words.back();
    const QStringView tail = line.sliced(from, last.start + last.length - from);
    if (const qsizetype high = firstNotAscii(tail); high >= 0)
        return {Cause::BlankLetter,
                fill(u"the server takes %1 as a blank", {quotedText(tail.sliced(high, 1))})};
    return {Cause::MoreWords, QStringLiteral("the value is more than one word")};
}

void Checker::checkSet(QStringView line, const Command &command) {
    using QuakeConsole::SetForm;
    const SetForm form = QuakeConsole::setForm(command);
    const qsizetype start = command.words.front().start;
    const Word &last = command.words.back();
    const qsizetype length = last.start + last.length - start;
    if (form == SetForm::TooFewWords) {
        add(start, length, Rule::Refused,
            command.words.size() == 1
                ? QStringLiteral("\"set\" needs a name and a value: the server refuses the line.")
                : fill(u"The value is empty: \"set\" needs a name and a value, so the "
                       "server refuses the line and %1 keeps what it had.",
                       {quotedText(command.words[1].text)}));
        return;
    }
    if (form != SetForm::Accepted) {
        using Cause = Refusal::Cause;
        const Refusal refusal = wordsAfterRefusal(line, command, command.words[2].start);
        const QString why =
            form == SetForm::BadFlag && command.words[2].quoted && refusal.cause == Cause::MoreWords
                ? fill(u"%1 is no flag", {quotedText(command.words[3].text)})
                : refusal.text;
        const bool quote =
            refusal.cause == Cause::QuoteEndsEarly || refusal.cause == Cause::QuoteInWord;
        add(start, length, quote ? Rule::QuoteBreak : Rule::Refused,
            fill(u"The server refuses this line and %1 keeps what it had: %2, and "
                 "\"set\" takes only a name, a value and the flag u or s.",
                 {quotedText(command.words[1].text), why}));
        return;
    }
    const QStringView variable = command.words[1].text;
    if (QuakeConsole::isWriteProtected(variable)) {
        add(command.words[1].start, command.words[1].length, Rule::Refused,
            fill(u"%1 is write protected: the server keeps its own value.",
                 {quotedText(variable)}));
        return;
    }
    const bool flagged = command.words.size() == 4;
    const bool exists = knownNow(variable);
    // The server tests a value for the info only where the variable is in
    // it already, or where a flag creates it there.
    const bool tested = flagged ? !exists : infoNow(variable);
    const bool info = flagged ? command.words[3].text == u"s" : infoNow(variable);
    checkValue(line, command.words[2], variable, tested, info,
               GeneratedLines::find(u"set", variable));
    if (tested && !validInfo(command.words[2].text))
        return;
    m_created.insert(variable.toString(), info);
    if (info)
        m_info[variable] = {m_line, command.words[2].start, command.words[2].length, answer(),
                            command.words[2].text.size()};
}

bool Checker::infoNow(QStringView variable) const {
    const auto created = m_created.constFind(variable.toString());
    return created != m_created.cend() ? *created : QuakeConsole::isServerInfo(variable);
}

void Checker::checkVariable(QStringView line, const Command &command,
                            const GeneratedLines::Command &entry) {
    const Word &first = command.words.front();
    if (command.words.size() == 1) {
        add(first.start, first.length, Rule::Refused,
            fill(u"There is no value: the server only shows what %1 holds.",
                 {quotedText(first.text)}));
        return;
    }
    if (command.words.size() > 2) {
        const Word &extra = command.words[2];
        const Word &last = command.words.back();
        add(extra.start, last.start + last.length - extra.start, Rule::ExtraWords,
            fill(u"The server takes only %1 and drops the rest: %2.",
                 {quotedText(command.words[1].text),
                  wordsAfterRefusal(line, command, command.words[1].start).text}));
    }
    const bool info = infoNow(first.text);
    checkValue(line, command.words[1], first.text, info, info, &entry);
}

void Checker::checkMap(QStringView line, const Command &command) {
    const Word &first = command.words.front();
    if (command.words.size() == 1) {
        add(first.start, first.length, Rule::MapRefused,
            QStringLiteral("The map name is empty: the server loads no map."));
        return;
    }
    if (command.words.size() > 2) {
        const Word &last = command.words.back();
        add(command.words[1].start, last.start + last.length - command.words[1].start,
            Rule::MapRefused,
            fill(u"The server loads no map: %1, and \"map\" takes exactly one name.",
                 {wordsAfterRefusal(line, command, command.words[1].start).text}));
        return;
    }
    const QStringView map = command.words[1].text;
    if (map.endsWith(u".bsp", Qt::CaseInsensitive))
        add(command.words[1].start, command.words[1].length, Rule::MapRefused,
            fill(u"The server adds \".bsp\" itself: it looks for %1 and loads no map.",
                 {quotedText(QStringLiteral("maps/%1.bsp").arg(map))}));
    else
        checkValue(line, command.words[1], {}, false, false, nullptr);
    if (m_mapLine < 0) {
        m_mapLine = m_line;
        m_mapName = map.size();
    }
}

void Checker::checkValue(QStringView line, const Word &value, QStringView variable, bool tested,
                         bool info, const GeneratedLines::Command *entry) {
    const QStringView text = value.text;
    const qsizetype after = value.start + value.length;
    const qsizetype letter =
        !value.quoted && after < line.size() && line[after].unicode() >= 0x80 ? after
        : !value.quoted && value.start > 0 && line[value.start - 1].unicode() >= 0x80
            ? value.start - 1
            : -1;
    if (letter >= 0)
        add(value.start, value.length, Rule::BlankLetter,
            fill(u"The server takes %1 as a blank outside quotes: it reads only %2 here.",
                 {quotedText(line.sliced(letter, 1)), quotedText(text)}),
            text.toString());
    if (tested && !validInfo(text)) {
        add(value.start, value.length, Rule::InfoCharacter,
            fill(u"Players see %1 in the server info, where \"\\\", \";\" and quotes are "
                 "not allowed: the server refuses the line and sets nothing.",
                 {quotedText(variable)}));
        return;
    }
    if (firstNotAscii(text) >= 0) {
        const QString shown = info ? infoText(text) : shownText(text);
        add(value.start, value.length, Rule::NotAscii,
            info ? fill(u"Players get %1 in the server info: the server takes the high bit "
                        "off every letter beyond ASCII.",
                        {quotedText(shown)})
                 : fill(u"The server's font has no %1: its lists show %2.",
                        {quotedText(text.sliced(firstNotAscii(text), 1)), quotedText(shown)}),
            shown);
    }
    if (info && text.size() > QuakeConsole::InfoValueLimit)
        add(value.start, value.length, Rule::InfoTooLong,
            fill(u"The server keeps this value but leaves it out of the server info "
                 "players see, which takes values of at most %1 characters (this "
                 "one has %2).",
                 {QString::number(QuakeConsole::InfoValueLimit), QString::number(text.size())}));
    if (entry && entry->number()) {
        // Blanks around a number are no part of it: the game reads past them.
        const auto [exact, number, whole] = QuakeConsole::readNumber(text.trimmed());
        const bool lost =
            std::isfinite(exact) && exact == std::trunc(exact) && double(number) != exact;
        if (!whole || lost || !std::isfinite(number))
            add(value.start, value.length, Rule::NotANumber,
                fill(u"The server keeps the text %1, which the game reads as the "
                     "number %2.",
                     {quotedText(text), numberText(number)}),
                numberText(number));
    }
}

// The server builds its info string from its variables in alphabetical order
// and leaves out each entry that would take it past its limit.
void Checker::checkInfoString() {
    // Once a map loads, the server adds its name and the game its own keys.
    QList<std::pair<QString, qsizetype>> own;
    for (const auto &entry : QuakeConsole::serverOwnInfo())
        own.append({QString(entry.key), entry.value.size()});
    if (m_mapLine >= 0) {
        own.append({QStringLiteral("mapname"), m_mapName});
        for (const auto &entry : QuakeConsole::gameOwnInfo())
            own.append({QString(entry.key), entry.value.size()});
    }
    std::map<QStringView, InfoValue> all = m_info;
    for (const auto &[key, length] : own)
        all.try_emplace(key, InfoValue{-1, 0, 0, {}, length});
    qsizetype total = 0;
    for (const auto &[key, value] : all) {
        if (value.valueLength == 0 || value.valueLength > QuakeConsole::InfoValueLimit)
            continue;
        const qsizetype entry = 2 + key.size() + value.valueLength;
        if (total + entry <= QuakeConsole::InfoStringLimit) {
            total += entry;
            continue;
        }
        if (value.line < 0)
            continue;
        m_line = value.line;
        m_answer = value.answer;
        m_answerKnown = true;
        add(value.start, value.length, Rule::InfoTooLong,
            fill(u"The server info would grow past the %1 characters the server "
                 "allows%3: the server keeps %2 but leaves it out of what players see.",
                 {QString::number(QuakeConsole::InfoStringLimit), quotedText(key),
                  m_mapLine >= 0 ? u" once the map adds its name and the game its keys (as "
                                   u"the stock game does; a modification's may differ)"
                                 : u""}));
    }
}

} // namespace

Effect effectOf(Rule rule) {
    switch (rule) {
    case Rule::CommandSplit:
    case Rule::Macro:
    case Rule::CommandCut:
    case Rule::ExtraWords:
    case Rule::BlankLetter:
        return Effect::Changed;
    case Rule::NotANumber:
        return Effect::ReadAs;
    case Rule::NotAscii:
        return Effect::ShownAs;
    case Rule::InfoTooLong:
        return Effect::LeftOut;
    case Rule::AfterMap:
        return Effect::Later;
    case Rule::QuoteBreak:
    case Rule::Refused:
    case Rule::MapRefused:
    case Rule::InfoCharacter:
    case Rule::UnknownAtStart:
    case Rule::FileTooLong:
    case Rule::NulCharacter:
        break;
    }
    return Effect::NotSet;
}

QList<Finding> check(QStringView text) {
    return Checker(text).run();
}

} // namespace ConsoleCheck
