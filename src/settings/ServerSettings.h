#pragma once

#include "SettingNumber.h"

#include <QString>
#include <QStringList>

// Every answer of the wizard. Text fields are written into the server file as
// they are; number fields hold a page's whole number or a file's text.
struct ServerSettingsRecord {
    // Admin details page
    QString AdminName;
    QString AdminEmail;
    QString AdminLocation;
    QString AdminWebsite;

    // Game type page
    SettingNumber GameType;
    QString GameTypeName;
    SettingNumber AmmoGiven;
    QString DefaultWeapon;
    QString RandomizerType;
    bool RandomizerChosen = false;
    bool PresetGameType = false;
    bool TeamGameType = false;

    // Associated files page
    QString MaplistFile;
    QString MotdFile;

    // DM flags and ban pages
    SettingNumber DMFlags;
    SettingNumber WeaponBan;
    SettingNumber FeatureBan;

    // General settings page, copied by the composer
    SettingNumber PublicServer;
    QString MasterServers;
    QString Hostname;
    QString RconPassword;
    QString Fraglimit;
    QString Timelimit;
    QString Maxclients;
    SettingNumber AllowDownload;
    SettingNumber AllowDownloadPlayers;
    SettingNumber AllowDownloadModels;
    SettingNumber AllowDownloadSounds;
    SettingNumber AllowDownloadMaps;
    QString IdleDetect;
    QString InitialMap;
    QString HighScorerLine;

    bool operator==(const ServerSettingsRecord &) const = default;
};

// The 25 fields of the raw-code block, in the order of its lines 2 to 26.
namespace RawCode {
inline constexpr int FieldCount = 25;
QStringList values(const ServerSettingsRecord &settings);
void restore(ServerSettingsRecord &settings, const QStringList &values);
} // namespace RawCode
