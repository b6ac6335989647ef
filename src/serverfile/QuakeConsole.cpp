#include "QuakeConsole.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace QuakeConsole {

namespace {

using L = QLatin1StringView;

// What a dedicated server holds in its server info before any script runs; a
// script can change the values of some of them.
constexpr std::array kServerInfo{
    InfoEntry{L("cheats"), L("0")},
    InfoEntry{L("coop"), L("0")},
    InfoEntry{L("deathmatch"), L("0")},
    InfoEntry{L("dmflags"), L("16")},
    InfoEntry{L("fraglimit"), L("0")},
    InfoEntry{L("hostname"), L("noname")},
    InfoEntry{L("maxclients"), L("1")},
    InfoEntry{L("protocol"), L("34")},
    InfoEntry{L("singleplayer"), L("0")},
    InfoEntry{L("timelimit"), L("0")},
    InfoEntry{L("version"), L("8.20 x86_64 Jan  8 2023 Linux")},
};

// Commands of the dedicated server itself, as its "cmdlist" lists them.
constexpr std::array kCommandsAtStart{
    L("alias"),      L("cmdlist"),      L("cvarlist"),   L("dec"),  L("demomap"),
    L("dir"),        L("dumpuser"),     L("echo"),       L("exec"), L("gamemap"),
    L("gamemode"),   L("heartbeat"),    L("inc"),        L("kick"), L("killserver"),
    L("link"),       L("listmaps"),     L("load"),       L("map"),  L("path"),
    L("quit"),       L("reset"),        L("resetall"),   L("save"), L("say"),
    L("serverinfo"), L("serverrecord"), L("serverstop"), L("set"),  L("setmaster"),
    L("status"),     L("sv"),           L("toggle"),     L("vstr"), L("wait"),
    L("z_stats"),
};

// Variables of the dedicated server itself, as its "cvarlist" lists them
// before a game is loaded, with "ip" and "port" that a command line sets; a
// game's own variables appear only when the first map loads the game.
constexpr std::array kVariablesAtStart{
    L("allow_download"),
    L("allow_download_maps"),
    L("allow_download_models"),
    L("allow_download_players"),
    L("allow_download_sounds"),
    L("basedir"),
    L("cddir"),
    L("cheats"),
    L("cl_maxfps"),
    L("cl_run"),
    L("colorterminal"),
    L("coop"),
    L("crosshair"),
    L("deathmatch"),
    L("dedicated"),
    L("developer"),
    L("dmflags"),
    L("fixedtime"),
    L("fraglimit"),
    L("freelook"),
    L("fs_debug"),
    L("game"),
    L("hand"),
    L("hostname"),
    L("ip"),
    L("logfile"),
    L("lookspring"),
    L("lookstrafe"),
    L("m_forward"),
    L("m_pitch"),
    L("m_side"),
    L("m_yaw"),
    L("maxclients"),
    L("modder"),
    L("paused"),
    L("protocol"),
    L("public"),
    L("qport"),
    L("rcon_password"),
    L("sensitivity"),
    L("showclamp"),
    L("showdrop"),
    L("showpackets"),
    L("singleplayer"),
    L("skill"),
    L("sv_airaccelerate"),
    L("sv_downloadserver"),
    L("sv_enforcetime"),
    L("sv_entfile"),
    L("sv_noreload"),
    L("timedemo"),
    L("timelimit"),
    L("timeout"),
    L("timescale"),
    L("version"),
    L("vid_fullscreen"),
    L("viewsize"),
    L("zombietime"),
    L("port"),
};

// Variables the server does not let a script change ("is write protected").
constexpr std::array kWriteProtected{
    L("basedir"), L("cddir"), L("dedicated"), L("protocol"), L("qport"), L("version"),
};

bool startsComment(QStringView line, qsizetype i, qsizetype end) {
    return line[i] == u'/' && i + 1 < end && line[i + 1] == u'/';
}

} // namespace

qsizetype commandEnd(QStringView line, qsizetype from) {
    bool quoted = false;
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u';' && !quoted)
            return i;
    }
    return line.size();
}

Word nextWord(QStringView line, qsizetype &from, qsizetype end, qsizetype *comment) {
    while (from < end && isBlank(line[from]))
        ++from;
    if (from >= end)
        return {end, 0, false, {}};
    if (startsComment(line, from, end)) {
        if (comment)
            *comment = from;
        from = end;
        return {end, 0, false, {}};
    }
    const qsizetype start = from;
    if (line[from] == u'"') {
        const qsizetype close = line.first(end).indexOf(u'"', from + 1);
        const qsizetype textEnd = close < 0 ? end : close;
        from = close < 0 ? end : close + 1;
        return {start, from - start, true, line.sliced(start + 1, textEnd - start - 1)};
    }
    while (from < end && !isBlank(line[from]))
        ++from;
    return {start, from - start, false, line.sliced(start, from - start)};
}

QList<Command> commands(QStringView line) {
    QList<Command> out;
    qsizetype from = 0;
    for (Command command; nextCommand(line, from, command);)
        out.append(command);
    return out;
}

