#include "ServerSettings.h"

#include <QtGlobal>

namespace RawCode {

QStringList values(const ServerSettingsRecord &s) {
    return {s.AdminEmail,
            s.AdminWebsite,
            s.AdminLocation,
            s.AdminName,
            s.GameType.text(),
            s.AmmoGiven.text(),
            s.PublicServer.text(),
            s.MasterServers,
            s.Hostname,
            s.RconPassword,
            s.DMFlags.text(),
            s.WeaponBan.text(),
            s.FeatureBan.text(),
            s.Fraglimit,
            s.Timelimit,
            s.Maxclients,
            s.AllowDownload.text(),
            s.AllowDownloadPlayers.text(),
            s.AllowDownloadModels.text(),
            s.AllowDownloadSounds.text(),
            s.AllowDownloadMaps.text(),
            s.IdleDetect,
            s.MaplistFile,
            s.MotdFile,
            s.InitialMap};
}

void restore(ServerSettingsRecord &s, const QStringList &v) {
    Q_ASSERT(v.size() == FieldCount);
    int i = 0;
    s.AdminEmail = v[i++];
    s.AdminWebsite = v[i++];
    s.AdminLocation = v[i++];
    s.AdminName = v[i++];
    s.GameType = SettingNumber::fromText(v[i++]);
    s.AmmoGiven = SettingNumber::fromText(v[i++]);
    s.PublicServer = SettingNumber::fromText(v[i++]);
    s.MasterServers = v[i++];
    s.Hostname = v[i++];
    s.RconPassword = v[i++];
    s.DMFlags = SettingNumber::fromText(v[i++]);
    s.WeaponBan = SettingNumber::fromText(v[i++]);
    s.FeatureBan = SettingNumber::fromText(v[i++]);
    s.Fraglimit = v[i++];
    s.Timelimit = v[i++];
    s.Maxclients = v[i++];
    s.AllowDownload = SettingNumber::fromText(v[i++]);
    s.AllowDownloadPlayers = SettingNumber::fromText(v[i++]);
    s.AllowDownloadModels = SettingNumber::fromText(v[i++]);
    s.AllowDownloadSounds = SettingNumber::fromText(v[i++]);
    s.AllowDownloadMaps = SettingNumber::fromText(v[i++]);
    s.IdleDetect = v[i++];
    s.MaplistFile = v[i++];
    s.MotdFile = v[i++];
    s.InitialMap = v[i++];
}

} // namespace RawCode
