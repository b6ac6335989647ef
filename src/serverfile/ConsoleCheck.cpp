#include "ConsoleCheck.h"

#include "GeneratedLines.h"
#include "QuakeConsole.h"
#include "ServerFileFormat.h"

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
    void checkCommand(QStringView line, const Command &command, bool splitOff, bool afterComment);
    void checkSet(QStringView line, const Command &command);
    void checkVariable(QStringView line, const Command &command,
                       const GeneratedLines::Command &entry);
    void checkMap(QStringView line, const Command &command);
    void checkValue(QStringView line, const Word &value, QStringView variable, bool info,
                    const GeneratedLines::Command *entry);
    void checkInfoString();
    void add(qsizetype start, qsizetype length, Rule rule, QString message, QString detail = {});
    QString wordsAfterRefusal(QStringView line, const Command &command, qsizetype from) const;

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
};

QLatin1StringView Checker::answer() {
    if (!m_answerKnown) {
        const GeneratedLines::Command *command =
            m_rawIndex >= 0 ? GeneratedLines::rawCodeCommand(m_rawIndex)
                            : GeneratedLines::commandOf(
                                  m_lineText.endsWith(u'\r') ? m_lineText.chopped(1) : m_lineText);
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
    qsizetype bytes = m_text.size();
    if (nul >= 0)
        bytes += m_text.sliced(nul).count(u'\n') - m_text.sliced(nul).count(u"\r\n");

    enum class Block { First, RawCode, After } block = Block::First;
    int rawIndex = 0;
    qsizetype from = 0;
    while (from <= readable.size()) {
        qsizetype end = readable.indexOf(u'\n', from);
        if (end < 0)
            end = readable.size();
        QStringView line = readable.sliced(from, end - from);
        if (end < readable.size() && !line.endsWith(u'\r'))
            ++bytes;
        const QStringView bare = line.endsWith(u'\r') ? line.chopped(1) : line;

        m_lineText = line;
        m_answerKnown = false;
        m_rawIndex =
            block == Block::RawCode && bare != ServerFileFormat::RawCodeEnd ? rawIndex++ : -1;
        if (block == Block::First)
            block = bare == ServerFileFormat::Marker ? Block::RawCode : Block::After;
        else if (block == Block::RawCode && bare == ServerFileFormat::RawCodeEnd)
            block = Block::After;

        checkLine(line);
        ++m_line;
        from = end + 1;
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
        // in a comment, or in an answer the program wrote into its line.
        const bool splitOff = !first || m_command.start > 0;
        checkCommand(line, m_command, splitOff && (afterComment || !answer().isEmpty()),
                     afterComment);
        afterComment = m_command.comment >= 0;
        first = false;
    }
}

void Checker::checkCommand(QStringView line, const Command &command, bool splitOff,
                           bool afterComment) {
    if (command.words.isEmpty() && command.unmatchedQuote < 0)
        return; // a comment
    if (m_mapLine >= 0) {
        add(command.start, command.end - command.start, Rule::AfterMap,
            fill(u"The server never runs this: loading the map on line %1 sets the "
                 "rest of the file aside.",
                 {QString::number(m_mapLine + 1)}));
        return;
    }
    const qsizetype end = command.cut ? command.start + QuakeConsole::CommandLimit : command.end;
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
    if (command.unmatchedQuote >= 0) {
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
    const QStringView name = command.name();
    if (name.compare(u"set", Qt::CaseInsensitive) == 0)
        checkSet(line, command);
    else if (name.compare(u"map", Qt::CaseInsensitive) == 0)
        checkMap(line, command);
    else if (const auto *entry = GeneratedLines::find(name, {});
             entry && entry->variable.isEmpty() &&
             entry->field != GeneratedLines::Field::MasterServers)
        checkVariable(line, command, *entry);
}

// Why a command got more words than it takes: a quote that ends a quoted
// word early or sits inside a word, a letter beyond ASCII that the server
// takes as a blank, or simply a blank.
QString Checker::wordsAfterRefusal(QStringView line, const Command &command, qsizetype from) const {
    for (qsizetype i = 0; i < command.words.size(); ++i) {
        const Word &word = command.words[i];
        if (word.start < from)
            continue;
        const qsizetype after = word.start + word.length;
        if (word.quoted && i + 1 < command.words.size() && command.words[i + 1].start == after)
            return fill(u"the quote before %1 ends the quoted value early",
                        {quotedText(command.words[i + 1].text)});
        if (!word.quoted && word.text.contains(u'"'))
            return fill(u"the quote in %1 breaks the value into words", {quotedText(word.text)});
    }
    const Word &last = command.words.back();
    const QStringView tail = line.sliced(from, last.start + last.length - from);
    if (const qsizetype high = firstNotAscii(tail); high >= 0)
        return fill(u"the server takes %1 as a blank", {quotedText(tail.sliced(high, 1))});
    return QStringLiteral("the value is more than one word");
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
        QString why = wordsAfterRefusal(line, command, command.words[2].start);
        if (form == SetForm::BadFlag && command.words[2].quoted &&
            why == QLatin1StringView("the value is more than one word"))
            why = fill(u"%1 is no flag", {quotedText(command.words[3].text)});
        const bool quote = why.startsWith(QLatin1StringView("the quote"));
        add(start, length, quote ? Rule::QuoteBreak : Rule::Refused,
            fill(u"The server refuses this line and %1 keeps what it had: %2, and "
                 "\"set\" takes only a name, a value and the flag u or s.",
                 {quotedText(command.words[1].text), why}));
        return;
    }
    const QStringView variable = command.words[1].text;
    const bool flagged = command.words.size() == 4;
    const bool info = flagged || QuakeConsole::isServerInfo(variable);
    checkValue(line, command.words[2], variable, info, GeneratedLines::find(u"set", variable));
    if (info && !(flagged && command.words[3].text == u"u"))
        m_info[variable] = {m_line, command.words[2].start, command.words[2].length, answer(),
                            command.words[2].text.size()};
}

void Checker::checkVariable(QStringView line, const Command &command,
                            const GeneratedLines::Command &entry) {
    const Word &first = command.words.front();
    if (!QuakeConsole::knownAtStart(first.text)) {
        add(first.start, first.length, Rule::UnknownAtStart,
            fill(u"The server knows no %1 until the first map loads the game: when "
                 "the server starts with this file, the line does nothing.",
                 {quotedText(first.text)}));
        return;
    }
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
                  wordsAfterRefusal(line, command, command.words[1].start)}));
    }
    checkValue(line, command.words[1], first.text, false, &entry);
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
                 {wordsAfterRefusal(line, command, command.words[1].start)}));
        return;
    }
    checkValue(line, command.words[1], {}, false, nullptr);
    m_mapLine = m_line;
}