bool nextCommand(QStringView line, qsizetype &from, Command &command) {
    while (from <= line.size()) {
        command = Command();
        command.start = from;
        // One pass finds the command's end, its quotes and each "$" outside
        // quotes in the part the server reads.
        const qsizetype limit = from + CommandLimit;
        bool quoted = false;
        int quotes = 0;
        qsizetype lastQuote = -1;
        QVarLengthArray<qsizetype, 4> dollars;
        qsizetype i = from;
        for (; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == u'"') {
                quoted = !quoted;
                if (i < limit)
                    ++quotes, lastQuote = i;
            } else if (c == u';' && !quoted) {
                break;
            } else if (c == u'$' && !quoted && i < limit) {
                dollars.append(i);
            }
        }
        command.end = i;
        from = i + 1;
        const qsizetype end = qMin(i, limit);
        command.cut = i > limit;
        qsizetype at = command.start;
        for (Word word = nextWord(line, at, end, &command.comment); word.length > 0;
             word = nextWord(line, at, end, &command.comment))
            command.words.append(word);
        if (quotes % 2 != 0) {
            command.unmatchedQuote = lastQuote;
        } else {
            // The server replaces a "$" by the variable the word after it
            // names; in a comment that changes nothing.
            for (const qsizetype dollar : dollars) {
                qsizetype after = dollar + 1;
                if (command.comment >= 0 && dollar > command.comment)
                    break;
                if (nextWord(line, after, end).length > 0) {
                    command.macro = dollar;
                    break;
                }
            }
        }
        if (!command.words.isEmpty() || command.unmatchedQuote >= 0 || command.comment >= 0)
            return true;
    }
    return false;
}

bool loadsMap(const Command &command) {
    return command.words.size() == 2 &&
           (sameCommand(command.name(), u"map") || sameCommand(command.name(), u"gamemap"));
}

bool aliasLoadsMap(const Command &command) {
    if (command.words.size() < 3 || !sameCommand(command.name(), u"alias"))
        return false;
    const QList<Command> inner = commands(command.words[2].text);
    return std::any_of(inner.begin(), inner.end(), loadsMap);
}

SetForm setForm(const Command &command) {
    const qsizetype count = command.words.size();
    if (count < 3)
        return SetForm::TooFewWords;
    if (count > 4)
        return SetForm::TooManyWords;
    if (count == 4 && command.words[3].text != u"u" && command.words[3].text != u"s")
        return SetForm::BadFlag;
    return SetForm::Accepted;
}

bool sameCommand(QAnyStringView a, QAnyStringView b) {
    return QAnyStringView::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool sameVariable(QAnyStringView a, QAnyStringView b) {
    return QAnyStringView::equal(a, b);
}

QList<Line> lines(QStringView text) {
    QList<Line> out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(u'\n', start);
        QStringView line = text.sliced(start, (end < 0 ? text.size() : end) - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        out.append({start, line});
        if (end < 0)
            return out;
        start = end + 1;
    }
}

bool isServerInfo(QStringView variable) {
    for (const InfoEntry &entry : kServerInfo)
        if (sameVariable(entry.key, variable))
            return true;
    return false;
}

bool isCommandAtStart(QStringView name) {
    for (const QLatin1StringView known : kCommandsAtStart)
        if (sameCommand(known, name))
            return true;
    return false;
}

bool knownAtStart(QStringView name) {
    if (isCommandAtStart(name))
        return true;
    for (const QLatin1StringView known : kVariablesAtStart)
        if (sameVariable(known, name))
            return true;
    return false;
}

bool isWriteProtected(QStringView variable) {
    for (const QLatin1StringView known : kWriteProtected)
        if (sameVariable(known, variable))
            return true;
    return false;
}

std::span<const InfoEntry> serverOwnInfo() {
    return kServerInfo;
}

std::span<const InfoEntry> gameOwnInfo() {
    static constexpr std::array entries{
        InfoEntry{L("gamedate"), L("Jan  8 2023")},
        InfoEntry{L("gamename"), L("baseq2")},
        InfoEntry{L("maxspectators"), L("4")},
        InfoEntry{L("needpass"), L("0")},
    };
    return entries;
}

namespace {

// strtod in the C locale: the longest number at the start of the text, with
// its length; 0 and length 0 when there is none.
std::pair<double, qsizetype> strtodPrefix(QStringView text) {
    const QByteArray bytes = text.toLatin1();
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    const char *p = begin;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    double value = 0;
    const char *stop = p;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        const auto hex = std::from_chars(p + 2, end, value, std::chars_format::hex);
        if (hex.ec == std::errc() || hex.ec == std::errc::result_out_of_range)
            stop = hex.ptr;
    }
    if (stop == p) {
        const auto dec = std::from_chars(p, end, value, std::chars_format::general);
        if (dec.ec == std::errc::result_out_of_range) {
            // strtod gives HUGE_VAL on overflow and 0 on underflow.
            const QByteArrayView number(p, dec.ptr);
            value = number.contains("e-") || number.contains("E-") ? 0.0 : HUGE_VAL;
        }
        if (dec.ec == std::errc() || dec.ec == std::errc::result_out_of_range)
            stop = dec.ptr;
    }
    if (stop == p)
        return {0.0, 0};
    return {negative ? -value : value, stop - begin};
}

} // namespace

NumberReading readNumber(QStringView text) {
    const auto [exact, length] = strtodPrefix(text);
    return {exact, float(exact), !text.isEmpty() && length == text.size()};
}

} // namespace QuakeConsole
