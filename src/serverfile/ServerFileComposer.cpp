#include "ServerFileComposer.h"

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

    w.line().lit("// Begin admin ident section.");
    w.line().lit("set email ").quoted(s.AdminEmail).lit(" s");
    w.line().lit("set website ").quoted(s.AdminWebsite).lit(" s");
    w.line().lit("set location ").quoted(s.AdminLocation).lit(" s");
    w.line().lit("set admin ").quoted(s.AdminName).lit(" s");
    w.line().lit("// End admin ident section.");
    w.line();

    w.line().lit("// Kestrune Server File - Created ").val(creationTime);
    w.line();
    w.line().lit("set gametype ").val(s.GameType.text()).lit("   // ").val(s.GameTypeName);
    w.line().lit("set public ").val(s.PublicServer.text());
    w.line().lit("set hostname ").quoted(s.Hostname);
    w.line().lit("set rcon_password ").quoted(s.RconPassword);
    w.line().val(s.HighScorerLine);
    w.line().lit(s.PublicServer.is(1) ? "setmaster " : "//setmaster ").val(s.MasterServers);
    if (!s.PresetGameType) {
        if (s.RandomizerChosen)
            w.line().lit("set randomize_weapon ").val(s.RandomizerType);
        else
            w.line().lit("set default_weapon ").val(s.DefaultWeapon);
        w.line().lit("set ammo_given ").val(s.AmmoGiven.text());
    }
    w.line().lit("set dmflags ").val(s.DMFlags.text());
    w.line().lit("set weaponban ").val(s.WeaponBan.text());
    w.line().lit("set featureban ").val(s.FeatureBan.text());
    w.line().lit("set fragban 0");
    w.line().lit("set fraglimit ").val(s.Fraglimit);
    w.line().lit("set timelimit ").val(s.Timelimit);
    w.line().lit("set maxclients ").val(s.Maxclients);
    w.line().lit("set allow_download ").val(s.AllowDownload.text());
    w.line().lit("allow_download_players ").val(s.AllowDownloadPlayers.text());
    w.line().lit("allow_download_models ").val(s.AllowDownloadModels.text());
    w.line().lit("allow_download_sounds ").val(s.AllowDownloadSounds.text());
    w.line().lit("allow_download_maps ").val(s.AllowDownloadMaps.text());
    w.line().lit("idledetect ").val(s.IdleDetect);
    w.line().lit("set maplist 1");
    w.line().lit("set maplistfile ").quoted(s.MaplistFile);
    w.line().lit("set motdfile ").quoted(s.MotdFile);
    w.line().lit("map ").val(s.InitialMap);
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
