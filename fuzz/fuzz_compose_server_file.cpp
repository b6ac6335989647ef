// Composes a server file from a record of arbitrary field values, as Finish
// does with whatever was typed into the wizard, and reads it back.

#include "FuzzCheck.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileFormat.h"
#include "serverfile/ServerFileReader.h"
#include "settings/ServerSettings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

QString text(FuzzedDataProvider &in) {
    const std::string bytes = in.ConsumeRandomLengthString(256);
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// A number field holds either a page's whole number or a file's text.
SettingNumber number(FuzzedDataProvider &in) {
    if (in.ConsumeBool())
        return SettingNumber(in.ConsumeIntegral<qint64>());
    return SettingNumber::fromText(text(in));
}

// What the reader gives back for a value: every line break became one blank.
QString withBreaksAsBlanks(QString value) {
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider in(data, size);
    ServerSettingsRecord s;
    s.AdminName = text(in);
    s.AdminEmail = text(in);
    s.AdminLocation = text(in);
    s.AdminWebsite = text(in);
    s.GameType = number(in);
    s.GameTypeName = text(in);
    s.AmmoGiven = number(in);
    s.DefaultWeapon = text(in);
    s.RandomizerType = text(in);
    s.RandomizerChosen = in.ConsumeBool();
    s.PresetGameType = in.ConsumeBool();
    s.TeamGameType = in.ConsumeBool();
    s.MaplistFile = text(in);
    s.MotdFile = text(in);
    s.DMFlags = number(in);
    s.WeaponBan = number(in);
    s.FeatureBan = number(in);
    s.PublicServer = number(in);
    s.MasterServers = text(in);
    s.Hostname = text(in);
    s.RconPassword = text(in);
    s.Fraglimit = text(in);
    s.Timelimit = text(in);
    s.Maxclients = text(in);
    s.AllowDownload = number(in);
    s.AllowDownloadPlayers = number(in);
    s.AllowDownloadModels = number(in);
    s.AllowDownloadSounds = number(in);
    s.AllowDownloadMaps = number(in);
    s.IdleDetect = text(in);
    s.InitialMap = text(in);
    s.HighScorerLine = text(in);
    const QString creationTime = text(in);

    const QString composed = composeServerFile(s, creationTime);
    const QByteArray bytes = composed.toLatin1();
    FUZZ_CHECK(QString::fromLatin1(bytes) == composed);

    // Lines end with CR LF only; no value breaks a line.
    const QStringList lines = composed.split(QStringLiteral("\r\n"));
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    FUZZ_CHECK(lines.size() == (s.PresetGameType ? 62 : 64));
    FUZZ_CHECK(lines.first() == ServerFileFormat::Marker);
    FUZZ_CHECK(lines[26] == ServerFileFormat::RawCodeEnd);
    FUZZ_CHECK(lines.last() == ServerFileFormat::EndLine);
    FUZZ_CHECK(!composed.endsWith(u'\r') && !composed.endsWith(u'\n'));

    const auto read = readServerFile(bytes);
    FUZZ_CHECK(read);
    FUZZ_CHECK(read->text == composed);
    const QStringList written = RawCode::values(s);
    FUZZ_CHECK(read->rawValues.size() == written.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        FUZZ_CHECK(read->rawValues[i] == withBreaksAsBlanks(written[i]));
    return 0;
}
