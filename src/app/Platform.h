#pragma once
// Everything that blocks or touches the outside world, handed to frmMain.
// main.cpp gives the real ones; tests give fakes and a temporary program
// folder.

#include "engine/CdDrive.h"
#include "controls/dialogs/FileDialogs.h"
#include "engine/MediaEngine.h"
#include "engine/MediaTags.h"
#include "controls/dialogs/MessageBoxes.h"

#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

// Makes the help window's web view (a QWebEngineView with a "url" property)
// inside parent, or returns nullptr when none can be made.
using WebViewMaker = std::function<QWidget*(QWidget* parent)>;

struct Platform {
    FileDialogs* dialogs = nullptr;
    MessageBoxes* messages = nullptr;
    MediaEngineFactory mediaEngines;       // a new engine for a player
    MediaTagReaderPtr tagReader;           // the player's tags (none: no tags)
    CdDriveOpener cdDrives;                // opens the CD device
    std::function<QDateTime()> clock;      // the current date and time
    // The folder of the running executable, as the platform reports it
    // (ending in a separator only at the root of a drive).
    std::function<QString()> programFolder;
    // The folder the media and list dialogs start in; unset: the program
    // folder.
    std::function<QString()> dialogFolder;
    WebViewMaker webViews;                 // the help window's web view
};
