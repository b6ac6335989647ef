#include "ServerFileComposer.h"

#include "GeneratedLines.h"
#include "ServerFileFormat.h"

#include <QLocale>

namespace {

// A line break inside a value would split a command and shift every later
// raw-code line; each one (CR LF, CR or LF) is written as one blank.
void appendValue(QString &out, QStringView value) {
    if (!value.contains(u'\r') && !value.contains(u'\n')) {
        out += value;
        return;
    }
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\r') {
            if (i + 1 < value.size() && value[i + 1] == u'\n')
                ++i;
            out += u' ';
        } else if (c == u'\n') {
            out += u' ';
        } else {
            out += c;
        }
    }
}

class Writer {
public:
    explicit Writer(QString &out)
        : m_out(out) {}

    // Starts a new line: every line but the first is preceded by CR LF.
    Writer &line() {
        if (!m_first)
            m_out += ServerFileFormat::LineBreak;
        m_first = false;
        return *this;
    }
    Writer &lit(QLatin1StringView text) {
        m_out += text;
        return *this;
    }
    Writer &lit(const char *text) { return lit(QLatin1StringView(text)); }
    Writer &val(QStringView value) {
        appendValue(m_out, value);
        return *this;
    }
    Writer &quoted(QStringView value) { return lit("\"").val(value).lit("\""); }

private:
    QString &m_out;
    bool m_first = true;
};

bool writes(GeneratedLines::When when, const ServerSettingsRecord &s) {
    using GeneratedLines::When;
    switch (when) {
    case When::Always:
        return true;
    case When::Randomizer:
        return !s.PresetGameType && s.RandomizerChosen;
    case When::DefaultWeapon:
        return !s.PresetGameType && !s.RandomizerChosen;
    case When::NoPreset:
        return !s.PresetGameType;
    }
    return true;
}

void writeCommand(Writer &w, const GeneratedLines::Command &command,
                  const ServerSettingsRecord &s) {
    using S = ServerSettingsRecord;
    if (command.holds(&S::HighScorerLine)) {
        w.line().val(s.HighScorerLine);
        return;
    }
    w.line();
    // A server that is not public keeps its master-server list, commented out.
    if (command.holds(&S::MasterServers) && !s.PublicServer.is(1))
        w.lit(GeneratedLines::PrivateMasterPrefix);
    w.lit(command.word).lit(" ");
    if (!command.variable.isEmpty())
        w.lit(command.variable).lit(" ");
    const QString value =
        command.fixed() ? QString(command.fixedValue) : GeneratedLines::fieldText(s, command.field);
    if (command.quoted())
        w.quoted(value);
    else
        w.val(value);
    if (command.serverInfo())
        w.lit(" s");
    if (command.holds(&S::GameType))
        w.lit(GeneratedLines::GameTypeNameSeparator).val(s.GameTypeName);
}

} // namespace

QString composeServerFile(const ServerSettingsRecord &s, const QString &creationTime) {
    QString out;
    out.reserve(2048);
    Writer w(out);

    w.line().lit(ServerFileFormat::Marker);
    for (const QString &value : RawCode::values(s))
        w.line().lit("//").val(value);
    w.line().lit(ServerFileFormat::RawCodeEnd);
    w.line();

    w.line().lit(GeneratedLines::AdminSectionBegin);
    for (const GeneratedLines::Command &command : GeneratedLines::commands())
        if (command.serverInfo())
            writeCommand(w, command, s);
    w.line().lit(GeneratedLines::AdminSectionEnd);
    w.line();

    w.line().lit(GeneratedLines::CreatedPrefix).val(creationTime);
    w.line();
    for (const GeneratedLines::Command &command : GeneratedLines::commands())
        if (!command.serverInfo() && writes(command.when, s))
            writeCommand(w, command, s);
    w.line();
    w.line().lit(ServerFileFormat::EndLine);
    return out;
}

QString creationTimeText(const QDateTime &localTime) {
    const QLocale locale = QLocale::system();
    // The long time form carries the seconds; its time-zone part is not wanted.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    timeFormat = timeFormat.trimmed();
    return locale.toString(localTime.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(localTime.time(), timeFormat);
}
