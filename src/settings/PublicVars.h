#pragma once

#include "ServerSettings.h"

#include <QString>

// The program-wide state that every window reads and writes: the wizard's
// answers and the few values that the windows share.
namespace PublicVars {

extern ServerSettingsRecord ServerSettings;

extern QString OutputText;    // the server file text, mirrored from the main window
extern bool Saved;            // the text has no unsaved changes
extern bool LoadedFromFile;   // a server file was opened: new pages fill from the record
extern bool Navigating;       // a Back is pending; the next close check consumes it
extern int CancelClose;       // 1: the unsaved-changes prompt said do not close
extern QString OpenFileName;  // the server file being read
extern QString SavePath;      // full path of the last server file saved
extern QString SaveFileTitle; // its name without folder

// Back to the state at program start; the program never calls it, tests do.
void resetAll();

} // namespace PublicVars
