#include "FirstAnswers.h"

namespace FirstAnswers {

ServerSettingsRecord record() {
    ServerSettingsRecord s;
    s.AdminName = QString::fromLatin1(AdminName);
    s.AdminEmail = QString::fromLatin1(AdminEmail);
    s.AdminLocation = QString::fromLatin1(AdminLocation);
    s.AdminWebsite = QString::fromLatin1(AdminWebsite);
    s.DMFlags = 0;
    s.WeaponBan = 0;
    s.FeatureBan = 0;
    s.PublicServer = 0;
    s.MasterServers = QString::fromLatin1(MasterServers);
    s.Hostname = QString::fromLatin1(Hostname);
    s.Fraglimit = QString::fromLatin1(Fraglimit);
    s.Timelimit = QString::fromLatin1(Timelimit);
    s.Maxclients = QString::fromLatin1(Maxclients);
    s.AllowDownload = 0;
    s.AllowDownloadPlayers = 0;
    s.AllowDownloadModels = 0;
    s.AllowDownloadSounds = 0;
    s.AllowDownloadMaps = SettingNumber::fromText(QStringLiteral("0"));
    s.IdleDetect = QString::fromLatin1(IdleDetect);
    s.InitialMap = QString::fromLatin1(InitialMap);
    s.HighScorerLine = highScorerLine(u"0");
    return s;
}

} // namespace FirstAnswers
