#pragma once
// Everything that blocks or touches the outside world, handed to frmMain.
// main.cpp gives the real ones; tests give fakes and a temporary program
// folder.

#include "controls/CdDrive.h"
#include "controls/FileDialogs.h"
#include "controls/MediaEngine.h"
#include "controls/MessageBoxes.h"
#include "controls/WebViewLibrary.h"

#include <QDateTime>
#include <QString>
#include <functional>

struct Platform {
    FileDialogs* dialogs = nullptr;
    MessageBoxes* messages = nullptr;
    MediaEngineFactory mediaEngines;       // a new engine for a player
    CdDriveOpener cdDrives;                // opens the CD device
    std::function<QDateTime()> clock;      // the current date and time
    // The folder of the running executable, as the platform reports it
    // (ending in a separator only at the root of a drive).
    std::function<QString()> programFolder;
    WebViewMaker webViews;                 // the help window's web view
};
