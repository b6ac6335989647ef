#include "PublicVars.h"

namespace PublicVars {

ServerSettingsRecord ServerSettings;
QString OutputText;
bool Saved = true;
bool LoadedFromFile = false;
bool Navigating = false;
int CancelClose = 0;
QString OpenFileName;
QString SavePath;
QString SaveFileTitle;

void resetAll() {
    ServerSettings = {};
    OutputText.clear();
    Saved = true;
    LoadedFromFile = false;
    Navigating = false;
    CancelClose = 0;
    OpenFileName.clear();
    SavePath.clear();
    SaveFileTitle.clear();
}

} // namespace PublicVars
