#pragma once

#include "ServerSettings.h"

// What the wizard's pages hold when they are first shown, as a record: the
// admin details and the general settings. The pages show these texts, and an
// imported file that does not set an answer starts from them.
namespace FirstAnswers {

inline constexpr const char *AdminName = "Your Name Here";
inline constexpr const char *AdminEmail = "admin@example.invalid";
inline constexpr const char *AdminLocation = "Sunny San Diego";
inline constexpr const char *AdminWebsite = "http://www.example.invalid/";
inline constexpr const char *MasterServers = "master1.example.net master2.example.net "
                                             "master3.example.net master4.example.net "
                                             "master5.example.net";
inline constexpr const char *Hostname = "[[  Kestrune Server  ]]";
inline constexpr const char *Maxclients = "15";
inline constexpr const char *Fraglimit = "0";
inline constexpr const char *Timelimit = "15";
inline constexpr const char *IdleDetect = "0";
inline constexpr const char *InitialMap = "q2dm8";

// The record a run through the wizard leaves when nothing is changed; the
// choices of page 2, which has no first answer, stay empty.
ServerSettingsRecord record();

} // namespace FirstAnswers