void Checker::checkValue(QStringView line, const Word &value, QStringView variable, bool info,
                         const GeneratedLines::Command *entry) {
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
    if (info && (text.contains(u'\\') || text.contains(u';') || text.contains(u'"'))) {
        add(value.start, value.length, Rule::InfoCharacter,
            fill(u"Players see %1 in the server info, where \"\\\", \";\" and quotes are "
                 "not allowed: the server refuses the line and sets nothing.",
                 {quotedText(variable)}));
        return;
    }
    if (firstNotAscii(text) >= 0) {
        const QString shown = shownText(text);
        add(value.start, value.length, Rule::NotAscii,
            fill(u"The server's font has no %1: its lists show %2.",
                 {quotedText(text.sliced(firstNotAscii(text), 1)), quotedText(shown)}),
            shown);
    }
    if (info && text.size() > QuakeConsole::InfoValueLimit)
        add(value.start, value.length, Rule::InfoTooLong,
            fill(u"The server keeps this value but leaves it out of the server info "
                 "players see, which takes values of at most %1 characters (this "
                 "one has %2).",
                 {QString::number(QuakeConsole::InfoValueLimit), QString::number(text.size())}));
    if (entry && entry->number) {
        const auto [exact, number, whole] = QuakeConsole::readNumber(text);
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
    QStringList ownKeys;
    for (const auto &entry : QuakeConsole::serverOwnInfo())
        ownKeys.append(QString(entry.key));
    std::map<QStringView, InfoValue> all = m_info;
    for (qsizetype i = 0; i < ownKeys.size(); ++i)
        all.try_emplace(
            ownKeys[i],
            InfoValue{-1, 0, 0, {}, QuakeConsole::serverOwnInfo()[std::size_t(i)].value.size()});
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
                 "allows: the server keeps %2 but leaves it out of what players see.",
                 {QString::number(QuakeConsole::InfoStringLimit), quotedText(key)}));
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
    case Rule::QuoteBreak:
    case Rule::Refused:
    case Rule::MapRefused:
    case Rule::InfoCharacter:
    case Rule::UnknownAtStart:
    case Rule::AfterMap:
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
