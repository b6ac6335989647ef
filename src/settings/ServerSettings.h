#pragma once

#include "SettingNumber.h"

#include <QString>
#include <QStringView>

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

// The line the high-scorer box stands for, with its value ("0" or "1").
QString highScorerLine(QStringView value);
